#include "skin/Suithemes.h"

#include "framework/TGbk.h"

#include <QStringList>
#include <array>
#include <string>

namespace {

using T = TsuiType;

struct NumberRow
{
    using PerLookValues = std::array<std::int32_t, kSuiLookCount>;

    constexpr NumberRow(TsuiThemeElement index, TsuiType type, const PerLookValues& values)
        : Index(index), Type(type), Values(values)
    {
    }
    // One value per look, in the order of kSuiLooks: a row that misses a look
    // does not compile.
    template <std::size_t N>
    constexpr NumberRow(TsuiThemeElement index, TsuiType type, const std::int32_t (&values)[N])
        : Index(index), Type(type)
    {
        static_assert(N == kSuiLookCount, "a theme row has one value per look");
        for (std::size_t i = 0; i < N; ++i)
            Values[i] = values[i];
    }

    TsuiThemeElement Index;
    TsuiType Type;
    PerLookValues Values{};
};

// Elements that repeat a fact of the look table.
template <typename Field> constexpr std::array<std::int32_t, kSuiLookCount> PerLook(Field field)
{
    std::array<std::int32_t, kSuiLookCount> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = field(kSuiLooks[i]);
    return values;
}
constexpr auto kOrdinal = PerLook([](const TsuiLook& look) { return std::int32_t(look.Style); });
constexpr auto kFace = PerLook([](const TsuiLook& look) { return std::int32_t(look.Face); });

// Colours are 0x00BBGGRR.
constexpr NumberRow kNumbers[] = {
    {teStyleOrdinal, T::Int, kOrdinal},
    {teFormBorderColor, T::Color, {0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000}},
    {teFormColor, T::Color, kFace},
    {teFormBorderWidth, T::Int, {1, 3, 1, 1, 1}},
    {teReserved5, T::Int, {21, 27, 30, 21, 31}},
    {teFormMinWidth, T::Int, {130, 150, 130, 130, 270}},
    {teFormCornerRadius, T::Int, {0, 13, 0, 0, 11}},
    {teControlBorderColor, T::Color, {0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000}},
    {teControlColor, T::Color, kFace},
    {teGroupFontColor, T::Color, {0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000}},
    {teMenuSelectedBorderColor, T::Color, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {teMenuSelectedColor, T::Color, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {teMenuSelectedFontColor, T::Color, {0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {teReserved14, T::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {teMenuColor, T::Color, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},
    {teMenuFontColor, T::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {teMenuSideBarColor, T::Color, {0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},
    {teMenuSeparatorColor, T::Color, {0x000000, 0x848284, 0x848284, 0x848284, 0x848284}},
    {teReserved19, T::Color, {0x000000, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD}},
    {teMenuItemHeight, T::Int, {20, 21, 21, 21, 21}},
    {teMenuSeparatorHeight, T::Int, {12, 5, 5, 5, 5}},
    {teMenuSideBarWidth, T::Int, {26, 26, 26, 26, 26}},
    {teTitleButtonTransparent, T::Bool, {0, 0, 0, 1, 1}},
    {teTitleLeftBtnXOffset, T::Int, {3, 2, 0, 0, 4}},
    {teTitleRightBtnXOffset, T::Int, {-2, -2, 0, 0, -3}},
    {teTitleButtonTop, T::Int, {4, 5, 2, 2, 6}},
    {teTabStripHeight, T::Int, {34, 19, 22, 22, 22}},
    {teComboButtonColor, T::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE9D6D5}},
    {teTrackBarColor, T::Color, {0xEEEEEE, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {teToolButtonBorderColor, T::Color, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}},
    {teToolButtonColor, T::Color, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}},
    {teToolButtonDownColor, T::Color, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}},
    {teToolBarColor, T::Color, kFace},
    {teScrollBarColor, T::Color, {0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4}},
};

struct NameRow
{
    TsuiThemeElement Index;
    const char* Suffix;      // after the style prefix
    const char* WinXPSuffix; // WinXP's own suffix where it differs, else null
    bool NoPrefix;
};

// Only WinXP distinguishes the mouse-over and pressed check pictures and has
// its own restore button; the others reuse CHECK/UNCHECK and MAX.
constexpr NameRow kNames[] = {
    {teMenuChecked, "MENU_CHECKED", nullptr, true},
    {teButtonNormal, "BUTTON_NORMAL", nullptr, false},
    {teButtonMouseOn, "BUTTON_MOUSEON", nullptr, false},
    {teButtonMouseDown, "BUTTON_MOUSEDOWN", nullptr, false},
    {teCheckBoxDisabledChecked, "CHECKBOX_DISABLE_CHECK", nullptr, false},
    {teCheckBoxDisabledUnchecked, "CHECKBOX_DISABLE_UNCHECK", nullptr, false},
    {teCheckBoxChecked, "CHECKBOX_CHECK", "CHECKBOX_NORMAL_CHECK", false},
    {teCheckBoxUnchecked, "CHECKBOX_UNCHECK", "CHECKBOX_NORMAL_UNCHECK", false},
    {teCheckBoxMouseOnChecked, "CHECKBOX_CHECK", "CHECKBOX_MOUSEON_CHECK", false},
    {teCheckBoxMouseOnUnchecked, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEON_UNCHECK", false},
    {teCheckBoxMouseDownChecked, "CHECKBOX_CHECK", "CHECKBOX_MOUSEDOWN_CHECK", false},
    {teCheckBoxMouseDownUnchecked, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEDOWN_UNCHECK", false},
    {teRadioButtonDisabledChecked, "RADIOBUTTON_DISABLE_CHECK", nullptr, false},
    {teRadioButtonDisabledUnchecked, "RADIOBUTTON_DISABLE_UNCHECK", nullptr, false},
    {teRadioButtonChecked, "RADIOBUTTON_CHECK", "RADIOBUTTON_NORMAL_CHECK", false},
    {teRadioButtonUnchecked, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_NORMAL_UNCHECK", false},
    {teRadioButtonMouseOnChecked, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEON_CHECK", false},
    {teRadioButtonMouseOnUnchecked, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEON_UNCHECK", false},
    {teRadioButtonMouseDownChecked, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEDOWN_CHECK", false},
    {teRadioButtonMouseDownUnchecked, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEDOWN_UNCHECK", false},
    {teProgressBar, "PROGRESSBAR", nullptr, false},
    {teProgressBarVertical, "PROGRESSBAR_V", nullptr, false},
    {teTitleLeft, "TITLE_LEFT", nullptr, false},
    {teTitleClient, "TITLE_CLIENT", nullptr, false},
    {teTitleRight, "TITLE_RIGHT", nullptr, false},
    {teTitleCloseNormal, "TITLEBTN_CLOSE_NORMAL", nullptr, false},
    {teTitleCloseMouseOn, "TITLEBTN_CLOSE_MOUSEON", nullptr, false},
    {teTitleCloseMouseDown, "TITLEBTN_CLOSE_MOUSEDOWN", nullptr, false},
    {teTitleMaxNormal, "TITLEBTN_MAX_NORMAL", nullptr, false},
    {teTitleMaxMouseOn, "TITLEBTN_MAX_MOUSEON", nullptr, false},
    {teTitleMaxMouseDown, "TITLEBTN_MAX_MOUSEDOWN", nullptr, false},
    {teTitleMinNormal, "TITLEBTN_MIN_NORMAL", nullptr, false},
    {teTitleMinMouseOn, "TITLEBTN_MIN_MOUSEON", nullptr, false},
    {teTitleMinMouseDown, "TITLEBTN_MIN_MOUSEDOWN", nullptr, false},
    {teTitleHelpNormal, "TITLEBTN_HELP_NORMAL", nullptr, false},
    {teTitleHelpMouseOn, "TITLEBTN_HELP_MOUSEON", nullptr, false},
    {teTitleHelpMouseDown, "TITLEBTN_HELP_MOUSEDOWN", nullptr, false},
    {teTitleControlBoxNormal, "TITLEBTN_CTLBOX_NORMAL", nullptr, false},
    {teTitleControlBoxMouseOn, "TITLEBTN_CTLBOX_MOUSEON", nullptr, false},
    {teTitleControlBoxMouseDown, "TITLEBTN_CTLBOX_MOUSEDOWN", nullptr, false},
    {teTitleRestoreNormal, "TITLEBTN_MAX_NORMAL", "TITLEBTN_RST_NORMAL", false},
    {teTitleRestoreMouseOn, "TITLEBTN_MAX_MOUSEON", "TITLEBTN_RST_MOUSEON", false},
    {teTitleRestoreMouseDown, "TITLEBTN_MAX_MOUSEDOWN", "TITLEBTN_RST_MOUSEDOWN", false},
    {teTabActive, "TAB_ACTIVE", nullptr, false},
    {teTabInactive, "TAB_INACTIVE", nullptr, false},
    {teTabLine, "TAB_LINE", nullptr, false},
    {teTrackBarBar, "TRACKBAR_BAR", nullptr, false},
    {teTrackBarSlider, "TRACKBAR_SLIDER", nullptr, false},
    {teTrackBarBarVertical, "TRACKBAR_BAR", nullptr, false},
    {teTrackBarSliderVertical, "TRACKBAR_SLIDER_V", nullptr, false},
    {teScrollTopButtonNormal, "SCROLLBAR_TOPBUTTON_NORMAL", nullptr, false},
    {teScrollTopButtonMouseOn, "SCROLLBAR_TOPBUTTON_MOUSEON", nullptr, false},
    {teScrollTopButtonMouseDown, "SCROLLBAR_TOPBUTTON_MOUSEDOWN", nullptr, false},
    {teScrollBottomButtonNormal, "SCROLLBAR_BTMBUTTON_NORMAL", nullptr, false},
    {teScrollBottomButtonMouseOn, "SCROLLBAR_BTMBUTTON_MOUSEON", nullptr, false},
    {teScrollBottomButtonMouseDown, "SCROLLBAR_BTMBUTTON_MOUSEDOWN", nullptr, false},
    {teScrollTrack, "SCROLLBAR_TRACK", nullptr, false},
};

// Every element has exactly one row, numbers and names together.
constexpr bool EveryElementOnce()
{
    std::array<int, SUI_THEME_ELEMENT_COUNT + 1> seen{};
    for (const NumberRow& row : kNumbers)
        ++seen[std::size_t(row.Index)];
    for (const NameRow& row : kNames)
        ++seen[std::size_t(row.Index)];
    for (std::size_t index = 1; index < seen.size(); ++index)
        if (seen[index] != 1)
            return false;
    return true;
}
static_assert(EveryElementOnce());

struct Element
{
    TsuiType Type = TsuiType::Int;
    std::int32_t Number = 0;
    std::string Name; // Str elements only; its c_str() is the raw value
    QString Text;     // Name converted from GBK, once for the table's life
};

using StyleRow = std::array<Element, SUI_THEME_ELEMENT_COUNT + 1>; // slot 0 unused
using ThemeTable = std::array<StyleRow, kSuiLookCount>;

ThemeTable BuildTable()
{
    ThemeTable table{};
    for (std::size_t style = 0; style < table.size(); ++style) {
        for (const NumberRow& row : kNumbers)
            table[style][std::size_t(row.Index)] = {row.Type, row.Values[style], {}, {}};
        for (const NameRow& row : kNames) {
            const bool winXP = style == SuiLookIndex(WinXP);
            const char* suffix = winXP && row.WinXPSuffix ? row.WinXPSuffix : row.Suffix;
            std::string name = row.NoPrefix ? std::string() : std::string(kSuiLooks[style].Prefix);
            name += suffix;
            QString text = FromGbk(name);
            table[style][std::size_t(row.Index)] = {TsuiType::Str, 0, std::move(name), std::move(text)};
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

const Element* Find(TsuiUIStyle style, TsuiThemeElement index)
{
    if (!IsBuiltInLook(style) || index < 1 || index > SUI_THEME_ELEMENT_COUNT)
        return nullptr;
    return &Table()[SuiLookIndex(style)][std::size_t(index)];
}

} // namespace

std::intptr_t GetThemeElement(TsuiUIStyle style, TsuiThemeElement index, TsuiType& type)
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

int GetThemeInt(TsuiUIStyle style, TsuiThemeElement index)
{
    TsuiType type;
    const std::intptr_t value = GetThemeElement(style, index, type);
    return type == TsuiType::Int ? int(value) : -1;
}

TColor GetThemeColor(TsuiUIStyle style, TsuiThemeElement index)
{
    TsuiType type;
    const std::intptr_t value = GetThemeElement(style, index, type);
    return type == TsuiType::Color ? TColor(value) : clBlack;
}

bool GetThemeBool(TsuiUIStyle style, TsuiThemeElement index)
{
    TsuiType type;
    const std::intptr_t value = GetThemeElement(style, index, type);
    return type == TsuiType::Bool && value != 0;
}

QString GetThemeString(TsuiUIStyle style, TsuiThemeElement index)
{
    const Element* element = Find(style, index);
    return element != nullptr && element->Type == TsuiType::Str ? element->Text : QString();
}

TsuiType GetThemeElementType(TsuiThemeElement index)
{
    TsuiType type;
    GetThemeElement(MacOS, index, type);
    return type;
}

QStringList GetThemeResourceNames(TsuiUIStyle style)
{
    QStringList names;
    for (int index = 1; index <= SUI_THEME_ELEMENT_COUNT; ++index) {
        const QString name = GetThemeString(style, TsuiThemeElement(index));
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names;
}
