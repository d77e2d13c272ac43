// Drawing above ratio 1: bitmaps come from their 2x pictures, and the pieces
// of nine-slice, three-slice and tiled draws meet on whole device pixels.
#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "framework/TControl.h"
#include "framework/TImageList.h"
#include "skin/Suipublic.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr QRgb kBackground = qRgb(1, 2, 3);
constexpr qreal kRatios[] = {1.25, 1.5, 1.75, 2};

QImage Surface(QSize logical, qreal ratio)
{
    QImage image = DeviceImage(logical, ratio);
    image.fill(kBackground);
    return image;
}

// A bitmap of one colour at 1x and another at 2x, so each device pixel tells which was drawn.
TBitmap Solid(int w, int h, QRgb low, QRgb high)
{
    TBitmap bitmap(w, h);
    bitmap.EditImage().fill(low);
    QImage hiRes(2 * w, 2 * h, QImage::Format_ARGB32);
    hiRes.fill(high);
    bitmap.SetHiRes(hiRes);
    return bitmap;
}

// Where the target does not show `color`: the first device pixel, or empty.
std::string FirstOther(const QImage& image, const QRect& area, QRgb color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != color)
                return std::to_string(x) + "," + std::to_string(y) + " is #" +
                       QString::number(image.pixel(x, y) & 0xFFFFFF, 16).toStdString();
    return {};
}

QRect DeviceArea(const TRect& logical, qreal ratio)
{
    return QRect(QPoint(qRound(logical.Left * ratio), qRound(logical.Top * ratio)),
                 QPoint(qRound(logical.Right * ratio) - 1, qRound(logical.Bottom * ratio) - 1));
}

} // namespace

TEST(DeviceRatio, NineSliceAndThreeSliceLeaveNoSeamAtAnyRatio)
{
    constexpr QRgb kLow = qRgb(200, 0, 0);
    constexpr QRgb kHigh = qRgb(0, 120, 240);
    const TBitmap button = Solid(18, 21, kLow, kHigh);
    const TBitmap bar = Solid(9, 17, kLow, kHigh);
    for (qreal ratio : kRatios)
        for (const QSize target : {QSize(84, 25), QSize(37, 22), QSize(75, 23), QSize(13, 9)}) {
            SCOPED_TRACE(std::to_string(ratio) + " into " + std::to_string(target.width()) + "x" +
                         std::to_string(target.height()));
            QImage image = Surface(target + QSize(6, 6), ratio);
            {
                TCanvas canvas(image);
                // Views shift the origin to odd places, as a control's parent does.
                const TCanvasView view(canvas, -3, -3, target.width() + 6, target.height() + 6);
                SpitDraw(button, canvas, Rect(0, 0, target.width(), target.height()), false);
            }
            EXPECT_EQ(
                FirstOther(image, DeviceArea(Bounds(3, 3, target.width(), target.height()), ratio), kHigh),
                "");
            image = Surface(target, ratio);
            {
                TCanvas canvas(image);
                SpitDrawHorizontal(bar, canvas, Rect(0, 0, target.width(), 17), false);
            }
            EXPECT_EQ(FirstOther(image,
                                 DeviceArea(Rect(0, 0, target.width(), std::min(17, target.height())), ratio),
                                 kHigh),
                      "");
        }
}

