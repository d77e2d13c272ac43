#include "ControlTestHelpers.h"

#include "controls/Sncheckbox.h"
#include "framework/TCanvas.h"
#include "framework/TPictureCache.h"

#include <QFontMetrics>
#include <QTest>
#include <array>
#include <gtest/gtest.h>

namespace {

constexpr TColor kFrame = RGB(0, 60, 115);
constexpr TColor kHotRing = RGB(242, 193, 96);
constexpr TColor kTick = RGB(63, 161, 33);

// Counts image renderings and opens the protected hooks to the tests.
class ProbeBox : public TSnCheckBox
{
public:
    using TSnCheckBox::Resized;
    using TSnCheckBox::TSnCheckBox;
    int Renders = 0;

    void CreateGradientRect(int width, int height, TColor startColor, TColor endColor,
                            TBitmap& image) override
    {
        ++Renders;
        TSnCheckBox::CreateGradientRect(width, height, startColor, endColor, image);
    }
};

struct Counter
{
    int Clicks = 0;
    int Enters = 0;
    int Leaves = 0;
    void Attach(TSnCheckBox& box)
    {
        box.OnClick = [this](QObject*) { ++Clicks; };
        box.OnMouseEnter = [this](QObject*) { ++Enters; };
        box.OnMouseLeave = [this](QObject*) { ++Leaves; };
    }
};

TFont CaptionFont(TColor color)
{
    TFont font;
    font.Color = color;
    return font;
}

// A shown, active window, so that focus is real.
void ShowActive(QWidget& window)
{
    window.resize(300, 100);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void ExpectFrame(const TBitmap& image)
{
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(image.Pixel(i, 0), kFrame) << "top " << i;
        EXPECT_EQ(image.Pixel(i, 12), kFrame) << "bottom " << i;
        EXPECT_EQ(image.Pixel(0, i), kFrame) << "left " << i;
        EXPECT_EQ(image.Pixel(12, i), kFrame) << "right " << i;
    }
}

// The box pixels of a painted control, as a 13 x 13 image.
QImage BoxAt(const QImage& painted, int x, int y)
{
    return painted.copy(x, y, 13, 13);
}

} // namespace

TEST(SnCheckBox, DefaultsMatchAFreshControl)
{
    TSnCheckBox box(nullptr);
    EXPECT_EQ(box.Width(), 97);
    EXPECT_EQ(box.Height(), 17);
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(box.AutoSize());
    EXPECT_FALSE(box.Transparent());
    EXPECT_TRUE(box.Enabled());
    EXPECT_EQ(box.Alignment(), taRightJustify);
    EXPECT_EQ(box.State(), TSnCheckBox::StateInitial);
    EXPECT_TRUE(box.ParentColor());
    EXPECT_TRUE(box.ParentFont());
    EXPECT_EQ(box.NormalImage().Width(), 13);
    EXPECT_EQ(box.NormalImage().Height(), 13);
}

TEST(SnCheckBox, NormalAndHotImagesCarryTheLightGradientRows)
{
    TSnCheckBox box(nullptr);
    // Rows 1..11 carry the table entries 3, 5, 8, 10, 12, 14, 17, 19, 21, 24
    // and 26 of (255,255,255) -> (239,235,231) over 29 steps.
    const std::array<TColor, 11> rows = {RGB(253, 253, 253), RGB(252, 252, 251), RGB(251, 249, 248),
                                         RGB(249, 248, 247), RGB(248, 247, 245), RGB(247, 245, 243),
                                         RGB(246, 243, 241), RGB(245, 242, 239), RGB(243, 241, 238),
                                         RGB(242, 238, 235), RGB(241, 237, 233)};
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x)
            ASSERT_EQ(box.NormalImage().Pixel(x, y), rows[std::size_t(y - 1)]) << x << "," << y;
    ExpectFrame(box.NormalImage());
    // The hot image keeps the gradient inside its ring.
    for (int y = 3; y <= 9; ++y)
        for (int x = 3; x <= 9; ++x)
            ASSERT_EQ(box.HotImage().Pixel(x, y), rows[std::size_t(y - 1)]) << x << "," << y;
}

