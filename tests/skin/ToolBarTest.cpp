#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "skin/SuiStyleRules.h"
#include "skin/SuiToolBar.h"
#include "tests/support/PixelHelpers.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr TColor kImage = clLime;

struct ToolBarFixture : ::testing::Test
{
    TControl host;
    TImageList images{16, 16};
    TsuiToolBar* bar = new TsuiToolBar(&host);
    int clicks = 0;

    void SetUp() override
    {
        host.SetColor(clRed);
        host.resize(300, 60);
        TBitmap picture(16, 16);
        picture.EditImage().fill(ToQColor(kImage));
        images.Add(picture);
        bar->SetBounds(0, 0, 300, 44);
        bar->SetUIStyle(WinXP);
        bar->SetShowCaptions(true);
        bar->AddButton(QStringLiteral("New"), 0);
        bar->AddButton(QStringLiteral("Open"), 0, tbsCheck);
        bar->AddButton(QStringLiteral("Save"), 0);
        bar->Button(1)->OnClick = [this](QObject*) { ++clicks; };
    }

    void Mouse(QEvent::Type type, int index)
    {
        const QPoint at = index < 0 ? QPoint(299, 43) : bar->ButtonRect(index).ToQRect().center();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, bar->mapToGlobal(at), button,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }
};

// The bounding box of the pixels of one colour inside a rectangle.
QRect InkBox(const QImage& image, const TRect& area, TColor ink)
{
    QRect box;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (PixelAt(image, x, y) == ink)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST_F(ToolBarFixture, TakesTheLookColoursAndCustomKeepsThem)
{
    const struct
    {
        TsuiUIStyle style;
        TColor border, button, down, face;
    } cases[] = {
        {MacOS, 0x474747, 0xEFEFEF, 0xD8D8D8, 0xE7E7E7},
        {WinXP, 0xC66931, 0xEFD3C6, 0xE1AC93, 0xDEEBEF},
        {DeepBlue, 0x474747, 0xEFEFEF, 0xD8D8D8, 0xE8E8E8},
        {Protein, 0x474747, 0xEFEFEF, 0xD8D8D8, 0xFBFBFB},
        {BlueGlass, 0x474747, 0xEFEFEF, 0xD8D8D8, 0xE7E7E7},
    };
    for (const auto& c : cases) {
        bar->SetUIStyle(c.style);
        EXPECT_EQ(bar->ButtonBorderColor(), c.border) << c.style;
        EXPECT_EQ(bar->ButtonColor(), c.button) << c.style;
        EXPECT_EQ(bar->ButtonDownColor(), c.down) << c.style;
        EXPECT_EQ(bar->Color(), c.face) << c.style;
        EXPECT_EQ(bar->Transparent(), c.style == MacOS) << c.style;
        EXPECT_EQ(bar->EdgeInner(), esNone);
        // An empty stretch of the bar: the parent shows through a MacOS bar.
        EXPECT_EQ(PixelAt(bar->PaintToImage(), 280, 40), c.style == MacOS ? clRed : c.face) << c.style;
    }
    bar->SetButtonColor(0x123456);
    bar->SetUIStyle(Custom);
    EXPECT_EQ(bar->ButtonColor(), 0x123456u);
    EXPECT_EQ(bar->ButtonBorderColor(), 0x474747u);
    EXPECT_EQ(bar->Color(), 0xE7E7E7u);

    // A container's style reaches a Custom bar too.
    ContainerApplyUIStyle(&host, WinXP);
    EXPECT_EQ(bar->UIStyle(), WinXP);
    EXPECT_EQ(bar->ButtonColor(), 0xEFD3C6u);
}

TEST_F(ToolBarFixture, DrawsHotPressedAndCheckedButtonsAndLeavesTheRestToTheBar)
{
    enum State
    {
        Plain,
        Hot,
        Pressed,
        CheckedAway
    };
    const struct
    {
        State state;
        bool withImages;
        TColor fill; // clNone: the bar's own drawing
        int imageY, textY;
    } cases[] = {
        {Hot, true, 0xEFD3C6, 2, 20},         {Pressed, true, 0xE1AC93, 3, 20},
        {CheckedAway, true, 0xEFD3C6, 2, 20}, {Hot, false, 0xEFD3C6, -1, 4},
        {Pressed, false, 0xE1AC93, -1, 5},    {CheckedAway, false, 0xEFD3C6, -1, 4},
        {Plain, true, clNone, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " images " << c.withImages);
        bar->SetImages(c.withImages ? &images : nullptr);
        bar->Button(1)->Down = c.state == CheckedAway;
        Mouse(QEvent::MouseMove, c.state == Hot || c.state == Pressed ? 1 : -1);
        if (c.state == Pressed)
            Mouse(QEvent::MouseButtonPress, 1);
        const QImage shot = bar->PaintToImage();
        const TRect r = bar->ButtonRect(1);
        const TColor frame = c.fill == clNone ? 0xDEEBEF : 0xC66931;
        EXPECT_EQ(PixelAt(shot, r.Left, r.Top), frame);
        EXPECT_EQ(PixelAt(shot, r.Right - 1, r.Bottom - 1), frame);
        EXPECT_EQ(PixelAt(shot, r.Left + 1, r.Bottom - 2), c.fill == clNone ? 0xDEEBEFu : c.fill);
        if (c.fill == clNone)
            continue;

        const int lift = c.state == Pressed ? 0 : 1;
        if (c.withImages) {
            const QRect image = InkBox(shot, r, kImage);
            EXPECT_EQ(image, QRect(r.Left + (r.Width() - 16) / 2 - lift, c.imageY, 16, 16));
        }
        // The caption where a plain write at the expected place puts it.
        QImage expected = FilledImage(shot.width(), shot.height(), c.fill);
        TCanvas canvas(expected);
        canvas.Font = bar->Font();
        canvas.Brush.Style = bsClear;
        const QString caption = QStringLiteral("Open");
        canvas.TextOut(r.Left + (r.Width() - canvas.TextWidth(caption)) / 2, c.textY, caption);
        const TColor ink = ColorToRGB(bar->Font().Color);
        ASSERT_FALSE(InkBox(expected, r, ink).isEmpty());
        EXPECT_EQ(InkBox(shot, r, ink), InkBox(expected, r, ink));
        if (c.state == Pressed)
            Mouse(QEvent::MouseButtonRelease, -1);
    }
}

TEST_F(ToolBarFixture, ClickingAToggleButtonChecksItOnlyWhenReleasedOverIt)
{
    const struct
    {
        int releaseOver;
        bool down;
        int clicks;
    } cases[] = {{1, true, 1}, {-1, true, 1}, {1, false, 2}, {0, false, 2}};
    for (const auto& c : cases) {
        Mouse(QEvent::MouseMove, 1);
        Mouse(QEvent::MouseButtonPress, 1);
        EXPECT_EQ(bar->ButtonState(1) & (cdsHot | cdsSelected), cdsHot | cdsSelected);
        Mouse(QEvent::MouseMove, c.releaseOver);
        Mouse(QEvent::MouseButtonRelease, c.releaseOver);
        EXPECT_EQ(bar->Button(1)->Down, c.down);
        EXPECT_EQ(clicks, c.clicks);
    }
}
