#include "framework/TBitmap.h"
#include "framework/TPictureCache.h"
#include "skin/SuiButton.h"
#include "skin/SuiStyleRules.h"

#include <QEnterEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct ButtonFixture : ::testing::Test
{
    QWidget window;
    TsuiButton* button = new TsuiButton(&window);
    int clicks = 0;

    void SetUp() override
    {
        window.resize(300, 200);
        button->SetBounds(12, 20, 84, 25);
        button->SetUIStyle(WinXP);
        button->SetCaption(QStringLiteral("确定"));
        button->OnClick = [this](QObject*) { ++clicks; };
    }

    void ShowActive()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

// Compares a block of the painted button with a block of a bitmap.
::testing::AssertionResult SameBlock(const QImage& painted, int px, int py, const TBitmap& source, int sx,
                                     int sy, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (FromQRgb(painted.pixel(px + x, py + y)) != source.Pixel(sx + x, sy + y))
                return ::testing::AssertionFailure()
                       << "painted (" << px + x << "," << py + y << ") differs from source (" << sx + x << ","
                       << sy + y << ")";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(ButtonFixture, MouseClickFiresOnceOnlyWhenReleasedInside)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button->Pressed());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(button, QPoint(150, 10));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(clicks, 1);

    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonFixture, DraggingOutClearsPressedAndHover)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->MouseOver());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(button, QPoint(-3, 10));
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->MouseOver());
    QTest::mouseMove(button, QPoint(10, 10));
    EXPECT_TRUE(button->MouseOver());
    EXPECT_FALSE(button->Pressed());
}

TEST_F(ButtonFixture, SpaceAndEnterClickTheFocusedButton)
{
    ShowActive();
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(clicks, 0) << "the click comes on release";
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(clicks, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonFixture, DisabledIgnoresMouseAndKeys)
{
    ShowActive();
    button->setFocus();
    button->SetEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks, 0);
    button->SetEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonFixture, EnterAndEscapeReachOnlyDefaultAndCancelButtons)
{
    auto* other = new TsuiButton(&window);
    other->SetBounds(120, 20, 84, 25);
    ShowActive();
    other->setFocus();
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Default());
    EXPECT_FALSE(button->Cancel());

    // A focused button takes Enter itself; Escape goes to the cancel button.
    button->SetCancel(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
    button->SetCancel(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonFixture, AcceleratorOfTheCaptionClicksAndFocuses)
{
    auto* other = new TsuiButton(&window);
    other->SetBounds(120, 20, 84, 25);
    button->SetCaption(QStringLiteral("&Go"));
    ShowActive();
    other->setFocus();
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button->hasFocus());
}

TEST_F(ButtonFixture, HeldButtonRepeatsUntilRelease)
{
    int ticks = 0;
    button->OnMouseContinuouslyDown = [&](QObject*) { ++ticks; };
    ASSERT_EQ(button->MouseContinuouslyDownInterval(), 100);
    auto* repeat = button->findChild<QTimer*>();
    ASSERT_NE(repeat, nullptr);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    // The first tick comes one interval after the press, then one per interval.
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(repeat->isActive());
    EXPECT_EQ(repeat->interval(), 100);
    EXPECT_FALSE(repeat->isSingleShot());
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(repeat, "timeout");
    EXPECT_EQ(ticks, 3);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(repeat->isActive()) << "no tick after the release";
}

TEST_F(ButtonFixture, WinXPCornersComeFromTheStateBitmapUnscaled)
{
    const TBitmap normal = LoadSkinBitmap(QStringLiteral("WINXP_BUTTON_NORMAL"));
    const TBitmap down = LoadSkinBitmap(QStringLiteral("WINXP_BUTTON_MOUSEDOWN"));
    const TBitmap over = LoadSkinBitmap(QStringLiteral("WINXP_BUTTON_MOUSEON"));
    ASSERT_EQ(normal.Width(), 18);
    ASSERT_EQ(normal.Height(), 21);
    button->SetCaption(QString());

    QImage painted = button->PaintToImage();
    EXPECT_TRUE(SameBlock(painted, 0, 0, normal, 0, 0, 9, 10));
    EXPECT_TRUE(SameBlock(painted, 76, 16, normal, 10, 12, 8, 9));
    EXPECT_TRUE(SameBlock(painted, 76, 0, normal, 10, 0, 8, 10));
    EXPECT_TRUE(SameBlock(painted, 0, 16, normal, 0, 12, 9, 9));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    painted = button->PaintToImage();
    EXPECT_TRUE(SameBlock(painted, 0, 0, over, 0, 0, 9, 10));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    painted = button->PaintToImage();
    EXPECT_TRUE(SameBlock(painted, 76, 16, down, 10, 12, 8, 9));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
}

