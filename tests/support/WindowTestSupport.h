#pragma once

#include "access/Unit2.h"
#include "access/Unit3.h"
#include "controls/Sncheckbox.h"
#include "controls/Snlabel.h"
#include "shell/Unit1.h"
#include "shell/Unit4.h"
#include "shell/Unit7.h"
#include "shell/Windows.h"
#include "skin/SuiButton.h"
#include "skin/SuiEdit.h"
#include "skin/SuiImage.h"
#include "skin/SuiPageControl.h"
#include "tests/support/TDialogRecorder.h"
#include "tests/support/TestBackends.h"
#include "tweaks/TRegistry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace tessel::test {

inline void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(widget, button, {}, widget->rect().center());
}

inline void Type(TsuiEdit* edit, const QString& text)
{
    QLineEdit* line = edit->LineEdit();
    line->setFocus();
    line->clear();
    for (const QChar c : text) {
        // Qt's key tables only know ASCII; other characters arrive as text, as from an input method.
        QKeyEvent press(QEvent::KeyPress, c.unicode() < 0x80 ? QTest::asciiToKey(char(c.unicode())) : 0,
                        Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(line, &press);
        QApplication::sendEvent(line, &release);
    }
}

// The program's windows over fresh hives (SQLite ones, or the registry on
// Windows), with every message box
// recorded instead of shown.
class WindowTest : public ::testing::Test
{
protected:
    WindowTest() : m_backend(PlatformBackends().back()), m_failing(m_backend.Get()) {}

    void Start()
    {
        m_windows = std::make_unique<TWindows>(Registry());
        Form1().Show();
    }
    // The hives as the windows see them: through a backend that fails what a
    // test names, and nothing otherwise.
    RegistryBackend& Registry() { return m_failing; }
    const TWindows& Windows() const { return *m_windows; }
    TForm1& Form1() { return m_windows->Form1(); }
    TForm2& Form2() { return m_windows->Form2(); }
    TForm3& Form3() { return m_windows->Form3(); }
    TForm4& Form4() { return m_windows->Form4(); }
    TForm7& Form7() { return m_windows->Form7(); }

    std::vector<QString> Messages() const
    {
        std::vector<QString> out;
        for (const auto& entry : m_dialogs.Entries())
            out.push_back(
                (entry.Type == TDialogRecorder::Kind::Error ? QStringLiteral("error: ") : QString()) +
                entry.Text);
        return out;
    }
    void ClearMessages() { m_dialogs.Clear(); }

    void WriteText(Hive hive, std::string_view key, std::string_view name, std::string_view text)
    {
        TRegistry registry(Registry());
        registry.SelectRoot(hive);
        ASSERT_TRUE(registry.OpenKeyCreating(key));
        registry.WriteText(name, text);
    }
    void RemoveValue(std::string_view key, std::string_view name)
    {
        TRegistry registry(Registry());
        ASSERT_TRUE(registry.OpenKeyCreating(key));
        registry.RemoveValue(name);
    }

    // Presses "登陆程序" and logs in with the given password.
    void LogIn(const QString& password = QString())
    {
        Click(Form1().suiButton4);
        Type(Form2().suiEdit1, password);
        Click(Form2().suiButton1);
    }

    BackendUnderTest m_backend;
    FailingBackend m_failing;
    TDialogRecorder m_dialogs;
    std::unique_ptr<TWindows> m_windows;
};

} // namespace tessel::test
