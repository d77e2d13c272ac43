#include "skin/Suithemes.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr auto kStyles = [] {
    std::array<TsuiUIStyle, kSuiLookCount> styles{};
    for (std::size_t i = 0; i < styles.size(); ++i)
        styles[i] = kSuiLooks[i].Style;
    return styles;
}();

} // namespace

TEST(ThemeTable, ElementTypesAreTheSameForEveryStyle)
{
    std::map<TsuiType, int> counts;
    for (int index = 1; index <= SUI_THEME_ELEMENT_COUNT; ++index) {
        const TsuiType type = GetThemeElementType(index);
        ++counts[type];
        for (TsuiUIStyle style : kStyles) {
            TsuiType seen;
            GetThemeElement(style, index, seen);
            EXPECT_EQ(seen, type) << "style " << int(style) << " index " << index;
        }
    }
    EXPECT_EQ(counts[TsuiType::Int], 12);
    EXPECT_EQ(counts[TsuiType::Color], 21);
    EXPECT_EQ(counts[TsuiType::Bool], 1);
    EXPECT_EQ(counts[TsuiType::Str], 57);
    for (int index : {1, 4, 5, 6, 7, 20, 21, 22, 67, 68, 69, 73})
        EXPECT_EQ(GetThemeElementType(index), TsuiType::Int) << index;
    EXPECT_EQ(GetThemeElementType(66), TsuiType::Bool);
}

