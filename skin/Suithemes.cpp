#include "skin/Suithemes.h"

#include "framework/TGbk.h"

#include <QStringList>
#include <array>
#include <string>

namespace {

using T = TsuiType;

struct NumberRow
{
    int Index;
    TsuiType Type;
    std::array<std::int32_t, 5> Values; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

// Colours are 0x00BBGGRR.
constexpr NumberRow kNumbers[] = {
    {1, T::Int, {1, 2, 3, 4, 5}},
    {2, T::Color, {0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000}},
    {3, T::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {4, T::Int, {1, 3, 1, 1, 1}},
    {5, T::Int, {21, 27, 30, 21, 31}},
    {6, T::Int, {130, 150, 130, 130, 270}},
    {7, T::Int, {0, 13, 0, 0, 11}},
    {8, T::Color, {0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000}},
    {9, T::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {10, T::Color, {0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000}},
    {11, T::Color, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {12, T::Color, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {13, T::Color, {0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {14, T::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {15, T::Color, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},
    {16, T::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {17, T::Color, {0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},
    {18, T::Color, {0x000000, 0x848284, 0x848284, 0x848284, 0x848284}},
    {19, T::Color, {0x000000, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD}},
    {20, T::Int, {20, 21, 21, 21, 21}},
    {21, T::Int, {12, 5, 5, 5, 5}},
    {22, T::Int, {26, 26, 26, 26, 26}},
    {66, T::Bool, {0, 0, 0, 1, 1}},
    {67, T::Int, {3, 2, 0, 0, 4}},
    {68, T::Int, {-2, -2, 0, 0, -3}},
    {69, T::Int, {4, 5, 2, 2, 6}},
    {73, T::Int, {34, 19, 22, 22, 22}},
    {74, T::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE9D6D5}},
    {79, T::Color, {0xEEEEEE, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {80, T::Color, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}},
    {81, T::Color, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}},
    {82, T::Color, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}},
    {83, T::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {84, T::Color, {0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4}},
};

struct NameRow
{
    int Index;
    const char* Suffix;      // after the style prefix
    const char* WinXPSuffix; // WinXP's own suffix where it differs, else null
    bool NoPrefix;
};

// Only WinXP distinguishes the mouse-over and pressed check pictures and has
// its own restore button; the others reuse CHECK/UNCHECK and MAX.
constexpr NameRow kNames[] = {
    {23, "MENU_CHECKED", nullptr, true},
    {24, "BUTTON_NORMAL", nullptr, false},
    {25, "BUTTON_MOUSEON", nullptr, false},
    {26, "BUTTON_MOUSEDOWN", nullptr, false},
    {27, "CHECKBOX_DISABLE_CHECK", nullptr, false},
    {28, "CHECKBOX_DISABLE_UNCHECK", nullptr, false},
    {29, "CHECKBOX_CHECK", "CHECKBOX_NORMAL_CHECK", false},
    {30, "CHECKBOX_UNCHECK", "CHECKBOX_NORMAL_UNCHECK", false},
    {31, "CHECKBOX_CHECK", "CHECKBOX_MOUSEON_CHECK", false},
    {32, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEON_UNCHECK", false},
    {33, "CHECKBOX_CHECK", "CHECKBOX_MOUSEDOWN_CHECK", false},
    {34, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEDOWN_UNCHECK", false},
    {35, "RADIOBUTTON_DISABLE_CHECK", nullptr, false},
    {36, "RADIOBUTTON_DISABLE_UNCHECK", nullptr, false},
    {37, "RADIOBUTTON_CHECK", "RADIOBUTTON_NORMAL_CHECK", false},
    {38, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_NORMAL_UNCHECK", false},
    {39, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEON_CHECK", false},
    {40, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEON_UNCHECK", false},
    {41, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEDOWN_CHECK", false},
    {42, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEDOWN_UNCHECK", false},
    {43, "PROGRESSBAR", nullptr, false},
    {44, "PROGRESSBAR_V", nullptr, false},
    {45, "TITLE_LEFT", nullptr, false},
    {46, "TITLE_CLIENT", nullptr, false},
    {47, "TITLE_RIGHT", nullptr, false},
    {48, "TITLEBTN_CLOSE_NORMAL", nullptr, false},
    {49, "TITLEBTN_CLOSE_MOUSEON", nullptr, false},
    {50, "TITLEBTN_CLOSE_MOUSEDOWN", nullptr, false},
    {51, "TITLEBTN_MAX_NORMAL", nullptr, false},
    {52, "TITLEBTN_MAX_MOUSEON", nullptr, false},
    {53, "TITLEBTN_MAX_MOUSEDOWN", nullptr, false},
    {54, "TITLEBTN_MIN_NORMAL", nullptr, false},
    {55, "TITLEBTN_MIN_MOUSEON", nullptr, false},
    {56, "TITLEBTN_MIN_MOUSEDOWN", nullptr, false},
    {57, "TITLEBTN_HELP_NORMAL", nullptr, false},
    {58, "TITLEBTN_HELP_MOUSEON", nullptr, false},
    {59, "TITLEBTN_HELP_MOUSEDOWN", nullptr, false},
    {60, "TITLEBTN_CTLBOX_NORMAL", nullptr, false},
    {61, "TITLEBTN_CTLBOX_MOUSEON", nullptr, false},
    {62, "TITLEBTN_CTLBOX_MOUSEDOWN", nullptr, false},
    {63, "TITLEBTN_MAX_NORMAL", "TITLEBTN_RST_NORMAL", false},
    {64, "TITLEBTN_MAX_MOUSEON", "TITLEBTN_RST_MOUSEON", false},
    {65, "TITLEBTN_MAX_MOUSEDOWN", "TITLEBTN_RST_MOUSEDOWN", false},
    {70, "TAB_ACTIVE", nullptr, false},
    {71, "TAB_INACTIVE", nullptr, false},
    {72, "TAB_LINE", nullptr, false},
    {75, "TRACKBAR_BAR", nullptr, false},
    {76, "TRACKBAR_SLIDER", nullptr, false},
    {77, "TRACKBAR_BAR", nullptr, false},
    {78, "TRACKBAR_SLIDER_V", nullptr, false},
    {85, "SCROLLBAR_TOPBUTTON_NORMAL", nullptr, false},
    {86, "SCROLLBAR_TOPBUTTON_MOUSEON", nullptr, false},
    {87, "SCROLLBAR_TOPBUTTON_MOUSEDOWN", nullptr, false},
    {88, "SCROLLBAR_BTMBUTTON_NORMAL", nullptr, false},
    {89, "SCROLLBAR_BTMBUTTON_MOUSEON", nullptr, false},
    {90, "SCROLLBAR_BTMBUTTON_MOUSEDOWN", nullptr, false},
    {91, "SCROLLBAR_TRACK", nullptr, false},
};

constexpr const char* kPrefixes[] = {"MACOS_", "WINXP_", "DEEPBLUE_", "PROTEIN_", "BLUEGLASS_"};

struct Element
{
    TsuiType Type = TsuiType::Int;
    std::int32_t Number = 0;
    std::string Name; // Str elements only; its c_str() is the raw value
};

using StyleRow = std::array<Element, SUI_THEME_ELEMENT_COUNT + 1>; // slot 0 unused
using ThemeTable = std::array<StyleRow, 5>;

ThemeTable BuildTable()
{
    ThemeTable table{};
    for (std::size_t style = 0; style < 5; ++style) {
        for (const NumberRow& row : kNumbers)
            table[style][std::size_t(row.Index)] = {row.Type, row.Values[style], {}};
        for (const NameRow& row : kNames) {
            const bool winXP = style == std::size_t(WinXP - 1);
            const char* suffix = winXP && row.WinXPSuffix ? row.WinXPSuffix : row.Suffix;
            std::string name = row.NoPrefix ? std::string() : std::string(kPrefixes[style]);
            name += suffix;
            table[style][std::size_t(row.Index)] = {TsuiType::Str, 0, std::move(name)};
        }
    }
    return table;
}

// Built once; never changes afterwards.
const ThemeTable& Table()
{
    static const ThemeTable table = BuildTable();
    return table;
}

const Element* Find(TsuiUIStyle style, int index)
{
    if (style < MacOS || style > BlueGlass || index < 1 || index > SUI_THEME_ELEMENT_COUNT)
        return nullptr;
    return &Table()[std::size_t(style - 1)][std::size_t(index)];
}

} // namespace

std::intptr_t GetThemeElement(TsuiUIStyle style, int index, TsuiType& type)
{
    const Element* element = Find(style, index);
    if (element == nullptr) {
        type = TsuiType::Int;
        return -1;
    }
    type = element->Type;
    if (element->Type == TsuiType::Str)
        return reinterpret_cast<std::intptr_t>(element->Name.c_str());
    return element->Number;
}

int GetThemeInt(TsuiUIStyle style, int index)
{
    TsuiType type;
    const std::intptr_t value = GetThemeElement(style, index, type);
    return type == TsuiType::Int ? int(value) : -1;
}

TColor GetThemeColor(TsuiUIStyle style, int index)
{
    TsuiType type;
    const std::intptr_t value = GetThemeElement(style, index, type);
    return type == TsuiType::Color ? TColor(value) : clBlack;
}

bool GetThemeBool(TsuiUIStyle style, int index)
{
    TsuiType type;
    const std::intptr_t value = GetThemeElement(style, index, type);
    return type == TsuiType::Bool && value != 0;
}

QString GetThemeString(TsuiUIStyle style, int index)
{
    TsuiType type;
    const std::intptr_t value = GetThemeElement(style, index, type);
    if (type != TsuiType::Str)
        return QString();
    return FromGbk(reinterpret_cast<const char*>(value));
}

TsuiType GetThemeElementType(int index)
{
    TsuiType type;
    GetThemeElement(MacOS, index, type);
    return type;
}

QStringList GetThemeResourceNames(TsuiUIStyle style)
{
    QStringList names;
    for (int index = 1; index <= SUI_THEME_ELEMENT_COUNT; ++index) {
        const QString name = GetThemeString(style, index);
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names;
}