TEST(SnCheckBox, PressedImageCarriesTheDarkGradientRows)
{
    TSnCheckBox box(nullptr);
    // (214,207,198) -> (247,243,235), the same entries.
    const std::array<TColor, 11> rows = {RGB(217, 211, 202), RGB(220, 213, 204), RGB(223, 217, 208),
                                         RGB(225, 219, 211), RGB(228, 222, 213), RGB(230, 224, 216),
                                         RGB(233, 228, 220), RGB(236, 231, 222), RGB(238, 233, 225),
                                         RGB(241, 237, 229), RGB(244, 239, 231)};
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x)
            ASSERT_EQ(box.PressedImage().Pixel(x, y), rows[std::size_t(y - 1)]) << x << "," << y;
    ExpectFrame(box.PressedImage());
}

TEST(SnCheckBox, GradientGivesOneBandPerRowWhenThirtyHigh)
{
    ProbeBox box(nullptr);
    TBitmap image;
    // Steps of exactly 1, 2 and 3 per entry; row r of 30 is band r.
    box.CreateGradientRect(4, 30, RGB(0, 0, 0), RGB(29, 58, 87), image);
    ASSERT_EQ(image.Width(), 4);
    ASSERT_EQ(image.Height(), 30);
    for (int y = 1; y <= 28; ++y)
        EXPECT_EQ(image.Pixel(1, y), RGB(y, 2 * y, 3 * y)) << y;
    EXPECT_EQ(image.Pixel(0, 0), kFrame);
    EXPECT_EQ(image.Pixel(3, 29), kFrame);
}

// Boxes share their pictures; one drawn while another is kept still has its
// own size and colours.
TEST(SnCheckBox, SharedGradientsFollowTheirSizeAndColours)
{
    ProbeBox box(nullptr);
    struct Case
    {
        int Width, Height;
        TColor Start, End;
    };
    const Case first{13, 13, RGB(255, 255, 255), RGB(239, 235, 231)};
    const Case cases[] = {{13, 13, RGB(255, 255, 255), RGB(0, 0, 0)},
                          {13, 13, RGB(0, 0, 0), RGB(239, 235, 231)},
                          {4, 30, RGB(255, 255, 255), RGB(239, 235, 231)}};
    const auto gradient = [&box](const Case& c) {
        TBitmap image;
        box.CreateGradientRect(c.Width, c.Height, c.Start, c.End, image);
        return image.Image();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " " << c.Start << "-" << c.End);
        PictureCache().ClearDerived();
        gradient(first);
        const QImage shared = gradient(c);
        PictureCache().ClearDerived();
        EXPECT_EQ(shared, gradient(c));
    }
    TSnCheckBox one(nullptr);
    TSnCheckBox other(nullptr);
    EXPECT_EQ(one.NormalImage().Image().cacheKey(), other.NormalImage().Image().cacheKey());
    EXPECT_EQ(one.HotImage().Image().cacheKey(), other.HotImage().Image().cacheKey());
}

TEST(SnCheckBox, HotRingIsTwoPixelsInsideTheFrame)
{
    TSnCheckBox box(nullptr);
    const TBitmap& hot = box.HotImage();
    ExpectFrame(hot);
    PixelSet expected;
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x)
            if (x <= 2 || x >= 10 || y <= 2 || y >= 10)
                expected.insert({x, y});
    EXPECT_EQ(PixelsOf(hot.Image(), kHotRing), expected);
    EXPECT_TRUE(PixelsOf(box.NormalImage().Image(), kHotRing).empty());
}

