#include "ControlTestHelpers.h"

#include "controls/Snmemo.h"
#include "controls/Snrichedit.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr TColor kEnter = RGB(255, 0, 0);
constexpr TColor kLeave = RGB(0, 0, 255);
constexpr TColor kBody = RGB(250, 240, 200);

template <typename Edit> std::unique_ptr<QWidget> Host(Edit*& edit)
{
    auto window = std::make_unique<QWidget>();
    window->resize(300, 200);
    edit = new Edit(window.get());
    edit->SetBounds(10, 10, 160, 90);
    edit->SetMouseEnterColor(kEnter);
    edit->SetMouseLeaveColor(kLeave);
    edit->SetColor(kBody);
    return window;
}

void ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Every pixel of the outline of the rectangle (left, top) - (right, bottom) inclusive.
void ExpectRing(const QImage& image, int left, int top, int right, int bottom, TColor color)
{
    for (int x = left; x <= right; ++x) {
        ASSERT_EQ(PixelAt(image, x, top), color) << x << "," << top;
        ASSERT_EQ(PixelAt(image, x, bottom), color) << x << "," << bottom;
    }
    for (int y = top; y <= bottom; ++y) {
        ASSERT_EQ(PixelAt(image, left, y), color) << left << "," << y;
        ASSERT_EQ(PixelAt(image, right, y), color) << right << "," << y;
    }
}

template <typename Edit> void ExpectFrame(Edit& edit, TColor outer)
{
    const QImage image = edit.grab().toImage();
    const int r = edit.Width() - 1;
    const int b = edit.Height() - 1;
    ExpectRing(image, 0, 0, r, b, outer);
    ExpectRing(image, 1, 1, r - 1, b - 1, kBody);
}

// Whether the 16 x 16 corner square is all button face.
template <typename Edit> bool CornerFilled(Edit& edit)
{
    const QImage image = edit.grab().toImage();
    const int w = edit.Width();
    const int h = edit.Height();
    for (int y = h - 18; y < h - 2; ++y)
        for (int x = w - 18; x < w - 2; ++x)
            if (PixelAt(image, x, y) != GetSysColor(15))
                return false;
    return true;
}

template <typename Edit> class EditFrame : public ::testing::Test
{
};

using EditTypes = ::testing::Types<TSnMemo, TSnRichEdit>;
TYPED_TEST_SUITE(EditFrame, EditTypes);

} // namespace

TYPED_TEST(EditFrame, Defaults)
{
    TypeParam edit(nullptr);
    EXPECT_EQ(edit.geometry(), QRect(0, 0, 185, 89));
    EXPECT_EQ(edit.MouseEnterColor(), RGB(123, 158, 189));
    EXPECT_EQ(edit.MouseLeaveColor(), RGB(123, 158, 189));
    EXPECT_FALSE(edit.Hot());
    EXPECT_EQ(edit.ScrollBars(), ssNone);
    EXPECT_TRUE(edit.WordWrap());
    EXPECT_EQ(edit.Editor()->geometry(), QRect(2, 2, 181, 85)) << "the editor sits inside the frame";
}

TYPED_TEST(EditFrame, OuterRingFollowsHoverInnerRingTheControlColour)
{
    TypeParam* edit = nullptr;
    auto window = Host(edit);
    ExpectFrame(*edit, kLeave);
    SendEnter(*edit);
    EXPECT_TRUE(edit->Hot());
    ExpectFrame(*edit, kEnter);
    SendLeave(*edit);
    EXPECT_FALSE(edit->Hot());
    ExpectFrame(*edit, kLeave);
    EXPECT_EQ(edit->Editor()->geometry(), QRect(2, 2, 156, 86));
}

TYPED_TEST(EditFrame, FocusShowsTheEnterColour)
{
    TypeParam* edit = nullptr;
    auto window = Host(edit);
    auto* other = new QPlainTextEdit(window.get());
    other->setGeometry(200, 10, 50, 50);
    ShowActive(*window);
    other->setFocus();
    ExpectFrame(*edit, kLeave);
    edit->setFocus();
    ASSERT_TRUE(edit->Focused());
    ExpectFrame(*edit, kEnter);
    other->setFocus();
    EXPECT_FALSE(edit->Focused());
    ExpectFrame(*edit, kLeave);
}

