#include "../support/PixelHelpers.h"
#include "framework/TBitmap.h"
#include "skin/SuiButton.h"
#include "skin/SuiProgressBar.h"
#include "skin/SuiScrollBar.h"

#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TPicture Solid(int width, int height, TColor color)
{
    TPicture picture;
    picture.Assign(TBitmap(FilledImage(width, height, color)));
    return picture;
}

void Move(QWidget* widget, int x, int y, Qt::MouseButtons held)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), widget->mapToGlobal(QPointF(x, y)), Qt::NoButton, held,
                     {});
    QApplication::sendEvent(widget, &move);
}

// A horizontal track 200 long with a 20-pixel slider, range 0..100.
struct Track : ::testing::Test
{
    QWidget window;
    TsuiTrackBar* track = new TsuiTrackBar(&window);
    std::vector<int> changes;

    void SetUp() override
    {
        track->SetUIStyle(Custom);
        track->SetBarImage(TPicture());
        track->SetSliderImage(Solid(20, 10, clRed));
        track->resize(200, 20);
        track->OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, track);
            changes.push_back(track->Position());
        };
    }
};

} // namespace

TEST_F(Track, SliderGeometryAndClickPaging)
{
    track->SetPosition(50);
    EXPECT_EQ(track->Slider()->geometry(), QRect(90, 5, 20, 10));
    EXPECT_EQ(track->GetPositionFromFromSliderPos(150, 0), 77);
    // Start position, click x, position after the click.
    const struct
    {
        int start, x, expected;
    } cases[] = {
        {50, 150, 60},                // one page towards the click
        {50, 95, 47},                 // never past the click
        {50, 10, 40},   {50, 90, 50}, // on the slider's own coordinate
        {95, 199, 100}, {3, 0, 0},
    };
    for (const auto& c : cases) {
        track->SetPosition(c.start);
        QTest::mouseClick(track, Qt::LeftButton, {}, QPoint(c.x, 10));
        EXPECT_EQ(track->Position(), c.expected) << c.start << " -> " << c.x;
        EXPECT_EQ(track->PagingTimer(), nullptr) << "released";
    }
    QTest::mouseClick(track, Qt::RightButton, {}, QPoint(190, 10));
    EXPECT_EQ(track->Position(), 0) << "only the left button pages";
}

TEST_F(Track, RangeAndPageSizeRules)
{
    track->SetPosition(150);
    EXPECT_EQ(track->Position(), 100);
    track->SetMax(40);
    EXPECT_EQ(track->Position(), 100) << "the range does not clamp";
    track->SetPosition(-5);
    EXPECT_EQ(track->Position(), 0);
    track->SetPageSize(101);
    track->SetPageSize(-1);
    EXPECT_EQ(track->PageSize(), 10);
    track->SetPageSize(0);
    EXPECT_EQ(track->PageSize(), 0);
    EXPECT_EQ(changes, std::vector<int>({100, 0}));
}

TEST_F(Track, HeldButtonPagesEveryTickUntilTheSliderReachesThePointer)
{
    QTest::mousePress(track, Qt::LeftButton, {}, QPoint(150, 10));
    ASSERT_NE(track->PagingTimer(), nullptr);
    EXPECT_EQ(track->PagingTimer()->interval(), 500);
    EXPECT_TRUE(track->PagingTimer()->isActive());
    for (int i = 0; i < 10; ++i)
        track->PagingTick();
    EXPECT_EQ(changes, std::vector<int>({10, 20, 30, 40, 50, 60, 70, 77}));
    Move(track, 30, 10, Qt::LeftButton);
    track->PagingTick();
    EXPECT_EQ(track->Position(), 67) << "the repeat follows the pointer";
    Move(track, 201, 10, Qt::LeftButton);
    EXPECT_EQ(track->PagingTimer(), nullptr) << "leaving the track stops the repeat";
    QTest::mouseRelease(track, Qt::LeftButton, {}, QPoint(201, 10));
}

TEST_F(Track, DraggingKeepsTheGrabOffsetAndReportsThePreviousMove)
{
    TsuiImagePanel* slider = track->Slider();
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(track->Dragging());
    Move(slider, 55, 5, Qt::LeftButton); // track x 55
    EXPECT_EQ(slider->x(), 50);
    EXPECT_EQ(track->Position(), 25);
    EXPECT_TRUE(changes.empty());
    Move(slider, 55, 5, Qt::LeftButton); // track x 105
    EXPECT_EQ(slider->x(), 100);
    EXPECT_EQ(track->Position(), 52);
    EXPECT_EQ(changes, std::vector<int>({25}));
    Move(slider, 500, 5, Qt::LeftButton);
    EXPECT_EQ(slider->x(), 180) << "clamped to the track";
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(0, 5));
    EXPECT_FALSE(track->Dragging());
}

