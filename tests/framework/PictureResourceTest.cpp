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