TYPED_TEST(EditFrame, DisabledIgnoresTheMouseButShowsItsText)
{
    TypeParam* edit = nullptr;
    auto window = Host(edit);
    TFont font;
    font.Color = RGB(200, 0, 0);
    edit->SetFont(font);
    edit->SetLines({QStringLiteral("Help text"), QStringLiteral("second line")});
    ShowActive(*window);

    SendEnter(*edit);
    ASSERT_TRUE(edit->Hot());
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->Hot()) << "disabled under the mouse, it does not stay hot";
    SendLeave(*edit);
    SendEnter(*edit);
    EXPECT_FALSE(edit->Hot());
    ExpectFrame(*edit, kLeave);

    QWidget* viewport = edit->Editor()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_FALSE(edit->Focused());
    EXPECT_TRUE(edit->Editor()->inputMethodQuery(Qt::ImCurrentSelection).toString().isEmpty());
    EXPECT_EQ(edit->Lines(), QStringList({QStringLiteral("Help text"), QStringLiteral("second line")}));
    EXPECT_FALSE(PixelsOf(edit->grab().toImage(), RGB(200, 0, 0)).empty()) << "text still shown";
}

TYPED_TEST(EditFrame, LinesRoundTrip)
{
    TypeParam edit(nullptr);
    EXPECT_TRUE(edit.Lines().isEmpty());
    const QStringList lines = {QStringLiteral("one"), QString(), QStringLiteral("three")};
    edit.SetLines(lines);
    EXPECT_EQ(edit.Lines(), lines);
    EXPECT_EQ(edit.Text(), QStringLiteral("one\n\nthree"));
    edit.SetReadOnly(true);
    EXPECT_TRUE(edit.ReadOnly());
}

TEST(SnMemo, CornerSquareWithBothScrollBars)
{
    TSnMemo* memo = nullptr;
    auto window = Host(memo);
    ShowActive(*window);
    memo->SetScrollBars(ssVertical);
    EXPECT_FALSE(CornerFilled(*memo));
    memo->SetScrollBars(ssBoth);
    EXPECT_TRUE(CornerFilled(*memo)) << "word wrap on does not matter for the memo";
    // The bars are as wide as the square, so it covers exactly their corner.
    EXPECT_EQ(memo->Editor()->verticalScrollBar()->width(), 16);
    EXPECT_EQ(memo->Editor()->horizontalScrollBar()->height(), 16);
    memo->clearFocus();
    ExpectFrame(*memo, kLeave);
    memo->SetWordWrap(false);
    EXPECT_TRUE(CornerFilled(*memo));
}

TEST(SnRichEdit, CornerSquareNeedsWordWrapOff)
{
    TSnRichEdit* rich = nullptr;
    auto window = Host(rich);
    ShowActive(*window);
    rich->SetScrollBars(ssBoth);
    EXPECT_FALSE(CornerFilled(*rich)) << "word wrap on leaves the corner to the editor";
    rich->SetWordWrap(false);
    EXPECT_TRUE(CornerFilled(*rich));
    rich->clearFocus();
    ExpectFrame(*rich, kLeave);
    rich->SetScrollBars(ssHorizontal);
    EXPECT_FALSE(CornerFilled(*rich));
}

namespace {

template <typename Edit> struct PaintCounted : Edit
{
    PaintCounted() : Edit(nullptr) {}
    int Paints = 0;
    void Paint(TCanvas& canvas) override
    {
        ++Paints;
        Edit::Paint(canvas);
    }
};

// Frame paints that a focus change causes at once: {on gaining, on losing}.
template <typename Edit> std::pair<int, int> FocusPaints()
{
    QWidget window;
    window.resize(300, 120);
    auto* edit = new PaintCounted<Edit>();
    edit->setParent(&window);
    auto* other = new QPlainTextEdit(&window);
    other->setGeometry(200, 10, 50, 50);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QApplication::processEvents();
    edit->Paints = 0;
    edit->Editor()->setFocus();
    const int gained = edit->Paints;
    other->setFocus();
    return {gained, edit->Paints - gained};
}

} // namespace

TEST(EditFrameFocus, MemoRepaintsAtOnceOnlyWhenItLosesTheFocus)
{
    EXPECT_EQ(FocusPaints<TSnMemo>(), std::make_pair(0, 1));
    EXPECT_EQ(FocusPaints<TSnRichEdit>(), std::make_pair(1, 1));
}