TEST(TrackBar, StyledGrooveAndSliderInBothOrientations)
{
    QWidget window;
    auto* track = new TsuiTrackBar(&window);
    window.show();
    track->SetUIStyle(WinXP);
    track->resize(120, 10);
    EXPECT_EQ(track->Color(), GetThemeColor(WinXP, teTrackBarColor));
    EXPECT_EQ(track->height(), 21) << "as thick as the 11 x 21 slider";
    EXPECT_EQ(track->Slider()->size(), QSize(11, 21));
    const TBitmap bar = LoadSkinBitmap(QStringLiteral("WINXP_TRACKBAR_BAR"));
    const QImage painted = track->PaintToImage();
    // The groove's left cap, unscaled, centred across the track.
    const int top = (21 - bar.Height()) / 2;
    for (int y = 0; y < bar.Height(); ++y)
        for (int x = 0; x < bar.Width() / 3; ++x)
            ASSERT_EQ(PixelAt(painted, x, top + y), bar.Pixel(x, y)) << x << "," << y;

    track->SetOrientation(suiVertical);
    track->resize(5, 120);
    EXPECT_EQ(track->width(), 22);
    EXPECT_EQ(track->Slider()->size(), QSize(22, 11));
    // Rotated counter-clockwise: the groove's left cap ends up at the bottom.
    const QImage upright = track->PaintToImage();
    const int left = (22 - bar.Height()) / 2;
    for (int y = 0; y < bar.Height(); ++y)
        for (int x = 0; x < bar.Width() / 3; ++x)
            ASSERT_EQ(PixelAt(upright, left + y, 119 - x), bar.Pixel(x, y)) << x << "," << y;
}

TEST(TrackBar, AStyledTrackTakesTheThemesPicturesAgainAtTheNextUpdate)
{
    QWidget window;
    auto* track = new TsuiTrackBar(&window);
    window.show(); // a hidden track hears of its resizes only when shown
    track->SetUIStyle(WinXP);
    const TBitmap bar = LoadSkinBitmap(QStringLiteral("WINXP_TRACKBAR_BAR"));
    for (const auto& [orientation, slider] : {std::pair{suiHorizontal, "WINXP_TRACKBAR_SLIDER"},
                                              std::pair{suiVertical, "WINXP_TRACKBAR_SLIDER_V"}}) {
        track->SetOrientation(orientation);
        track->SetBarImage(Solid(30, 3, clRed));
        EXPECT_EQ(track->BarImage().Bitmap().Image(), bar.Image()) << orientation;
        track->SetSliderImage(Solid(7, 7, clBlue));
        track->resize(track->width() + 10, track->height() + 10);
        const QImage theme = LoadSkinBitmap(QString::fromLatin1(slider)).Image();
        EXPECT_EQ(track->SliderImage().Bitmap().Image().convertToFormat(theme.format()), theme)
            << orientation;
    }
    track->SetUIStyle(Custom);
    track->SetBarImage(Solid(30, 3, clRed));
    track->resize(track->width() + 10, track->height());
    EXPECT_EQ(PixelAt(track->BarImage().Bitmap().Image(), 0, 0), clRed) << "Custom keeps the picture";
}

namespace {

struct ScrollLayout
{
    TsuiUIStyle style;
    int buttonWidth, buttonHeight;
};

class ScrollBarLayout : public ::testing::TestWithParam<ScrollLayout>
{
};

} // namespace

TEST_P(ScrollBarLayout, ButtonsAtTheEndsTrackBetween)
{
    const ScrollLayout p = GetParam();
    QWidget window;
    auto* bar = new TsuiScrollBar(&window);
    window.show();
    bar->SetUIStyle(p.style);
    EXPECT_EQ(bar->Color(), GetThemeColor(p.style, teScrollBarColor));
    EXPECT_EQ(bar->Track()->Color(), bar->Color());
    EXPECT_EQ(bar->size(), QSize(p.buttonWidth, 185));
    EXPECT_EQ(bar->FirstButton()->geometry(), QRect(0, 0, p.buttonWidth, p.buttonHeight));
    EXPECT_EQ(bar->SecondButton()->geometry(), QRect(0, 185 - p.buttonHeight, p.buttonWidth, p.buttonHeight));
    const int trackLength = 185 - 2 * p.buttonHeight - 1;
    EXPECT_EQ(bar->Track()->geometry(), QRect(0, p.buttonHeight, 16, trackLength));
    EXPECT_EQ(bar->Track()->Slider()->size(), QSize(16, trackLength * 10 / 100));

    bar->SetOrientation(suiHorizontal);
    bar->resize(200, 50);
    EXPECT_EQ(bar->size(), QSize(200, p.buttonWidth)) << "rotated buttons";
    EXPECT_EQ(bar->Track()->geometry(), QRect(p.buttonHeight, 0, 200 - 2 * p.buttonHeight, 16));
    EXPECT_EQ(bar->SecondButton()->pos(), QPoint(200 - p.buttonHeight, 0));
    EXPECT_EQ(bar->Track()->Slider()->size(), QSize((200 - 2 * p.buttonHeight) / 10, 16));
}

