#include "framework/TBitmap.h"

#include <QDirIterator>
#include <gtest/gtest.h>

// The window pictures ship as JPEG; each must go through our decoder whole.
TEST(PictureResources, EveryWindowPictureDecodes)
{
    int pictures = 0;
    QDirIterator it(":/pictures");
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(".jpg"))
            continue;
        TPicture picture;
        EXPECT_TRUE(picture.LoadFromFile(path))
            << path.toStdString() << ": " << picture.LastError().toStdString();
        EXPECT_GT(picture.Width(), 0);
        EXPECT_GT(picture.Height(), 0);
        ++pictures;
    }
    EXPECT_GE(pictures, 4);
}

TEST(PictureResources, MissingFileIsAnErrorNotAPicture)
{
    TPicture picture;
    EXPECT_FALSE(picture.LoadFromFile(":/pictures/none.jpg"));
    EXPECT_FALSE(picture.HasGraphic());
    EXPECT_TRUE(picture.LastError().contains("none.jpg"));
}

TEST(PictureResources, AWindowPictureWaitsForItsFirstDraw)
{
    TPicture picture;
    ASSERT_TRUE(picture.LoadFromFileWhenShown(":/pictures/main.jpg"));
    EXPECT_TRUE(picture.Waiting());
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(800, 600));
    EXPECT_EQ(picture.Covering({337, 309}).size(), QSize(500, 375));
    EXPECT_TRUE(picture.Waiting()) << "a scaled decode is not kept";
    EXPECT_EQ(picture.Bitmap().Width(), 800);
    EXPECT_FALSE(picture.Waiting());

    // Anything but a JPEG loads at once; a missing file fails as before.
    ASSERT_TRUE(picture.LoadFromFileWhenShown(":/pictures/MAIN_TITLE_LEFT.png"));
    EXPECT_FALSE(picture.Waiting());
    EXPECT_EQ(picture.Width(), 137);
    EXPECT_FALSE(picture.LoadFromFileWhenShown(":/pictures/none.jpg"));
    EXPECT_FALSE(picture.HasGraphic());
}
