#include "tools/gallery/GalleryWindow.h"
#include "tools/gallery/GalleryPage.h"

#include <QApplication>
#include <gtest/gtest.h>

// Pages are built in a look when first shown in it and kept: a look switch
// builds the page in front only, and coming back to a look or a page builds
// nothing again.
TEST(GalleryWindow, BuildsEachPageInEachLookOnceWhenFirstShown)
{
    TGalleryWindow window;
    const int pages = int(GalleryPages().size());
    ASSERT_GT(pages, 2);
    const auto built = [&] {
        int count = 0;
        for (const TsuiLook& look : kSuiLooks) {
            window.SetLook(look.Style);
            for (int i = 0; i < pages; ++i)
                count += window.Stage(i) != nullptr;
        }
        return count;
    };
    EXPECT_EQ(window.Look(), WinXP);
    QWidget* front = window.Stage(0);
    ASSERT_NE(front, nullptr);
    for (int i = 1; i < pages; ++i)
        EXPECT_EQ(window.Stage(i), nullptr) << "page " << i << " built before it was shown";

    window.SetLook(DeepBlue);
    QWidget* deepBlue = window.Stage(0);
    ASSERT_NE(deepBlue, nullptr);
    EXPECT_NE(deepBlue, front);
    EXPECT_FALSE(front->isVisibleTo(&window));
    window.SetLook(WinXP);
    EXPECT_EQ(window.Stage(0), front) << "the look's page is kept";
    EXPECT_TRUE(front->isVisibleTo(&window));
    EXPECT_FALSE(deepBlue->isVisibleTo(&window));

    const QString second = GalleryPages()[1].Name;
    ASSERT_TRUE(window.ShowPage(second));
    QWidget* shown = window.Stage(1);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisibleTo(&window));
    ASSERT_TRUE(window.ShowPage(GalleryPages()[0].Name));
    ASSERT_TRUE(window.ShowPage(second));
    EXPECT_EQ(window.Stage(1), shown);
    // Visiting every look with the second page in front builds it in each,
    // and nothing else.
    EXPECT_EQ(built(), 2 + kSuiLookCount);
}