INSTANTIATE_TEST_SUITE_P(EveryLook, ScrollBarLayout,
                         ::testing::Values(ScrollLayout{MacOS, 16, 22}, ScrollLayout{WinXP, 16, 17},
                                           ScrollLayout{DeepBlue, 16, 16}, ScrollLayout{Protein, 16, 16},
                                           ScrollLayout{BlueGlass, 17, 16}));

TEST(ScrollBar, SliderLengthFromPageSizeOrLineButton)
{
    QWidget window;
    auto* bar = new TsuiScrollBar(&window);
    window.show();
    bar->SetUIStyle(Protein);
    bar->resize(16, 233); // a 200-pixel track
    ASSERT_EQ(bar->Track()->height(), 200);
    const struct
    {
        int pageSize, lineButton, length, lineButtonAfter;
    } cases[] = {
        {10, 0, 20, 0}, {5, 0, 20, 0}, {50, 0, 100, 0}, {100, 0, 200, 0}, {50, 12, 18, 18}, {50, 40, 40, 40},
    };
    for (const auto& c : cases) {
        bar->SetLineButton(c.lineButton);
        bar->SetPageSize(c.pageSize);
        EXPECT_EQ(bar->Track()->Slider()->height(), c.length) << c.pageSize << "/" << c.lineButton;
        EXPECT_EQ(bar->LineButton(), c.lineButtonAfter);
    }
    bar->SetPageSize(101);
    EXPECT_EQ(bar->PageSize(), 50);
    bar->SetLineButton(0);
    EXPECT_EQ(bar->Track()->Slider()->height(), 100);
    bar->SetLargeChange(30);
    EXPECT_EQ(bar->PageSize(), 30);
    EXPECT_EQ(bar->Track()->Slider()->height(), 100) << "LargeChange does not rebuild the slider";
}

