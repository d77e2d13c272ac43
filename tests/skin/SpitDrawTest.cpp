#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "skin/Suipublic.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr TColor kBackground = RGB(1, 2, 3);

// Every source pixel gets its own colour, so each target pixel names the
// source pixel it came from.
TColor SourceColor(int x, int y)
{
    return RGB(10 + x * 8, 10 + y * 8, 200);
}

TBitmap CodedSource(int w, int h)
{
    TBitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.SetPixel(x, y, SourceColor(x, y));
    return bitmap;
}

// "x,y" of the source pixel shown at a target pixel, "bg" for untouched.
std::string Origin(const QImage& image, int x, int y)
{
    const TColor c = FromQRgb(image.pixel(x, y));
    if (c == kBackground)
        return "bg";
    if (GetBValue(c) != 200)
        return "other";
    return std::to_string((GetRValue(c) - 10) / 8) + "," + std::to_string((GetGValue(c) - 10) / 8);
}

std::string At(int x, int y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

QImage Draw(const TBitmap& source, int w, int h, bool transparent = false)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(ToQColor(kBackground));
    TCanvas canvas(image);
    SpitDraw(source, canvas, Rect(0, 0, w, h), transparent);
    return image;
}

} // namespace

TEST(SpitDraw, WinXPButtonInto84x25)
{
    const QImage image = Draw(CodedSource(18, 21), 84, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 84; ++x) {
            std::string expected;
            if (y < 10) // top corners unscaled, top edge from column 9
                expected = x < 9 ? At(x, y) : x < 76 ? At(9, y) : At(x - 66, y);
            else if (y < 15) // left edge row 10, middle, right edge row 11
                expected = x < 9 ? At(x, 10) : x < 76 ? At(9, 10) : At(x - 66, 11);
            else if (y == 15) // the bottom edge starts one row above the bottom corners
                expected = x < 8 ? At(x, 10) : x < 76 ? At(9, 11) : At(x - 66, 11);
            else // bottom corners from row 12; the bottom edge overlaps column 8
                expected = x < 8 ? At(x, y - 4) : x < 76 ? At(9, y - 4) : At(x - 66, y - 4);
            ASSERT_EQ(Origin(image, x, y), expected) << "target " << x << "," << y;
        }
}