TEST(SnCheckBox, TickIsThreeStrokesWithoutTheirEndPoints)
{
    TSnCheckBox box(nullptr);
    EXPECT_TRUE(PixelsOf(BoxAt(box.PaintToImage(), 0, 2), kTick).empty());
    box.SetChecked(true);
    PixelSet expected;
    for (int i = 0; i < 3; ++i)
        for (const auto& [x, y] : PixelSet{{3, 7}, {4, 8}, {5, 9}, {6, 8}, {7, 7}, {8, 6}, {9, 5}})
            expected.insert({x, y - i});
    const QImage painted = box.PaintToImage();
    EXPECT_EQ(PixelsOf(BoxAt(painted, 0, 2), kTick), expected);
    EXPECT_EQ(PixelsOf(painted, kTick).size(), 21u);
    // The tick is drawn on a copy; the stored images stay clean.
    EXPECT_TRUE(PixelsOf(box.NormalImage().Image(), kTick).empty());
}

TEST(SnCheckBox, BoxSitsLeftOrRightAndCentredVertically)
{
    TSnCheckBox box(nullptr);
    QImage painted = box.PaintToImage();
    // Default 97 x 17: the box at (0, 2).
    EXPECT_EQ(BoxAt(painted, 0, 2), box.NormalImage().Image());
    EXPECT_NE(PixelAt(painted, 0, 1), kFrame);

    box.SetBounds(0, 0, 60, 20);
    box.SetAlignment(taLeftJustify);
    painted = box.PaintToImage();
    EXPECT_EQ(BoxAt(painted, 47, 3), box.NormalImage().Image());
    EXPECT_TRUE(PixelsOf(painted, kFrame, 0, 47).empty());

    // Shorter than the box: the quotient truncates toward zero.
    box.SetBounds(0, 0, 60, 10);
    painted = box.PaintToImage();
    EXPECT_EQ(PixelAt(painted, 47, 8), kFrame);
    EXPECT_EQ(PixelAt(painted, 59, 8), kFrame);
    EXPECT_EQ(PixelAt(painted, 50, 9), box.NormalImage().Pixel(3, 10));
}

TEST(SnCheckBox, CaptionStartsAtSixteenOrAtZeroWhenLeftJustified)
{
    const TColor ink = RGB(200, 0, 0);
    TSnCheckBox box(nullptr);
    box.SetFont(CaptionFont(ink));
    box.SetBounds(0, 0, 120, 17);
    box.SetCaption(QStringLiteral("Wave"));
    const PixelSet right = PixelsOf(box.PaintToImage(), ink);
    ASSERT_FALSE(right.empty());
    box.SetAlignment(taLeftJustify);
    const PixelSet left = PixelsOf(box.PaintToImage(), ink);
    EXPECT_EQ(Shifted(left, 16, 0), right);

    // The caption rectangle is as high as "A", centred, and clips the text.
    const int h = QFontMetrics(box.Font().ToQFont()).height();
    const int top = (17 - h) / 2;
    for (const auto& p : right) {
        EXPECT_GE(p.second, top);
        EXPECT_LT(p.second, top + h);
        EXPECT_GE(p.first, 16);
    }
}

TEST(SnCheckBox, DisabledCaptionIsEmbossed)
{
    const TColor ink = RGB(200, 0, 0);
    TSnCheckBox box(nullptr);
    box.SetFont(CaptionFont(ink));
    box.SetBounds(0, 0, 120, 20);
    box.SetCaption(QStringLiteral("Wave"));
    const PixelSet enabled = PixelsOf(box.PaintToImage(), ink);
    ASSERT_FALSE(enabled.empty());

    box.SetEnabled(false);
    EXPECT_FALSE(box.Enabled());
    EXPECT_TRUE(box.isEnabled()) << "the widget itself stays enabled";
    const QImage painted = box.PaintToImage();
    EXPECT_TRUE(PixelsOf(painted, ink).empty());
    const PixelSet dark = PixelsOf(painted, GetSysColor(16), 13);
    const PixelSet light = PixelsOf(painted, GetSysColor(20), 13);
    // The dark copy is the caption in place; the light copy shows one pixel
    // right and down wherever the dark one does not cover it.
    EXPECT_EQ(dark, enabled);
    PixelSet expectedLight;
    for (const auto& p : Shifted(enabled, 1, 1))
        if (!enabled.count(p))
            expectedLight.insert(p);
    EXPECT_EQ(light, expectedLight);
}