TEST(ScrollBar, SliderCapsComeFromTheTrackBitmapUpright)
{
    QWidget window;
    auto* bar = new TsuiScrollBar(&window);
    window.show();
    bar->SetUIStyle(WinXP);
    bar->SetLineButton(40);
    const TBitmap track = LoadSkinBitmap(QStringLiteral("WINXP_SCROLLBAR_TRACK"));
    ASSERT_EQ(track.Width(), 16);
    ASSERT_EQ(track.Height(), 21);
    const TBitmap vertical = bar->Track()->SliderImage().Bitmap();
    ASSERT_EQ(vertical.Width(), 16);
    ASSERT_EQ(vertical.Height(), 40);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(vertical.Pixel(x, y), track.Pixel(x, y)) << "start cap " << x << "," << y;
            ASSERT_EQ(vertical.Pixel(x, 33 + y), track.Pixel(x, 14 + y)) << "end cap " << x << "," << y;
        }
    bar->SetOrientation(suiHorizontal);
    bar->resize(200, 16);
    const TBitmap horizontal = bar->Track()->SliderImage().Bitmap();
    ASSERT_EQ(horizontal.Height(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(horizontal.Pixel(x, y), track.Pixel(15 - y, x)) << "turned left " << x << "," << y;
}

TEST(ScrollBar, ArrowsStepByTheSmallChangeAndCustomKeepsTheLook)
{
    QWidget window;
    auto* bar = new TsuiScrollBar(&window);
    bar->SetUIStyle(DeepBlue);
    bar->SetSmallChange(3);
    window.show();
    QTest::mouseClick(bar->SecondButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(bar->SecondButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(bar->FirstButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(bar->Position(), 3);
    bar->MouseContinuouslyDownDec();
    bar->MouseContinuouslyDownDec();
    EXPECT_EQ(bar->Position(), 0);

    const TColor deepBlue = bar->Color();
    bar->SetUIStyle(Custom);
    EXPECT_EQ(bar->UIStyle(), Custom);
    EXPECT_EQ(bar->Color(), deepBlue);
    bar->SetUIStyle(MacOS);
    EXPECT_EQ(bar->Color(), GetThemeColor(MacOS, teScrollBarColor));
    EXPECT_EQ(bar->FirstButton()->height(), 22);
}

// --- progress bar ------------------------------------------------------------

TEST(ProgressBar, FillExtentAndCaption)
{
    QWidget window;
    auto* bar = new TsuiProgressBar(&window);
    EXPECT_EQ(bar->size(), QSize(150, 12));
    EXPECT_EQ(bar->Caption(), QStringLiteral("50%"));
    bar->SetUIStyle(Custom);
    bar->SetPicture(Solid(1, 10, clRed));
    bar->SetColor(clWhite);
    bar->SetBorderColor(clBlack);
    bar->SetShowCaption(false);
    const struct
    {
        int min, max, position;
        const char* caption;
        int fillEnd; // first column not filled by the picture
    } cases[] = {
        {0, 100, 50, "50%", 74}, {0, 100, 0, "0%", 1},    {0, 100, 130, "130%", 149},
        {10, 10, 10, "0%", 1},   {-50, 50, 0, "50%", 74},
    };
    for (const auto& c : cases) {
        bar->SetMin(c.min);
        bar->SetMax(c.max);
        bar->SetPosition(c.position);
        EXPECT_EQ(bar->Caption(), QString::fromLatin1(c.caption));
        const QImage image = bar->PaintToImage();
        const std::string row = Mask(image.copy(0, 5, 150, 1), clRed);
        EXPECT_EQ(row, "." + std::string(std::size_t(c.fillEnd - 1), '#') +
                           std::string(std::size_t(150 - c.fillEnd), '.'))
            << c.position;
        EXPECT_EQ(PixelAt(image, c.fillEnd, 5), c.fillEnd < 149 ? clWhite : clBlack);
        EXPECT_EQ(PixelAt(image, 0, 5), clBlack);
    }
}

TEST(ProgressBar, CaptionRulesThicknessAndVerticalMirror)
{
    QWidget window;
    auto* bar = new TsuiProgressBar(&window);
    bar->SetUIStyle(WinXP);
    EXPECT_EQ(bar->Color(), GetThemeColor(WinXP, teControlColor));
    EXPECT_EQ(bar->BorderColor(), GetThemeColor(WinXP, teControlBorderColor));
    bar->SetCaptionColor(clRed);
    const auto inked = [&] {
        const QImage image = bar->PaintToImage();
        const std::string mask = Mask(image, clRed);
        return std::count(mask.begin(), mask.end(), '#');
    };
    EXPECT_GT(inked(), 10);
    bar->SetPosition(0);
    bar->SetSmartShowCaption(true);
    EXPECT_EQ(inked(), 0) << "hidden at Min";
    bar->SetPosition(1);
    EXPECT_GT(inked(), 10);

    bar->resize(200, 20);
    EXPECT_EQ(bar->size(), QSize(200, 12)) << "the thickness is fixed";
    bar->SetOrientation(suiVertical);
    EXPECT_EQ(bar->size(), QSize(12, 200));
    EXPECT_EQ(inked(), 0);
    EXPECT_FALSE(bar->ShowCaption()) << "vertical bars never write the caption";

    // A picture whose top row is red and bottom row blue, upside down.
    TBitmap twoRows(10, 2);
    twoRows.EditImage().fill(ToQColor(clBlue));
    for (int x = 0; x < 10; ++x)
        twoRows.SetPixel(x, 0, clRed);
    TPicture picture;
    picture.Assign(twoRows);
    bar->SetUIStyle(Custom);
    bar->SetPicture(picture);
    bar->SetColor(clWhite);
    bar->SetPosition(50);
    const QImage image = bar->PaintToImage();
    const int s = 199 - 199 * 50 / 100; // 100
    EXPECT_EQ(PixelAt(image, 5, s - 1), clWhite);
    EXPECT_EQ(PixelAt(image, 5, s), clBlue);
    EXPECT_EQ(PixelAt(image, 5, 198), clRed);
    EXPECT_EQ(PixelAt(image, 5, 1), clWhite);
}

TEST(ImagePanel, AlignKeepsThePanelAtItsEdgeInsideTheParentsBorderWidth)
{
    struct Case
    {
        TAlign Align;
        QRect Expected;
    };
    // A 300 x 200 image panel with a 5-pixel border width, grown to 320 x 220.
    const Case cases[] = {
        {alNone, QRect(20, 30, 50, 40)},    {alTop, QRect(5, 5, 310, 40)},
        {alBottom, QRect(5, 175, 310, 40)}, {alLeft, QRect(5, 5, 50, 210)},
        {alRight, QRect(265, 5, 50, 210)},  {alClient, QRect(5, 5, 310, 210)},
    };
    for (const Case& c : cases) {
        QWidget window;
        auto* parent = new TsuiImagePanel(&window);
        parent->resize(300, 200);
        parent->SetBorderWidth(5);
        auto* panel = new TsuiImagePanel(parent);
        panel->setGeometry(20, 30, 50, 40);
        window.show();
        panel->SetAlign(c.Align);
        parent->resize(320, 220);
        EXPECT_EQ(panel->geometry(), c.Expected) << c.Align;
        EXPECT_EQ(panel->Align(), c.Align);
    }
}
