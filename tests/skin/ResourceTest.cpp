#include "framework/TBitmap.h"
#include "skin/Suithemes.h"

#include <QSize>
#include <array>
#include <gtest/gtest.h>

namespace {

using Sizes = std::array<QSize, 5>; // MacOS, WinXP, DeepBlue, Protein, BlueGlass

// The size every bitmap of an element must have, per style.
bool ExpectedSize(int index, Sizes& sizes)
{
    auto all = [](QSize s) { return Sizes{s, s, s, s, s}; };
    if (index == 23)
        sizes = all({16, 16});
    else if (index >= 24 && index <= 26)
        sizes = {QSize(84, 23), {18, 21}, {74, 21}, {74, 21}, {77, 27}};
    else if (index >= 27 && index <= 34)
        sizes = {QSize(15, 17), {13, 13}, {13, 13}, {13, 13}, {13, 13}};
    else if (index >= 35 && index <= 42)
        sizes = {QSize(16, 17), {13, 13}, {13, 13}, {13, 13}, {13, 13}};
    else if (index == 43)
        sizes = {QSize(13, 10), {6, 10}, {1, 10}, {1, 10}, {1, 10}};
    else if (index == 44)
        sizes = {QSize(13, 13), {10, 6}, {10, 1}, {10, 1}, {10, 1}};
    else if (index == 45)
        sizes = {QSize(48, 23), {35, 29}, {97, 32}, {441, 23}, {162, 33}};
    else if (index == 46)
        sizes = {QSize(49, 23), {37, 29}, {98, 32}, {1, 23}, {179, 33}};
    else if (index == 47)
        sizes = {QSize(48, 23), {35, 29}, {97, 32}, {1, 23}, {101, 33}};
    else if (index >= 48 && index <= 65)
        sizes = {QSize(17, 17), {21, 21}, {19, 19}, {19, 19}, {19, 19}};
    else if (index == 70 || index == 71)
        sizes = {QSize(18, 27), {9, 18}, {6, 17}, {9, 17}, {9, 17}};
    else if (index == 72)
        sizes = {QSize(17, 7), {8, 1}, {5, 5}, {10, 5}, {10, 5}};
    else if (index == 75 || index == 77)
        sizes = {QSize(45, 5), {45, 8}, {45, 4}, {45, 4}, {45, 4}};
    else if (index == 76)
        sizes = {QSize(11, 20), {11, 21}, {11, 20}, {11, 20}, {11, 20}};
    else if (index == 78)
        sizes = {QSize(19, 11), {22, 11}, {18, 11}, {18, 11}, {18, 11}};
    else if (index >= 85 && index <= 90)
        sizes = {QSize(16, 22), {16, 17}, {16, 16}, {16, 16}, {17, 16}};
    else if (index == 91)
        sizes = {QSize(16, 33), {16, 21}, {16, 21}, {16, 21}, {16, 21}};
    else
        return false;
    return true;
}

} // namespace

TEST(SkinResources, EveryNameTheTableYieldsLoadsWithItsSize)
{
    int checked = 0;
    for (int s = 0; s < 5; ++s) {
        const auto style = TsuiUIStyle(MacOS + s);
        for (int index = 1; index <= SUI_THEME_ELEMENT_COUNT; ++index) {
            const QString name = GetThemeString(style, index);
            if (name.isEmpty())
                continue;
            Sizes sizes;
            ASSERT_TRUE(ExpectedSize(index, sizes)) << "no size known for element " << index;
            const TBitmap bitmap = LoadSkinBitmap(name);
            ASSERT_FALSE(bitmap.Empty()) << name.toStdString() << " does not load";
            EXPECT_EQ(QSize(bitmap.Width(), bitmap.Height()), sizes[std::size_t(s)]) << name.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 57 * 5);
}

TEST(SkinResources, FixedNamesOutsideTheTable)
{
    const std::pair<const char*, QSize> fixed[] = {
        {"MACOS_FORM_BACKGROUND", {8, 8}}, {"PROTEIN_FORM_BACKGROUND", {8, 8}}, {"MACOS_MENU_BAR", {1, 22}},
        {"MACOS_MENU_SELECT", {1, 21}},    {"MACOS_COMBOBOX_BUTTON", {16, 17}},
    };
    for (const auto& [name, size] : fixed) {
        const TBitmap bitmap = LoadSkinBitmap(name);
        ASSERT_FALSE(bitmap.Empty()) << name;
        EXPECT_EQ(QSize(bitmap.Width(), bitmap.Height()), size) << name;
    }
}