TEST(SnCheckBox, FocusRectangleFramesTheCaption)
{
    QWidget window;
    auto* box = new TSnCheckBox(&window);
    box->SetBounds(10, 10, 80, 21);
    box->SetCaption(QStringLiteral("Wave"));
    ShowActive(window);
    const int h = QFontMetrics(box->Font().ToQFont()).height();
    const int top = (21 - h) / 2;

    for (const TAlignment alignment : {taRightJustify, taLeftJustify}) {
        box->SetAlignment(alignment);
        const QImage before = box->PaintToImage();
        box->setFocus();
        ASSERT_TRUE(box->State() & TSnCheckBox::StateFocused);
        const QImage after = box->PaintToImage();

        const int left = alignment == taLeftJustify ? -1 : 15;
        const int right = left + 80 - 15 - 1;
        const int bottom = top + h;
        PixelSet expected;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const bool onFrame = x == left || x == right || y == top || y == bottom;
                if (onFrame && (x + y) % 2 == 0 && x >= 0 && x < 80 && y >= 0 && y < 21)
                    expected.insert({x, y});
            }
        PixelSet changed;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 80; ++x)
                if (before.pixel(x, y) != after.pixel(x, y))
                    changed.insert({x, y});
        EXPECT_EQ(changed, expected) << "alignment " << alignment;
        // Focus without hover or press still shows the normal box.
        EXPECT_EQ(BoxAt(after, alignment == taLeftJustify ? 67 : 0, 4), box->NormalImage().Image());
        box->clearFocus();
        EXPECT_FALSE(box->State() & TSnCheckBox::StateFocused);
    }

    // The focus flag follows the focus while the control is disabled, too.
    box->SetEnabled(false);
    box->setFocus();
    EXPECT_EQ(box->State(), TSnCheckBox::StateInitial | TSnCheckBox::StateFocused);
}

TEST(SnCheckBox, AutoSizeFitsCaptionAndKeepsAtLeastTheBoxHeight)
{
    TSnCheckBox box(nullptr);
    TFont font;
    box.SetFont(font);
    box.SetCaption(QStringLiteral("Disable the context menu"));
    box.SetAutoSize(true);
    const QFontMetrics metrics(font.ToQFont());
    EXPECT_EQ(box.Width(), metrics.horizontalAdvance(QStringLiteral("Disable the context menu")) + 18);
    EXPECT_EQ(box.Height(), std::max(metrics.height(), 13));

    box.SetCaption(QStringLiteral("Hi"));
    EXPECT_EQ(box.Width(), metrics.horizontalAdvance(QStringLiteral("Hi")) + 18);

    TFont tiny;
    tiny.Size = 5;
    ASSERT_LT(QFontMetrics(tiny.ToQFont()).height(), 13);
    box.SetFont(tiny);
    // A font change alone does not resize; the next caption change does.
    box.SetCaption(QStringLiteral("Hello"));
    EXPECT_EQ(box.Height(), 13);
    EXPECT_EQ(box.Width(), QFontMetrics(tiny.ToQFont()).horizontalAdvance(QStringLiteral("Hello")) + 18);
}

TEST(SnCheckBox, ImagesAreRebuiltOnlyForARealSize)
{
    QWidget window;
    auto* box = new ProbeBox(&window);
    ShowActive(window);
    box->Renders = 0;
    box->SetBounds(0, 0, 0, 17);
    box->Resized();
    EXPECT_EQ(box->Renders, 0);
    box->SetBounds(0, 0, 40, 0);
    EXPECT_EQ(box->Renders, 0);
    box->SetBounds(0, 0, 40, 17);
    EXPECT_EQ(box->Renders, 3) << "a size change rebuilds the three images";
    box->Renders = 0;
    box->PaintToImage();
    box->SetChecked(true);
    SendEnter(*box);
    box->PaintToImage();
    EXPECT_EQ(box->Renders, 0) << "painting and hovering only copy the images";
    box->SetCaption(QStringLiteral("x"));
    EXPECT_EQ(box->Renders, 3);
}