TEST_F(ButtonFixture, DisabledCaptionIsEmbossedGrey)
{
    button->SetCaption(QStringLiteral("OK"));
    button->SetEnabled(false);
    const QImage painted = button->PaintToImage();
    int grey = 0;
    int shadowed = 0;
    for (int y = 0; y + 1 < painted.height(); ++y)
        for (int x = 0; x + 1 < painted.width(); ++x)
            if (FromQRgb(painted.pixel(x, y)) == clGray) {
                ++grey;
                const TColor below = FromQRgb(painted.pixel(x + 1, y + 1));
                if (below == clWhite || below == clGray)
                    ++shadowed;
            }
    EXPECT_GT(grey, 10);
    EXPECT_EQ(shadowed, grey) << "every grey text pixel has the white shadow (or more text) below right";
}

TEST_F(ButtonFixture, FocusRectangleOnlyWhileFocused)
{
    button->SetCaption(QString());
    ShowActive();
    auto* other = new TsuiButton(&window);
    other->SetBounds(120, 20, 84, 25);
    other->show();
    other->setFocus();
    const QImage unfocused = button->PaintToImage();
    button->setFocus();
    const QImage focused = button->PaintToImage();
    // The dotted frame inverts every other pixel of (2, 2, w - 2, h - 2).
    EXPECT_NE(focused.pixel(2, 2), unfocused.pixel(2, 2));
    EXPECT_EQ(focused.pixel(3, 2), unfocused.pixel(3, 2));
    EXPECT_EQ(focused.pixel(1, 1), unfocused.pixel(1, 1));
}

TEST_F(ButtonFixture, CustomPictureNamesSwitchToCustomAndAutoSize)
{
    button->SetPicNormalResName(QStringLiteral("PROTEIN_BUTTON_NORMAL"));
    EXPECT_EQ(button->UIStyle(), Custom);
    EXPECT_EQ(button->PicNormalResName(), QStringLiteral("PROTEIN_BUTTON_NORMAL"));
    EXPECT_EQ(button->size(), QSize(74, 21));
    button->SetUIStyle(WinXP);
    EXPECT_TRUE(button->PicNormalResName().isEmpty());
}

TEST_F(ButtonFixture, ContainerStyleReachesStyledButtonsOnly)
{
    auto* custom = new TsuiButton(&window);
    custom->SetPicNormalResName(QStringLiteral("WINXP_BUTTON_NORMAL"));
    ContainerApplyUIStyle(&window, Protein);
    EXPECT_EQ(button->UIStyle(), Protein);
    EXPECT_EQ(custom->UIStyle(), Custom);
}

TEST_F(ButtonFixture, MacOSButtonKeepsItsBitmapHeight)
{
    button->SetUIStyle(MacOS);
    EXPECT_EQ(button->height(), 23);
    button->SetBounds(12, 20, 90, 30);
    EXPECT_EQ(button->size(), QSize(90, 23));
    button->SetUIStyle(WinXP);
    button->SetHeight(30);
    EXPECT_EQ(button->height(), 30);
}

// Glyph cells are kept between paints; a paint in another state, of another
// glyph or at another ratio looks as it does from an empty cache.
TEST_F(ButtonFixture, KeptGlyphCellsFollowStateGlyphAndRatio)
{
    const auto glyph = [](int width, int height, TColor ink) {
        TBitmap bitmap(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                bitmap.SetPixel(x, y, (x + y) % 3 == 0 ? clFuchsia : x < height ? ink : RGB(0, 128, 0));
        return bitmap;
    };
    struct Case
    {
        const char* Name;
        TBitmap Glyph;
        bool Enabled;
        qreal Ratio;
    };
    const TBitmap red = glyph(8, 8, clRed);
    const TBitmap strip = glyph(16, 8, clRed);
    const Case first{"enabled", red, true, 1};
    const Case cases[] = {{"disabled", red, false, 1},
                          {"two cells, disabled", strip, false, 1},
                          {"other glyph", glyph(8, 8, clBlue), true, 1},
                          {"ratio 2", red, true, 2}};
    const auto paint = [this](const Case& c) {
        button->SetGlyph(c.Glyph);
        button->SetEnabled(c.Enabled);
        QImage image(QSize(84, 25) * int(c.Ratio), QImage::Format_ARGB32);
        image.setDevicePixelRatio(c.Ratio);
        button->render(&image);
        return image;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        PictureCache().ClearDerived();
        paint(first);
        paint({"two cells", strip, true, 1});
        const QImage kept = paint(c);
        PictureCache().ClearDerived();
        EXPECT_EQ(kept, paint(c));
    }
}
