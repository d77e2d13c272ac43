#include "tests/support/PixelHelpers.h"

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "framework/TImageList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(Bitmap, SizeAndPixels)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.TransparentColor(), clNone);
    bitmap.SetSize(3, 2);
    bitmap.SetPixel(2, 1, clTeal);
    bitmap.SetPixel(0, 1, clMaroon);
    EXPECT_EQ(bitmap.TransparentColor(), clMaroon);
    bitmap.SetSize(4, 4);
    EXPECT_EQ(bitmap.Pixel(2, 1), clTeal) << "resizing keeps what fits";
    EXPECT_EQ(bitmap.Pixel(7, 7), clNone);
    EXPECT_EQ(bitmap.TransparentColor(), bitmap.Pixel(0, 3));
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, MissingSkinResourceGivesAnEmptyBitmap)
{
    TBitmap bitmap(2, 2);
    EXPECT_FALSE(bitmap.LoadFromResourceName("NO_SUCH_SKIN_PICTURE"));
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(LoadSkinBitmap("NO_SUCH_SKIN_PICTURE").Empty());
    // A picture the caller cannot do without names itself in the error.
    EXPECT_EQ(LoadRequiredSkinBitmap("FONTCOMBO_DEVICE_FNT").Width(), 20);
    try {
        LoadRequiredSkinBitmap("NO_SUCH_SKIN_PICTURE");
        ADD_FAILURE() << "a missing picture must throw";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Resource NO_SUCH_SKIN_PICTURE not found");
    }
}

TEST(Bitmap, SkinBitmapsAreDecodedOnceAndShared)
{
    const TBitmap& first = SkinBitmap("WINXP_BUTTON_NORMAL");
    ASSERT_EQ(QSize(first.Width(), first.Height()), QSize(18, 21));
    EXPECT_EQ(&SkinBitmap("WINXP_BUTTON_NORMAL"), &first);
    TBitmap copy = LoadSkinBitmap("WINXP_BUTTON_NORMAL");
    EXPECT_EQ(copy.Image().cacheKey(), first.Image().cacheKey()) << "a copy shares the pixels";
    const TColor before = first.Pixel(0, 0);
    copy.SetPixel(0, 0, before ^ 0xFFFFFF);
    EXPECT_EQ(SkinBitmap("WINXP_BUTTON_NORMAL").Pixel(0, 0), before)
        << "writing to a copy leaves the shared one";
    EXPECT_TRUE(SkinBitmap("NO_SUCH_SKIN_PICTURE").Empty());
}