TEST(SnCheckBox, SetCheckedRaisesNoClick)
{
    TSnCheckBox box(nullptr);
    Counter counter;
    counter.Attach(box);
    box.SetChecked(true);
    EXPECT_TRUE(box.Checked());
    box.SetChecked(true);
    EXPECT_TRUE(box.Checked());
    box.SetChecked(false);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(counter.Clicks, 0);
}

TEST(SnCheckBox, LeftClickTogglesOnceRightClickOnlyFocuses)
{
    QWidget window;
    auto* box = new TSnCheckBox(&window);
    box->SetBounds(5, 5, 97, 17);
    ShowActive(window);
    Counter counter;
    counter.Attach(*box);

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(counter.Clicks, 1);
    EXPECT_TRUE(box->hasFocus());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(counter.Clicks, 2);

    box->clearFocus();
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(5, 8));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(counter.Clicks, 2);
    EXPECT_TRUE(box->hasFocus());

    // Keys do not toggle the box.
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->Checked());
}

TEST(SnCheckBox, ReleaseOutsideStillToggles)
{
    QWidget window;
    auto* box = new TSnCheckBox(&window);
    ShowActive(window);
    Counter counter;
    counter.Attach(*box);
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(200, 60));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(counter.Clicks, 1);
}

TEST(SnCheckBox, HoverAndPressChooseTheBoxImage)
{
    TSnCheckBox box(nullptr);
    Counter counter;
    counter.Attach(box);
    SendEnter(box);
    EXPECT_EQ(counter.Enters, 1);
    EXPECT_EQ(box.State(), TSnCheckBox::StateInitial | TSnCheckBox::StateMouseOver);
    EXPECT_EQ(BoxAt(box.PaintToImage(), 0, 2), box.HotImage().Image());

    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_TRUE(box.State() & TSnCheckBox::StatePressed);
    EXPECT_EQ(BoxAt(box.PaintToImage(), 0, 2), box.PressedImage().Image());

    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_FALSE(box.State() & TSnCheckBox::StatePressed);
    EXPECT_EQ(PixelAt(BoxAt(box.PaintToImage(), 0, 2), 1, 1), kHotRing);

    SendLeave(box);
    EXPECT_EQ(counter.Leaves, 1);
    EXPECT_TRUE(box.State() & TSnCheckBox::StateMouseOut);
    EXPECT_EQ(PixelAt(BoxAt(box.PaintToImage(), 0, 2), 1, 1), box.NormalImage().Pixel(1, 1));
}

TEST(SnCheckBox, DisabledIgnoresClicksAndHoverAndResetsItsState)
{
    TSnCheckBox box(nullptr);
    Counter counter;
    counter.Attach(box);
    SendEnter(box);
    ASSERT_NE(box.State(), TSnCheckBox::StateInitial);
    box.SetEnabled(false);
    EXPECT_EQ(box.State(), TSnCheckBox::StateInitial);

    SendLeave(box);
    SendEnter(box);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(counter.Clicks, 0);
    EXPECT_EQ(counter.Enters, 1);
    EXPECT_EQ(counter.Leaves, 0);
    EXPECT_EQ(box.State(), TSnCheckBox::StateInitial);
    EXPECT_EQ(BoxAt(box.PaintToImage(), 0, 2), box.NormalImage().Image());

    box.SetEnabled(true);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_TRUE(box.Checked());
}

TEST(SnCheckBox, TransparentShowsTheParentBehindBoxAndCaption)
{
    TControl parent;
    parent.SetColor(clAqua);
    parent.resize(200, 60);
    auto* box = new TSnCheckBox(&parent);
    box->SetBounds(20, 10, 97, 17);
    box->SetColor(clYellow);
    QImage painted = box->PaintToImage();
    EXPECT_EQ(PixelAt(painted, 50, 0), clYellow);
    box->SetTransparent(true);
    painted = box->PaintToImage();
    EXPECT_TRUE(PixelsOf(painted, clYellow).empty());
    EXPECT_EQ(PixelAt(painted, 50, 0), clAqua);
    EXPECT_EQ(BoxAt(painted, 0, 2), box->NormalImage().Image());
}
