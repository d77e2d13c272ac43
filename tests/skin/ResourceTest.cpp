#include "framework/TBitmap.h"
#include "resources/SkinSizes.h"
#include "skin/Suithemes.h"

#include <QSize>
#include <array>
#include <gtest/gtest.h>

namespace {

using Sizes = std::array<QSize, kSuiLookCount>; // in the order of kSuiLooks

// The size every bitmap of an element must have, per style, from the table
// the generator draws to.
bool ExpectedSize(TsuiThemeElement element, Sizes& sizes)
{
    tessel::SkinPart part{};
    if (element == teMenuChecked) {
        sizes.fill({16, 16});
        return true;
    }
    if (!tessel::SkinPartOfElement(element, part))
        return false;
    for (std::size_t s = 0; s < sizes.size(); ++s) {
        const tessel::SkinSize size = tessel::SkinPartSize(part, kSuiLooks[s].Style);
        sizes[s] = QSize(size.Width, size.Height);
    }
    return true;
}

} // namespace

TEST(SkinResources, EveryNameTheTableYieldsLoadsWithItsSize)
{
    int checked = 0;
    for (const TsuiLook& look : kSuiLooks) {
        const TsuiUIStyle style = look.Style;
        for (int index = 1; index <= SUI_THEME_ELEMENT_COUNT; ++index) {
            const auto element = TsuiThemeElement(index);
            const QString name = GetThemeString(style, element);
            if (name.isEmpty())
                continue;
            Sizes sizes;
            ASSERT_TRUE(ExpectedSize(element, sizes)) << "no size known for element " << index;
            const TBitmap bitmap = LoadSkinBitmap(name);
            ASSERT_FALSE(bitmap.Empty()) << name.toStdString() << " does not load";
            EXPECT_EQ(QSize(bitmap.Width(), bitmap.Height()), sizes[SuiLookIndex(style)])
                << name.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 57 * kSuiLookCount);
}

TEST(SkinResources, FixedNamesOutsideTheTable)
{
    for (const auto& [name, size] : tessel::kFixedSkinBitmaps) {
        const TBitmap bitmap = LoadSkinBitmap(name);
        ASSERT_FALSE(bitmap.Empty()) << name;
        EXPECT_EQ(QSize(bitmap.Width(), bitmap.Height()), QSize(size.Width, size.Height)) << name;
    }
}