TEST(DeviceRatio, TilesMeetWithoutGapsAndRepeatOnWholeDevicePixels)
{
    // Every device pixel of the 2x tile has its own colour.
    TBitmap tile(8, 8);
    QImage hiRes(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            hiRes.setPixel(x, y, qRgb(10 + x * 12, 10 + y * 12, 77));
    tile.SetHiRes(hiRes);
    for (qreal ratio : {1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const int step = qRound(8 * ratio);
        QImage image = Surface(QSize(61, 43), ratio);
        {
            TCanvas canvas(image);
            TileDraw(canvas, tile, Rect(0, 0, 61, 43));
        }
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                ASSERT_NE(image.pixel(x, y), kBackground) << x << "," << y;
                if (x + step < image.width()) {
                    ASSERT_EQ(image.pixel(x, y), image.pixel(x + step, y)) << x << "," << y;
                }
                if (y + step < image.height()) {
                    ASSERT_EQ(image.pixel(x, y), image.pixel(x, y + step)) << x << "," << y;
                }
            }
        if (ratio == 2) {
            QImage first = image.copy(0, 0, 16, 16);
            first.setDevicePixelRatio(1);
            EXPECT_EQ(first, hiRes.convertToFormat(image.format()));
        }
    }
}

TEST(DeviceRatio, BitmapsDrawFromTheir2xPictureWithTheirKeyColourLeftOut)
{
    constexpr QRgb kLow = qRgb(200, 0, 0);
    constexpr QRgb kHigh = qRgb(0, 120, 240);
    constexpr QRgb kKey = qRgb(255, 0, 255);
    TBitmap keyed = Solid(6, 4, kLow, kHigh);
    QImage hiRes = keyed.HiRes();
    hiRes.setDevicePixelRatio(1);
    hiRes.setPixel(0, 7, kKey); // the key colour sits bottom-left in both pictures
    hiRes.setPixel(5, 3, kKey);
    keyed.SetPixel(0, 3, FromQRgb(kKey));
    keyed.SetHiRes(hiRes);
    keyed.SetTransparent(true);

    QImage image = Surface(QSize(10, 10), 2);
    {
        TCanvas canvas(image);
        canvas.Draw(2, 3, keyed);
        canvas.Draw(0, 0, TBitmap(QImage(1, 1, QImage::Format_ARGB32))); // no 2x picture: enlarged
    }
    EXPECT_EQ(image.pixel(4, 6), kHigh);
    EXPECT_EQ(image.pixel(4 + 5, 6 + 3), kBackground) << "a key pixel of the 2x picture is left out";
    EXPECT_EQ(image.pixel(4, 6 + 7), kBackground);
    EXPECT_EQ(image.pixel(4 + 11, 6 + 7), kHigh);
    EXPECT_EQ(image.pixel(1, 1), image.pixel(0, 0)) << "a 1x-only bitmap covers its device pixels";

    // At ratio 1 the 1x picture draws as before.
    QImage flat = Surface(QSize(10, 10), 1);
    {
        TCanvas canvas(flat);
        canvas.Draw(2, 3, keyed);
    }
    EXPECT_EQ(flat.pixel(2, 3), kLow);
    EXPECT_EQ(flat.pixel(2, 6), kBackground);
}

TEST(DeviceRatio, RotationsCopiesAndImageListsCarryThe2xPicture)
{
    TBitmap coded(3, 2);
    QImage hiRes(6, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            hiRes.setPixel(x, y, qRgb(x * 40, y * 60, 9));
    coded.SetHiRes(hiRes);

    TBitmap turned = coded;
    RoundPicture(turned); // (x, y) -> (y, w - 1 - x)
    ASSERT_EQ(turned.HiRes().size(), QSize(4, 6));
    EXPECT_EQ(turned.HiRes().pixel(1, 6 - 1 - 4), hiRes.pixel(4, 1));
    RoundPicture3(turned);
    EXPECT_EQ(turned.HiRes().convertToFormat(QImage::Format_ARGB32), hiRes);

    const TBitmap part = coded.Copy(Rect(1, 0, 3, 2));
    ASSERT_EQ(part.HiRes().size(), QSize(4, 4));
    EXPECT_EQ(part.HiRes().pixel(0, 3), hiRes.pixel(2, 3));

    TImageList list(1, 2);
    ASSERT_EQ(list.Add(coded), 0);
    ASSERT_EQ(list.Count(), 3);
    QImage image = Surface(QSize(4, 4), 2);
    {
        TCanvas canvas(image);
        list.Draw(canvas, 1, 1, 2);
    }
    EXPECT_EQ(image.pixel(2, 2), hiRes.pixel(4, 0));
    EXPECT_EQ(image.pixel(3, 5), hiRes.pixel(5, 3));

    // Changing the pixels drops the 2x picture, which would no longer match.
    TBitmap edited = coded;
    edited.SetPixel(0, 0, clRed);
    EXPECT_TRUE(edited.HiRes().isNull());
    edited = coded;
    edited.SetHiRes(QImage(5, 4, QImage::Format_ARGB32));
    EXPECT_TRUE(edited.HiRes().isNull()) << "only exactly twice the size is kept";
}

TEST(DeviceRatio, CanvasCoordinatesStayLogical)
{
    QImage image = Surface(QSize(5, 4), 2);
    ASSERT_EQ(image.size(), QSize(10, 8));
    TCanvas canvas(image);
    EXPECT_EQ(canvas.Width(), 5);
    EXPECT_EQ(canvas.Height(), 4);
    canvas.Brush = {clLime, bsSolid};
    canvas.FillRect(Rect(1, 1, 3, 2));
    EXPECT_EQ(canvas.Pixel(1, 1), clLime);
    EXPECT_EQ(canvas.Pixel(3, 1), FromQRgb(kBackground));
    EXPECT_EQ(canvas.Pixel(5, 0), clNone) << "outside the logical size";
    EXPECT_EQ(FirstOther(image, QRect(2, 2, 4, 2), ToQRgb(clLime)), "");
    EXPECT_EQ(image.pixel(6, 2), kBackground);

    TControl control;
    control.resize(7, 3);
    EXPECT_EQ(control.PaintToImage().size(), QSize(7, 3));
    EXPECT_EQ(control.PaintToImage(2).size(), QSize(14, 6));
    EXPECT_EQ(control.PaintToImage(1.5).size(), QSize(11, 5)) << "fractional ratios round up";
    EXPECT_EQ(LogicalSize(QSize(11, 5), 1.5), QSize(7, 3));
}
