#include "framework/TForm.h"

#include "framework/TControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <vector>

namespace {

QPointer<QWidget>& MainForm()
{
    static QPointer<QWidget> form;
    return form;
}

// Watches the windows minimised together; the first one restored brings
// the rest back.
class TApplicationRestorer : public QObject
{
public:
    static TApplicationRestorer& Instance()
    {
        static TApplicationRestorer* restorer = new TApplicationRestorer(qApp);
        return *restorer;
    }

    void Minimize()
    {
        Release();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && !window->isMinimized()) {
                m_windows.push_back(window);
                window->installEventFilter(this);
            }
        const std::vector<QPointer<QWidget>> windows = m_windows;
        for (const QPointer<QWidget>& window : windows)
            if (window)
                window->showMinimized();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowStateChange && window && !window->isMinimized()) {
            const std::vector<QPointer<QWidget>> others = m_windows;
            Release();
            for (const QPointer<QWidget>& other : others)
                if (other && other != window && other->isMinimized())
                    other->setWindowState(other->windowState() & ~Qt::WindowMinimized);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    using QObject::QObject;

    void Release()
    {
        for (const QPointer<QWidget>& window : m_windows)
            if (window)
                window->removeEventFilter(this);
        m_windows.clear();
    }

    std::vector<QPointer<QWidget>> m_windows;
};

} // namespace

QWidget* ApplicationMainForm()
{
    return MainForm();
}

void MinimizeApplication()
{
    TApplicationRestorer::Instance().Minimize();
}

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (MainForm().isNull())
        MainForm() = this;
}

void TForm::SetFont(const TFont& font)
{
    if (font == m_font)
        return;
    m_font = font;
    for (QObject* child : children())
        if (auto* control = qobject_cast<TControl*>(child))
            control->ParentFontChanged();
}

void TForm::SetClientSize(int width, int height)
{
    setFixedSize(width, height);
}

void TForm::SetSizeableClientSize(int width, int height)
{
    resize(width, height);
}

void TForm::SetPosition(Position position, const QWidget* mainForm)
{
    m_position = position;
    m_mainForm = mainForm;
}

void TForm::Show()
{
    show();
    raise();
    activateWindow();
}

void TForm::showEvent(QShowEvent* event)
{
    // A window placed over the main window belongs to it, as its secondary
    // windows do on Windows (no task-bar entry of their own); it stays modeless.
    if (m_position == Position::MainFormCenter && m_mainForm && windowHandle() && m_mainForm->windowHandle())
        windowHandle()->setTransientParent(m_mainForm->windowHandle());
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // restored from the task bar: stay where the user left it
    QRect area;
    if (m_position == Position::MainFormCenter && m_mainForm)
        area = m_mainForm->frameGeometry();
    else if (m_position != Position::Designed)
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
    if (!area.isEmpty())
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

int TForm::ShowModal()
{
    if (m_modalLoop != nullptr)
        return mrNone;
    m_modalResult = mrNone;
    const Qt::WindowModality previous = windowModality();
    setWindowModality(Qt::ApplicationModal);
    Show();
    QEventLoop loop;
    m_modalLoop = &loop;
    if (m_modalResult == mrNone && isVisible())
        loop.exec();
    m_modalLoop = nullptr;
    hide();
    setWindowModality(previous);
    return m_modalResult;
}

void TForm::SetModalResult(int result)
{
    m_modalResult = result;
    if (result != mrNone && m_modalLoop != nullptr)
        m_modalLoop->quit();
}

void TForm::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (m_modalLoop != nullptr && event->isAccepted()) {
        if (m_modalResult == mrNone)
            m_modalResult = mrCancel;
        m_modalLoop->quit();
    }
}

TForm* GetParentForm(const QWidget* control)
{
    return control ? qobject_cast<TForm*>(control->window()) : nullptr;
}
