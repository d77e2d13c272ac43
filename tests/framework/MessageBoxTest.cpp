#include "framework/TApplication.h"
#include "framework/TDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct SeenBox
{
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    bool Modal = false;
    QPoint Centre;
};

// Shows a box through the real service, reads it once it is up and closes it
// with its own button.
SeenBox RunAndRead(const std::function<void(TDialogService&)>& show)
{
    SeenBox seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible())
                continue;
            seen = {box->windowTitle(),      box->text(), box->icon(), {}, box->isModal(),
                    box->geometry().center()};
            for (QAbstractButton* button : box->buttons())
                seen.Buttons << button->text();
            poll.stop();
            box->buttons().front()->click();
            return;
        }
    });
    poll.start();
    TMessageBoxService service;
    show(service);
    return seen;
}

} // namespace

TEST(MessageBoxService, PlainMessageHasTitleNoIconAndOneOk)
{
    const SeenBox seen =
        RunAndRead([](TDialogService& s) { s.ShowMessage(QString::fromUtf8("设置取消，未做操作！")); });
    EXPECT_EQ(seen.Title, ApplicationTitle());
    EXPECT_EQ(seen.Text, QString::fromUtf8("设置取消，未做操作！"));
    EXPECT_EQ(seen.Icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.Buttons, QStringList{"OK"});
    EXPECT_TRUE(seen.Modal);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE((seen.Centre - screenCentre).manhattanLength(), 4);
}

TEST(MessageBoxService, ErrorBoxHasTheStopIcon)
{
    const SeenBox seen = RunAndRead([](TDialogService& s) { s.ShowError("Failed to get data for 'reg'"); });
    EXPECT_EQ(seen.Title, ApplicationTitle());
    EXPECT_EQ(seen.Text, "Failed to get data for 'reg'");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    EXPECT_EQ(seen.Buttons, QStringList{"OK"});
}
