#include "framework/TCanvas.h"
#include "skin/SuiImage.h"

#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TPicture Coded(int w, int h)
{
    TBitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.SetPixel(x, y, RGB(x * 10, y * 10, 77));
    TPicture picture;
    picture.Assign(bitmap);
    return picture;
}

} // namespace

TEST(Image, JpegStretchedOverTheWholeControl)
{
    QWidget window;
    auto* image = new TImage(&window);
    image->SetBounds(148, 32, 337, 309);
    ASSERT_TRUE(image->LoadFromFile(QStringLiteral(":/pictures/main.jpg")));
    ASSERT_EQ(image->Picture().Width(), 800);
    ASSERT_EQ(image->Picture().Height(), 600);
    image->SetStretch(true);
    const QImage painted = image->PaintToImage();
    const QImage expected = StretchImage(image->Picture().Bitmap().Image(), Rect(0, 0, 800, 600), 337, 309)
                                .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.size(), expected.size());
    EXPECT_EQ(painted.convertToFormat(QImage::Format_RGB32), expected);
}

TEST(Image, UnstretchedFromTopLeftOrCentred)
{
    QWidget window;
    auto* image = new TImage(&window);
    image->SetBounds(0, 24, 20, 16);
    image->SetColor(clWhite);
    image->SetPicture(Coded(10, 8));
    QImage painted = image->PaintToImage();
    EXPECT_EQ(FromQRgb(painted.pixel(0, 0)), RGB(0, 0, 77));
    EXPECT_EQ(FromQRgb(painted.pixel(9, 7)), RGB(90, 70, 77));
    EXPECT_EQ(FromQRgb(painted.pixel(10, 0)), clWhite);
    EXPECT_EQ(FromQRgb(painted.pixel(0, 8)), clWhite);

    image->SetCenter(true);
    painted = image->PaintToImage();
    EXPECT_EQ(FromQRgb(painted.pixel(5, 4)), RGB(0, 0, 77));
    EXPECT_EQ(FromQRgb(painted.pixel(14, 11)), RGB(90, 70, 77));
    EXPECT_EQ(FromQRgb(painted.pixel(4, 4)), clWhite);
}

TEST(Image, TransparentShowsTheParentAndLeavesOutTheKeyColour)
{
    QWidget window;
    window.resize(100, 100);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(255, 0, 0));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    auto* image = new TImage(&window);
    image->SetBounds(10, 10, 20, 20);
    image->SetColor(clWhite);
    TPicture picture = Coded(10, 10);
    picture.Bitmap().SetTransparentColor(RGB(0, 0, 77));
    image->SetPicture(picture);
    image->SetTransparent(true);
    const QImage painted = image->PaintToImage();
    EXPECT_EQ(FromQRgb(painted.pixel(15, 15)), clRed) << "outside the picture";
    EXPECT_EQ(FromQRgb(painted.pixel(0, 0)), clRed) << "the key colour is left out";
    EXPECT_EQ(FromQRgb(painted.pixel(1, 1)), RGB(10, 10, 77));
}

TEST(Image, MissingFileLeavesNoPicture)
{
    TImage image;
    EXPECT_FALSE(image.LoadFromFile(QStringLiteral(":/pictures/none.jpg")));
    EXPECT_FALSE(image.Picture().HasGraphic());
}
