#include "tests/support/PixelHelpers.h"

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "framework/TPictureCache.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A 6x4 picture with a magenta column (the skin's key colour) and a 2x
// picture of its own colours.
TBitmap Source()
{
    TBitmap bitmap(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            bitmap.SetPixel(x, y, x == 2 ? clFuchsia : RGB(40 * x, 60 * y, 200));
    QImage hiRes(12, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            hiRes.setPixel(x, y, x / 2 == 2 ? qRgb(255, 0, 255) : qRgb(20 * x, 30 * y, 100));
    bitmap.SetHiRes(hiRes);
    return bitmap;
}

struct Draw
{
    TRect Dest;
    TRect From;
    std::optional<TColor> Key;
    qreal Ratio = 1;
};

QImage Drawn(const TBitmap& source, const Draw& draw)
{
    QImage image = FilledImage(16 * int(draw.Ratio), 12 * int(draw.Ratio), clWhite);
    image.setDevicePixelRatio(draw.Ratio);
    TCanvas canvas(image);
    canvas.DrawBitmap(draw.Dest, source, draw.From, draw.Key);
    return image;
}

} // namespace

// A draw after the cache holds the pieces of another draw of the same source
// looks as it does from an empty cache: every input that changes the pixels
// is part of the key.
TEST(PictureCache, KeptPiecesDependOnEveryInput)
{
    const TBitmap source = Source();
    const Draw first{Rect(1, 1, 13, 9), Rect(0, 0, 6, 4), clFuchsia, 1};
    struct Case
    {
        const char* Changed;
        Draw Then;
    };
    const std::vector<Case> cases{
        {"size", {Rect(1, 1, 10, 5), Rect(0, 0, 6, 4), clFuchsia, 1}},
        {"place only", {Rect(3, 2, 15, 10), Rect(0, 0, 6, 4), clFuchsia, 1}},
        {"part of the source", {Rect(1, 1, 13, 9), Rect(1, 0, 4, 4), clFuchsia, 1}},
        {"no key colour", {Rect(1, 1, 13, 9), Rect(0, 0, 6, 4), std::nullopt, 1}},
        {"other key colour", {Rect(1, 1, 13, 9), Rect(0, 0, 6, 4), RGB(0, 60, 200), 1}},
        {"ratio", {Rect(1, 1, 13, 9), Rect(0, 0, 6, 4), clFuchsia, 2}},
        {"ratio, unscaled", {Rect(1, 1, 7, 5), Rect(0, 0, 6, 4), clFuchsia, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Changed);
        PictureCache().ClearDerived();
        Drawn(source, first);
        const QImage cached = Drawn(source, c.Then);
        PictureCache().ClearDerived();
        EXPECT_EQ(cached, Drawn(source, c.Then));
    }
}

TEST(PictureCache, ARepeatedDrawMakesNothingAndAChangedSourceIsRedrawn)
{
    TBitmap source = Source();
    const Draw draw{Rect(0, 0, 12, 8), Rect(0, 0, 6, 4), clFuchsia, 1};
    PictureCache().ClearDerived();
    const QImage before = Drawn(source, draw);
    const int builds = PictureCache().Builds();
    const int hits = PictureCache().Hits();
    EXPECT_EQ(Drawn(source, draw), before);
    EXPECT_EQ(PictureCache().Builds(), builds);
    EXPECT_GT(PictureCache().Hits(), hits);

    source.SetPixel(0, 0, clBlack);
    const QImage after = Drawn(source, draw);
    EXPECT_EQ(FromQRgb(after.pixel(0, 0)), clBlack);
    EXPECT_GT(PictureCache().Builds(), builds);
}

TEST(PictureCache, KeepsDerivedPicturesWithinItsLimit)
{
    TPictureCache cache(100 * 100 * 4);
    int made = 0;
    const auto picture = [&](int side) {
        TPictureKey key;
        key.Name = QStringLiteral("square");
        key.Size = QSize(side, side);
        return cache.Derived(key, [&] {
            ++made;
            return QImage(side, side, QImage::Format_ARGB32);
        });
    };
    picture(60);
    picture(60);
    EXPECT_EQ(made, 1);
    picture(90); // together over the limit: the older one goes
    picture(60);
    EXPECT_EQ(made, 3);
    picture(120); // larger than the limit: handed out, never kept
    picture(120);
    EXPECT_EQ(made, 5);
    EXPECT_EQ(cache.Builds(), 5);
    EXPECT_EQ(cache.Hits(), 1);
}

// Resources are read once: a second picture of the same file, and the skin
// bitmap of the same name, come from the kept copy.
TEST(PictureCache, ResourcesAreDecodedOncePerProcess)
{
    TPicture first;
    ASSERT_TRUE(first.LoadFromFile(QStringLiteral(":/pictures/MAIN_CLOSE_NORMAL.png")));
    const int builds = PictureCache().Builds();
    TPicture second;
    ASSERT_TRUE(second.LoadFromFile(QStringLiteral(":/pictures/MAIN_CLOSE_NORMAL.png")));
    EXPECT_EQ(second.Bitmap().Image().cacheKey(), first.Bitmap().Image().cacheKey());
    EXPECT_FALSE(second.Bitmap().HiRes().isNull());
    EXPECT_EQ(PictureCache().Builds(), builds);
    TPicture missing;
    EXPECT_FALSE(missing.LoadFromFile(QStringLiteral(":/pictures/none.png")));
    EXPECT_TRUE(missing.LastError().contains(QStringLiteral("none.png")));
}