QImage Filled(int size, QRgb colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The 2x sibling is decoded only when it is first asked for, yet it is the
// one that lay beside the file when the file was loaded, decoded once for the
// bitmap and every copy made before.
TEST(Bitmap, The2xSiblingIsTheOneFoundAtLoadingAndDecodedOnceForEveryCopy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("tile.png"), sibling = dir.filePath("tile@2x.png");
    const std::function<TBitmap(const QString&)> loaders[] = {
        [](const QString& path) {
            TBitmap bitmap;
            EXPECT_TRUE(bitmap.LoadFromFile(path));
            return bitmap;
        },
        [](const QString& path) {
            TPicture picture;
            EXPECT_TRUE(picture.LoadFromFile(path));
            return picture.Bitmap();
        },
    };
    for (const auto& load : loaders) {
        ASSERT_TRUE(Filled(2, qRgb(255, 0, 0)).save(file));
        ASSERT_TRUE(Filled(4, qRgb(0, 0, 255)).save(sibling));
        const TBitmap loaded = load(file);
        const TBitmap copy = loaded;
        ASSERT_TRUE(Filled(4, qRgb(0, 255, 0)).save(sibling));
        ASSERT_EQ(copy.HiRes().size(), QSize(4, 4));
        EXPECT_EQ(copy.HiRes().pixel(3, 3), qRgb(0, 0, 255));
        EXPECT_EQ(copy.HiRes().devicePixelRatio(), 2);
        EXPECT_EQ(loaded.HiRes().cacheKey(), copy.HiRes().cacheKey());

        ASSERT_TRUE(Filled(6, qRgb(0, 0, 255)).save(sibling));
        EXPECT_TRUE(load(file).HiRes().isNull()) << "a sibling not twice the size is no 2x picture";
        ASSERT_TRUE(QFile::remove(sibling));
        EXPECT_TRUE(load(file).HiRes().isNull());
    }
}

TEST(Bitmap, APartCutsItsOwn2xPictureOnlyWhenItIsAskedFor)
{
    int reads = 0;
    TBitmap whole(Filled(4, qRgb(255, 0, 0)));
    whole.SetHiResSource([&reads] {
        ++reads;
        QImage hiRes = Filled(8, qRgb(0, 0, 255));
        hiRes.setPixel(4, 6, qRgb(0, 255, 0));
        return hiRes;
    });
    const TBitmap part = whole.Copy(TRect{2, 2, 4, 4});
    const TBitmap nothing = TBitmap(Filled(4, qRgb(255, 0, 0))).Copy(TRect{2, 2, 4, 4});
    EXPECT_EQ(reads, 0) << "taking a part decodes nothing";
    ASSERT_EQ(part.HiRes().size(), QSize(4, 4));
    EXPECT_EQ(part.HiRes().pixel(0, 2), qRgb(0, 255, 0));
    EXPECT_EQ(part.HiRes().devicePixelRatio(), 2);
    EXPECT_EQ(whole.HiRes().pixel(4, 6), qRgb(0, 255, 0));
    EXPECT_EQ(reads, 1) << "the whole and its part share one decode";
    EXPECT_TRUE(nothing.HiRes().isNull());
}

TEST(ImageList, AddCutsCellsAndMasksTheKeyColour)
{
    TBitmap strip(5, 2);
    for (int y = 0; y < 2; ++y) {
        strip.SetPixel(0, y, clRed);
        strip.SetPixel(1, y, clFuchsia);
        strip.SetPixel(2, y, clBlue);
        strip.SetPixel(3, y, clFuchsia);
        strip.SetPixel(4, y, clLime);
    }
    TImageList list(2, 2);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2) << "the fifth column is not a whole cell";
    EXPECT_EQ(list.Add(strip), 2);
    EXPECT_EQ(list.Count(), 4);

    QImage image = FilledImage(4, 2, clWhite);
    {
        TCanvas canvas(image);
        list.Draw(canvas, 0, 0, 1);
        list.Draw(canvas, 2, 0, 3);
        list.Draw(canvas, 0, 0, 9); // out of range: nothing
    }
    EXPECT_EQ(Mask(image, clBlue), "#.#.|#.#.");
    EXPECT_EQ(Mask(image, clWhite), ".#..|.#..");
    EXPECT_EQ(Mask(image, clFuchsia), "...#|...#");
}

TEST(ImageList, DisabledDrawIsGrey)
{
    TBitmap cell(1, 1);
    cell.SetPixel(0, 0, RGB(200, 100, 0));
    TImageList list(1, 1);
    list.Add(cell);
    QImage image = FilledImage(2, 1, clWhite);
    {
        TCanvas canvas(image);
        list.Draw(canvas, 0, 0, 0, true);
        list.Draw(canvas, 1, 0, 0, false);
    }
    EXPECT_EQ(PixelAt(image, 0, 0), RGB(200, 100, 0));
    const int grey = (200 * 30 + 100 * 59) / 100;
    EXPECT_EQ(PixelAt(image, 1, 0), RGB(grey, grey, grey));
}

TEST(Bitmap, PicturesArePremultipliedOnlyWherePixelsReadTheSame)
{
    struct Case
    {
        const char* what;
        QRgb corner; // the bottom-left pixel, which gives the key colour
        QImage::Format stored;
        TColor pixel;
    };
    const Case cases[] = {
        {"opaque", qRgb(255, 0, 255), kPaintFormat, clFuchsia},
        {"transparent black", qRgba(0, 0, 0, 0), kPaintFormat, clBlack},
        {"transparent with a colour", qRgba(255, 0, 255, 0), QImage::Format_ARGB32, clFuchsia},
        {"partly transparent", qRgba(200, 100, 50, 77), QImage::Format_ARGB32, RGB(200, 100, 50)},
    };
    for (const Case& c : cases) {
        QImage image(2, 2, QImage::Format_ARGB32);
        image.fill(qRgb(10, 20, 30));
        image.setPixel(0, 1, c.corner);
        TBitmap bitmap(image);
        EXPECT_EQ(bitmap.Image().format(), c.stored) << c.what;
        EXPECT_EQ(bitmap.TransparentColor(), c.pixel) << c.what;
        EXPECT_EQ(bitmap.Pixel(1, 0), RGB(10, 20, 30)) << c.what;
        bitmap.SetSize(3, 3);
        EXPECT_EQ(bitmap.Image().format(), c.stored) << c.what << ": resizing keeps the format";
        EXPECT_EQ(bitmap.Pixel(0, 1), c.pixel) << c.what << ": resizing keeps the pixel";
    }
}
