#include "skin/SuiButton.h"
#include "skin/SuiEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
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

namespace {

// A memo at (10, 10), 200 x 100, with two 16-pixel Protein bars.
struct Memo : ::testing::Test
{
    QWidget window;
    TsuiMemo* memo = new TsuiMemo(&window);
    TsuiScrollBar* vertical = new TsuiScrollBar(&window);
    TsuiScrollBar* horizontal = new TsuiScrollBar(&window);

    void SetUp() override
    {
        window.resize(300, 200);
        for (TsuiScrollBar* bar : {vertical, horizontal})
            bar->SetUIStyle(Protein);
        memo->SetBounds(10, 10, 200, 100);
        memo->SetWordWrap(false);
        window.show();
    }
};

} // namespace

TEST_F(Memo, LinkedBarsLieOverTheNativeOnes)
{
    memo->SetVScrollBar(vertical);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_EQ(vertical->geometry(), QRect(192, 11, 16, 99));
    memo->SetHScrollBar(horizontal);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    EXPECT_EQ(vertical->geometry(), QRect(192, 11, 16, 83));
    EXPECT_EQ(horizontal->geometry(), QRect(11, 92, 183, 16));
    EXPECT_EQ(horizontal->Orientation(), suiHorizontal);
    // The native bars beneath are as thick, so no text hides under them.
    EXPECT_EQ(memo->Edit()->verticalScrollBar()->sizeHint().width(), 16);
    EXPECT_EQ(memo->Edit()->horizontalScrollBar()->sizeHint().height(), 16);
    memo->move(20, 30);
    EXPECT_EQ(vertical->pos(), QPoint(202, 31)) << "the bars follow the memo";

    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssHorizontal);
    EXPECT_EQ(vertical->Max(), 100) << "a released bar";
    EXPECT_TRUE(vertical->Enabled());
    EXPECT_EQ(vertical->LineButton(), 0);
    horizontal->deleteLater(); // the form frees a bar: the link goes with it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(memo->HScrollBar(), nullptr);
    memo->SetVScrollBar(vertical);
    memo->deleteLater(); // and a memo freed first leaves its bars working
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    vertical->SetPosition(40);
    EXPECT_EQ(vertical->Position(), 40);
}

TEST_F(Memo, BarsFollowTheNativeStateBothWays)
{
    memo->SetVScrollBar(vertical);
    memo->SetHScrollBar(horizontal);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QScrollBar* native = memo->Edit()->verticalScrollBar();
    EXPECT_FALSE(vertical->Enabled()) << "the text fits";
    EXPECT_FALSE(vertical->SliderVisible());

    QStringList lines;
    for (int i = 0; i < 80; ++i)
        lines << QStringLiteral("line %1 ").arg(i).repeated(8);
    memo->SetLines(lines);
    ASSERT_GT(native->maximum(), 0);
    EXPECT_TRUE(vertical->Enabled());
    EXPECT_TRUE(vertical->SliderVisible());
    EXPECT_EQ(vertical->Max(), native->maximum());
    // The native thumb's length, at least the shortest slider.
    EXPECT_GE(vertical->LineButton(), 18);
    EXPECT_LT(vertical->LineButton(), 60);
    EXPECT_TRUE(horizontal->Enabled());

    int echoes = 0;
    QObject::connect(native, &QScrollBar::valueChanged, [&] { ++echoes; });
    native->setValue(30);
    EXPECT_EQ(vertical->Position(), 30);
    EXPECT_EQ(echoes, 1) << "the bar does not scroll the memo back";
    vertical->SetPosition(50);
    EXPECT_EQ(native->value(), 50);
    EXPECT_EQ(echoes, 2);
    QTest::mouseClick(vertical->SecondButton(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(native->value(), 51);

    QWheelEvent wheel(QPointF(50, 50), memo->Edit()->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(memo->Edit()->viewport(), &wheel);
    EXPECT_GT(native->value(), 51);
    EXPECT_EQ(vertical->Position(), native->value());
}

TEST(EditFont, EditsWriteInTheirParentsFont)
{
    TControl parent;
    TFont font;
    font.Name = QStringLiteral("MS Sans Serif");
    font.Size = 8;
    parent.SetFont(font);
    auto* edit = new TsuiEdit(&parent);
    auto* memo = new TsuiMemo(&parent);
    EXPECT_EQ(edit->Font(), font);
    EXPECT_EQ(edit->LineEdit()->font().pixelSize(), font.ToQFont().pixelSize());
    font.Size = 12;
    parent.SetFont(font);
    EXPECT_EQ(edit->LineEdit()->font().pixelSize(), font.ToQFont().pixelSize());
    EXPECT_EQ(memo->Edit()->font().pixelSize(), font.ToQFont().pixelSize());
    TFont own;
    own.Size = 20;
    edit->SetFont(own);
    parent.SetFont(font);
    EXPECT_EQ(edit->Font(), own);
}