TEST(ThemeTable, NumbersPerStyle)
{
    struct Row
    {
        int Index;
        std::array<long long, 5> Values;
    };
    const Row ints[] = {
        {1, {1, 2, 3, 4, 5}},           {4, {1, 3, 1, 1, 1}},       {5, {21, 27, 30, 21, 31}},
        {6, {130, 150, 130, 130, 270}}, {7, {0, 13, 0, 0, 11}},     {20, {20, 21, 21, 21, 21}},
        {21, {12, 5, 5, 5, 5}},         {22, {26, 26, 26, 26, 26}}, {67, {3, 2, 0, 0, 4}},
        {68, {-2, -2, 0, 0, -3}},       {69, {4, 5, 2, 2, 6}},      {73, {34, 19, 22, 22, 22}},
    };
    for (const Row& row : ints)
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(GetThemeInt(kStyles[s], row.Index), row.Values[std::size_t(s)])
                << row.Index << "/" << s;

    const Row colors[] = {
        {2, {0x7F7F7F, 0xC82C00, 0, 0, 0}},
        {3, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
        {8, {0x7F7F7F, 0x686868, 0, 0, 0}},
        {9, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
        {10, {0, 0xCF4602, 0, 0, 0}},
        {11, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},
        {12, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},
        {13, {0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
        {14, {0, 0, 0, 0, 0}},
        {15, {0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},
        {16, {0, 0, 0, 0, 0}},
        {17, {0, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},
        {18, {0, 0x848284, 0x848284, 0x848284, 0x848284}},
        {19, {0, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD}},
        {74, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE9D6D5}},
        {79, {0xEEEEEE, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
        {80, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}},
        {81, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}},
        {82, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}},
        {83, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
        {84, {0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4}},
    };
    for (const Row& row : colors)
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(GetThemeColor(kStyles[s], row.Index), TColor(row.Values[std::size_t(s)]))
                << row.Index << "/" << s;

    EXPECT_FALSE(GetThemeBool(MacOS, 66));
    EXPECT_FALSE(GetThemeBool(WinXP, 66));
    EXPECT_FALSE(GetThemeBool(DeepBlue, 66));
    EXPECT_TRUE(GetThemeBool(Protein, 66));
    EXPECT_TRUE(GetThemeBool(BlueGlass, 66));
}

TEST(ThemeTable, ResourceNames)
{
    EXPECT_EQ(GetThemeString(WinXP, 24), "WINXP_BUTTON_NORMAL");
    EXPECT_EQ(GetThemeString(BlueGlass, 26), "BLUEGLASS_BUTTON_MOUSEDOWN");
    for (TsuiUIStyle style : kStyles)
        EXPECT_EQ(GetThemeString(style, 23), "MENU_CHECKED");

    // Only WinXP has separate mouse-over and pressed check pictures.
    const char* winXP[] = {
        "CHECKBOX_DISABLE_CHECK",       "CHECKBOX_DISABLE_UNCHECK",    "CHECKBOX_NORMAL_CHECK",
        "CHECKBOX_NORMAL_UNCHECK",      "CHECKBOX_MOUSEON_CHECK",      "CHECKBOX_MOUSEON_UNCHECK",
        "CHECKBOX_MOUSEDOWN_CHECK",     "CHECKBOX_MOUSEDOWN_UNCHECK",  "RADIOBUTTON_DISABLE_CHECK",
        "RADIOBUTTON_DISABLE_UNCHECK",  "RADIOBUTTON_NORMAL_CHECK",    "RADIOBUTTON_NORMAL_UNCHECK",
        "RADIOBUTTON_MOUSEON_CHECK",    "RADIOBUTTON_MOUSEON_UNCHECK", "RADIOBUTTON_MOUSEDOWN_CHECK",
        "RADIOBUTTON_MOUSEDOWN_UNCHECK"};
    const char* others[] = {"CHECKBOX_DISABLE_CHECK",
                            "CHECKBOX_DISABLE_UNCHECK",
                            "CHECKBOX_CHECK",
                            "CHECKBOX_UNCHECK",
                            "CHECKBOX_CHECK",
                            "CHECKBOX_UNCHECK",
                            "CHECKBOX_CHECK",
                            "CHECKBOX_UNCHECK",
                            "RADIOBUTTON_DISABLE_CHECK",
                            "RADIOBUTTON_DISABLE_UNCHECK",
                            "RADIOBUTTON_CHECK",
                            "RADIOBUTTON_UNCHECK",
                            "RADIOBUTTON_CHECK",
                            "RADIOBUTTON_UNCHECK",
                            "RADIOBUTTON_CHECK",
                            "RADIOBUTTON_UNCHECK"};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(GetThemeString(WinXP, 27 + i), QString("WINXP_") + winXP[i]);
        EXPECT_EQ(GetThemeString(MacOS, 27 + i), QString("MACOS_") + others[i]);
        EXPECT_EQ(GetThemeString(Protein, 27 + i), QString("PROTEIN_") + others[i]);
    }

    // The restore button exists only for WinXP.
    EXPECT_EQ(GetThemeString(WinXP, 63), "WINXP_TITLEBTN_RST_NORMAL");
    EXPECT_EQ(GetThemeString(WinXP, 65), "WINXP_TITLEBTN_RST_MOUSEDOWN");
    EXPECT_EQ(GetThemeString(Protein, 63), "PROTEIN_TITLEBTN_MAX_NORMAL");
    EXPECT_EQ(GetThemeString(DeepBlue, 64), "DEEPBLUE_TITLEBTN_MAX_MOUSEON");
    EXPECT_EQ(GetThemeString(MacOS, 65), "MACOS_TITLEBTN_MAX_MOUSEDOWN");

    EXPECT_EQ(GetThemeString(DeepBlue, 44), "DEEPBLUE_PROGRESSBAR_V");
    EXPECT_EQ(GetThemeString(Protein, 46), "PROTEIN_TITLE_CLIENT");
    EXPECT_EQ(GetThemeString(BlueGlass, 60), "BLUEGLASS_TITLEBTN_CTLBOX_NORMAL");
    EXPECT_EQ(GetThemeString(WinXP, 72), "WINXP_TAB_LINE");
    EXPECT_EQ(GetThemeString(MacOS, 77), GetThemeString(MacOS, 75));
    EXPECT_EQ(GetThemeString(MacOS, 78), "MACOS_TRACKBAR_SLIDER_V");
    EXPECT_EQ(GetThemeString(BlueGlass, 88), "BLUEGLASS_SCROLLBAR_BTMBUTTON_NORMAL");
    EXPECT_EQ(GetThemeString(DeepBlue, 91), "DEEPBLUE_SCROLLBAR_TRACK");

    EXPECT_EQ(GetThemeResourceNames(WinXP).size(), 56);
    EXPECT_EQ(GetThemeResourceNames(MacOS).size(), 45);
    EXPECT_EQ(GetThemeResourceNames(BlueGlass).size(), 45);
}

TEST(ThemeTable, RawStringElementIsAZeroTerminatedName)
{
    TsuiType type = TsuiType::Int;
    const std::intptr_t raw = GetThemeElement(DeepBlue, 48, type);
    ASSERT_EQ(type, TsuiType::Str);
    EXPECT_STREQ(reinterpret_cast<const char*>(raw), "DEEPBLUE_TITLEBTN_CLOSE_NORMAL");
    EXPECT_EQ(GetThemeElement(WinXP, 2, type), 0xC82C00);
    EXPECT_EQ(type, TsuiType::Color);
}

TEST(ThemeLookups, CustomAndUnknownStylesYieldNeutralValues)
{
    for (const TsuiUIStyle style : {Custom, TsuiUIStyle(6), TsuiUIStyle(255)}) {
        TsuiType type = TsuiType::Str;
        EXPECT_EQ(GetThemeElement(style, 2, type), -1);
        EXPECT_EQ(type, TsuiType::Int);
        EXPECT_EQ(GetThemeInt(style, 4), -1);
        EXPECT_EQ(GetThemeColor(style, 2), clBlack);
        EXPECT_FALSE(GetThemeBool(style, 66));
        EXPECT_EQ(GetThemeString(style, 24), "");
    }
    // Outside 1..91 is neutral rather than a read past the table.
    for (const int index : {0, -1, 92, 1000}) {
        EXPECT_EQ(GetThemeInt(WinXP, index), -1);
        EXPECT_EQ(GetThemeString(WinXP, index), "");
    }
}

TEST(ThemeLookups, TypeMismatchYieldsNeutralValues)
{
    EXPECT_EQ(GetThemeColor(WinXP, 4), clBlack);  // Int element
    EXPECT_EQ(GetThemeInt(WinXP, 2), -1);         // Color element
    EXPECT_EQ(GetThemeInt(WinXP, 24), -1);        // Str element
    EXPECT_EQ(GetThemeColor(MacOS, 23), clBlack); // Str element
    EXPECT_FALSE(GetThemeBool(WinXP, 1));         // Int element holding 2
    EXPECT_FALSE(GetThemeBool(WinXP, 3));         // Color element
    EXPECT_EQ(GetThemeString(Protein, 66), "");   // Bool element
    EXPECT_EQ(GetThemeString(WinXP, 7), "");      // Int element
    EXPECT_EQ(GetThemeInt(Protein, 66), -1);      // Bool element
}
