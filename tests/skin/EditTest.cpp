#include "skin/SuiEdit.h"

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct EditFixture : ::testing::Test
{
    QWidget window;
    TsuiEdit* first = new TsuiEdit(&window);
    TsuiEdit* second = new TsuiEdit(&window);

    void SetUp() override
    {
        window.resize(300, 120);
        first->SetBounds(10, 10, 121, 19);
        second->SetBounds(10, 40, 121, 19);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace

TEST_F(EditFixture, PasswordShowsStarsAndKeepsTheTypedText)
{
    first->SetPasswordChar(QLatin1Char('*'));
    int changes = 0;
    first->OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, first);
        ++changes;
    };
    first->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab1"));
    EXPECT_EQ(first->Text(), QStringLiteral("ab1"));
    EXPECT_EQ(first->LineEdit()->displayText(), QStringLiteral("***"));
    EXPECT_EQ(changes, 3);

    first->SetPasswordChar(QChar());
    EXPECT_EQ(first->LineEdit()->displayText(), QStringLiteral("ab1"));
    first->SetPasswordChar(QLatin1Char('#'));
    EXPECT_EQ(first->LineEdit()->displayText(), QStringLiteral("###"));
}

TEST_F(EditFixture, SetTextAndTabOrder)
{
    second->SetText(QStringLiteral("密码"));
    EXPECT_EQ(second->Text(), QStringLiteral("密码"));
    first->setFocus();
    EXPECT_TRUE(first->LineEdit()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(second->LineEdit()->hasFocus());
}

TEST_F(EditFixture, DisabledEditTakesNoInput)
{
    first->SetEnabled(false);
    EXPECT_FALSE(first->LineEdit()->isEnabled());
    first->setFocus();
    EXPECT_FALSE(first->LineEdit()->hasFocus());
    QTest::keyClicks(first->LineEdit(), QStringLiteral("x"));
    EXPECT_TRUE(first->Text().isEmpty());
}

TEST_F(EditFixture, FrameIsBorderColourOutsideFaceColourInside)
{
    first->SetBorderColor(clBlack);
    first->SetColor(RGB(250, 240, 230));
    const QImage shot = first->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(121, 19));
    for (const QPoint p :
         {QPoint(0, 0), QPoint(120, 0), QPoint(0, 18), QPoint(120, 18), QPoint(60, 0), QPoint(0, 9)})
        EXPECT_EQ(FromQRgb(shot.pixel(p)), clBlack) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(1, 1), QPoint(119, 1), QPoint(1, 17), QPoint(119, 17), QPoint(60, 1)})
        EXPECT_EQ(FromQRgb(shot.pixel(p)), RGB(250, 240, 230)) << p.x() << "," << p.y();
    EXPECT_EQ(first->LineEdit()->geometry(), QRect(2, 2, 117, 15));
}