TEST(SpitDraw, TargetSmallerThanTheSourceCutsCorners)
{
    // 10 x 8: corners 5 x 4 (left/top), 4 x 3 (right/bottom), cut toward their sides.
    const QImage image = Draw(CodedSource(18, 21), 10, 8);
    const char* expected[8][10] = {
        {"0,0", "1,0", "2,0", "3,0", "4,0", "9,0", "14,0", "15,0", "16,0", "17,0"},
        {"0,1", "1,1", "2,1", "3,1", "4,1", "9,1", "14,1", "15,1", "16,1", "17,1"},
        {"0,2", "1,2", "2,2", "3,2", "4,2", "9,2", "14,2", "15,2", "16,2", "17,2"},
        {"0,3", "1,3", "2,3", "3,3", "4,3", "9,3", "14,3", "15,3", "16,3", "17,3"},
        {"0,10", "1,10", "2,10", "3,10", "9,17", "9,17", "14,11", "15,11", "16,11", "17,11"},
        {"0,18", "1,18", "2,18", "3,18", "9,18", "9,18", "14,18", "15,18", "16,18", "17,18"},
        {"0,19", "1,19", "2,19", "3,19", "9,19", "9,19", "14,19", "15,19", "16,19", "17,19"},
        {"0,20", "1,20", "2,20", "3,20", "9,20", "9,20", "14,20", "15,20", "16,20", "17,20"},
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(Origin(image, x, y), expected[y][x]) << "target " << x << "," << y;
}

TEST(SpitDraw, EvenSourceHeightSkipsTheLeftEdgeAndMiddle)
{
    const QImage image = Draw(CodedSource(18, 20), 84, 25);
    for (int y = 10; y < 15; ++y) {
        for (int x = 0; x < 76; ++x)
            EXPECT_EQ(Origin(image, x, y), "bg") << x << "," << y;
        // The right edge strip is two rows high for an even source.
        for (int x = 76; x < 84; ++x)
            EXPECT_EQ(Origin(image, x, y), At(x - 66, y < 13 ? 10 : 11)) << x << "," << y;
    }
    EXPECT_EQ(Origin(image, 0, 16), At(0, 11)); // bottom-left corner from row sh - hh + 1
    EXPECT_EQ(Origin(image, 30, 15), At(9, 10));
}

TEST(SpitDraw, MagentaIsLeftOutOfCornersOnlyWhenTransparent)
{
    TBitmap source = CodedSource(18, 21);
    source.SetPixel(0, 0, clFuchsia); // top-left corner
    source.SetPixel(9, 5, clFuchsia); // top edge strip
    const QImage opaque = Draw(source, 84, 25, false);
    EXPECT_EQ(FromQRgb(opaque.pixel(0, 0)), clFuchsia);
    EXPECT_EQ(Origin(opaque, 40, 5), "bg") << "stretched parts always leave magenta out";
    const QImage transparent = Draw(source, 84, 25, true);
    EXPECT_EQ(Origin(transparent, 0, 0), "bg");
    EXPECT_EQ(Origin(transparent, 1, 0), "1,0");
}

TEST(SpitDraw, TinyAndEmptyTargets)
{
    const TBitmap source = CodedSource(18, 21);
    QImage one = Draw(source, 1, 1);
    EXPECT_EQ(Origin(one, 0, 0), "9,20"); // only the bottom edge reaches it
    const QImage none = Draw(TBitmap(), 5, 5);
    EXPECT_EQ(Origin(none, 2, 2), "bg");
}

TEST(SpitDrawHorizontal, CapsUnscaledMiddleStretchedKeyFromTopLeft)
{
    TBitmap source(10, 2); // cells of 3; column 9 is never used
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x)
            source.SetPixel(x, y, SourceColor(x, y));
    source.SetPixel(0, 0, clFuchsia);
    source.SetPixel(4, 1, clFuchsia); // same colour as the top-left pixel
    source.SetPixel(8, 0, clFuchsia);

    QImage image(12, 3, QImage::Format_ARGB32);
    image.fill(ToQColor(kBackground));
    {
        TCanvas canvas(image);
        SpitDrawHorizontal(source, canvas, Rect(1, 0, 11, 3), false);
    }
    EXPECT_EQ(FromQRgb(image.pixel(1, 0)), clFuchsia);
    EXPECT_EQ(Origin(image, 3, 1), "2,1");
    EXPECT_EQ(Origin(image, 1, 2), "bg") << "caps keep the source height";
    EXPECT_EQ(Origin(image, 4, 0), "3,0");
    EXPECT_EQ(Origin(image, 7, 0), "5,0");
    EXPECT_EQ(Origin(image, 4, 2), "3,1") << "the middle is stretched to the full height";
    EXPECT_EQ(Origin(image, 8, 0), "6,0");
    EXPECT_EQ(Origin(image, 10, 1), "8,1");
    EXPECT_EQ(Origin(image, 0, 0), "bg");
    EXPECT_EQ(Origin(image, 11, 0), "bg");

    image.fill(ToQColor(kBackground));
    {
        TCanvas canvas(image);
        SpitDrawHorizontal(source, canvas, Rect(1, 0, 11, 3), true);
    }
    EXPECT_EQ(Origin(image, 1, 0), "bg");
    EXPECT_EQ(Origin(image, 10, 0), "bg");
    EXPECT_EQ(Origin(image, 9, 0), "7,0");
    EXPECT_EQ(Origin(image, 2, 0), "1,0");
    // Source pixel (4,1) carries the key too, and lands at x 5..6, y 1..2 of the middle.
    EXPECT_EQ(Origin(image, 5, 1), "bg");
    EXPECT_EQ(Origin(image, 6, 2), "bg");
    EXPECT_EQ(Origin(image, 5, 0), "4,0");
}

TEST(TileDraw, StartsAtTheOriginAndRunsOnePictureBeyondTheRectangle)
{
    TBitmap tile(3, 2);
    tile.SetPixel(0, 0, clRed);
    tile.SetPixel(1, 0, clLime);
    tile.SetPixel(2, 0, clLime);
    tile.SetPixel(0, 1, clLime);
    tile.SetPixel(1, 1, clLime);
    tile.SetPixel(2, 1, clLime);
    QImage image(20, 12, QImage::Format_ARGB32);
    image.fill(ToQColor(kBackground));
    {
        TCanvas canvas(image);
        TileDraw(canvas, tile, Rect(5, 5, 12, 10)); // 7 x 5: only its size matters
    }
    std::string reds;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            if (FromQRgb(image.pixel(x, y)) == clRed)
                reds += At(x, y) + " ";
    EXPECT_EQ(reds, "0,0 3,0 6,0 9,0 0,2 3,2 6,2 9,2 0,4 3,4 6,4 9,4 0,6 3,6 6,6 9,6 ");
    EXPECT_EQ(FromQRgb(image.pixel(11, 7)), clLime);
    EXPECT_EQ(FromQRgb(image.pixel(12, 0)), kBackground);
    EXPECT_EQ(FromQRgb(image.pixel(0, 8)), kBackground);

    image.fill(ToQColor(kBackground));
    {
        TCanvas canvas(image);
        TileDraw(canvas, TPicture(), Rect(0, 0, 20, 12));
    }
    EXPECT_EQ(FromQRgb(image.pixel(0, 0)), kBackground);
}
