#include "skin/SuiForm.h"
#include "skin/SuiMainMenu.h"
#include "skin/SuiPageControl.h"
#include "skin/SuiScrollBar.h"
#include "skin/SuiTitleBar.h"
#include "skin/SuiToolBar.h"
#include "skin/Suithemes.h"

#include <QStringList>
#include <QWidget>
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
        const auto element = TsuiThemeElement(index);
        const TsuiType type = GetThemeElementType(element);
        ++counts[type];
        for (TsuiUIStyle style : kStyles) {
            TsuiType seen;
            GetThemeElement(style, element, seen);
            EXPECT_EQ(seen, type) << "style " << int(style) << " index " << index;
        }
    }
    EXPECT_EQ(counts[TsuiType::Int], 12);
    EXPECT_EQ(counts[TsuiType::Color], 21);
    EXPECT_EQ(counts[TsuiType::Bool], 1);
    EXPECT_EQ(counts[TsuiType::Str], 57);
    EXPECT_EQ(GetThemeElementType(teTitleButtonTransparent), TsuiType::Bool);
}

// What each look's numbers make of the components that read them: sizes,
// offsets and colours as the components hold them.
TEST(ThemeTable, EveryLookReachesTheComponentsThatReadIt)
{
    struct Look
    {
        TsuiUIStyle Style;
        int BorderWidth;
        TColor BorderColor;
        TColor Face;
        int MinWidth;
        int ButtonTop;
        int LeftOffset;
        int RightOffset;
        bool ButtonsTransparent;
        int ItemHeight;
        int SeparatorHeight;
        TColor SideBar;
        int TabHeight;
        TColor ScrollBar;
        TColor ToolButton;
    };
    const Look looks[] = {
        {MacOS, 1, 0x7F7F7F, 0xE7E7E7, 130, 4, 3, -2, false, 20, 12, 0x000000, 34, 0xC9C9C9, 0xEFEFEF},
        {WinXP, 3, 0xC82C00, 0xDEEBEF, 150, 5, 2, -2, false, 21, 5, 0xCED3D6, 19, 0xF9F9F9, 0xEFD3C6},
        {DeepBlue, 1, 0x000000, 0xE8E8E8, 130, 2, 0, 0, false, 21, 5, 0xCED3D6, 22, 0xF5F5F5, 0xEFEFEF},
        {Protein, 1, 0x000000, 0xFBFBFB, 130, 2, 0, 0, true, 21, 5, 0xCED3D6, 22, 0xF5F5F5, 0xEFEFEF},
        {BlueGlass, 1, 0x000000, 0xE7E7E7, 270, 6, 4, -3, true, 21, 5, 0xCED3D6, 22, 0xF4F4F4, 0xEFEFEF},
    };
    for (const Look& look : looks) {
        SCOPED_TRACE(int(look.Style));
        QWidget window;
        window.resize(400, 300);
        auto* form = new TsuiForm(&window);
        form->SetUIStyle(look.Style);
        EXPECT_EQ(form->BorderWidth(), look.BorderWidth);
        EXPECT_EQ(form->BorderColor(), look.BorderColor);
        EXPECT_EQ(form->Color(), look.Face);

        const TsuiTitleBar* bar = form->TitleBar();
        EXPECT_EQ(window.minimumWidth(), look.MinWidth);
        EXPECT_EQ(bar->LeftBtnXOffset(), look.LeftOffset);
        EXPECT_EQ(bar->RightBtnXOffset(), look.RightOffset);
        ASSERT_GT(bar->Buttons().Count(), 0);
        EXPECT_EQ(bar->Buttons().Items(0).Top(), look.ButtonTop);
        EXPECT_EQ(bar->Buttons().Items(0).Transparent(), look.ButtonsTransparent);

        TsuiMainMenu menu;
        menu.SetUIStyle(look.Style);
        EXPECT_EQ(menu.MenuItemHeight(), look.ItemHeight);
        EXPECT_EQ(menu.SeparatorHeight(), look.SeparatorHeight);
        EXPECT_EQ(menu.BarColor(), look.SideBar);
        EXPECT_EQ(menu.BorderColor(), look.BorderColor) << "the menu border is the form's frame colour";

        auto* tabs = new TsuiTabControl(&window);
        tabs->SetUIStyle(look.Style);
        EXPECT_EQ(tabs->TopPanel()->height(), look.TabHeight);
        auto* scroll = new TsuiScrollBar(&window);
        scroll->SetUIStyle(look.Style);
        EXPECT_EQ(scroll->Color(), look.ScrollBar);
        auto* tools = new TsuiToolBar(&window);
        tools->SetUIStyle(look.Style);
        EXPECT_EQ(tools->ButtonColor(), look.ToolButton);
    }
}

TEST(ThemeTable, ResourceNames)
{
    EXPECT_EQ(GetThemeString(WinXP, teButtonNormal), "WINXP_BUTTON_NORMAL");
    EXPECT_EQ(GetThemeString(BlueGlass, teButtonMouseDown), "BLUEGLASS_BUTTON_MOUSEDOWN");
    for (TsuiUIStyle style : kStyles)
        EXPECT_EQ(GetThemeString(style, teMenuChecked), "MENU_CHECKED");

    // Only WinXP has separate mouse-over and pressed check pictures.
    struct CheckNames
    {
        TsuiThemeElement Element;
        const char* WinXP;
        const char* Others;
    };
    const CheckNames checks[] = {
        {teCheckBoxDisabledChecked, "CHECKBOX_DISABLE_CHECK", "CHECKBOX_DISABLE_CHECK"},
        {teCheckBoxDisabledUnchecked, "CHECKBOX_DISABLE_UNCHECK", "CHECKBOX_DISABLE_UNCHECK"},
        {teCheckBoxChecked, "CHECKBOX_NORMAL_CHECK", "CHECKBOX_CHECK"},
        {teCheckBoxUnchecked, "CHECKBOX_NORMAL_UNCHECK", "CHECKBOX_UNCHECK"},
        {teCheckBoxMouseOnChecked, "CHECKBOX_MOUSEON_CHECK", "CHECKBOX_CHECK"},
        {teCheckBoxMouseOnUnchecked, "CHECKBOX_MOUSEON_UNCHECK", "CHECKBOX_UNCHECK"},
        {teCheckBoxMouseDownChecked, "CHECKBOX_MOUSEDOWN_CHECK", "CHECKBOX_CHECK"},
        {teCheckBoxMouseDownUnchecked, "CHECKBOX_MOUSEDOWN_UNCHECK", "CHECKBOX_UNCHECK"},
        {teRadioButtonDisabledChecked, "RADIOBUTTON_DISABLE_CHECK", "RADIOBUTTON_DISABLE_CHECK"},
        {teRadioButtonDisabledUnchecked, "RADIOBUTTON_DISABLE_UNCHECK", "RADIOBUTTON_DISABLE_UNCHECK"},
        {teRadioButtonChecked, "RADIOBUTTON_NORMAL_CHECK", "RADIOBUTTON_CHECK"},
        {teRadioButtonUnchecked, "RADIOBUTTON_NORMAL_UNCHECK", "RADIOBUTTON_UNCHECK"},
        {teRadioButtonMouseOnChecked, "RADIOBUTTON_MOUSEON_CHECK", "RADIOBUTTON_CHECK"},
        {teRadioButtonMouseOnUnchecked, "RADIOBUTTON_MOUSEON_UNCHECK", "RADIOBUTTON_UNCHECK"},
        {teRadioButtonMouseDownChecked, "RADIOBUTTON_MOUSEDOWN_CHECK", "RADIOBUTTON_CHECK"},
        {teRadioButtonMouseDownUnchecked, "RADIOBUTTON_MOUSEDOWN_UNCHECK", "RADIOBUTTON_UNCHECK"},
    };
    for (const CheckNames& check : checks) {
        EXPECT_EQ(GetThemeString(WinXP, check.Element), QString("WINXP_") + check.WinXP);
        EXPECT_EQ(GetThemeString(MacOS, check.Element), QString("MACOS_") + check.Others);
        EXPECT_EQ(GetThemeString(Protein, check.Element), QString("PROTEIN_") + check.Others);
    }

    // The restore button exists only for WinXP.
    EXPECT_EQ(GetThemeString(WinXP, teTitleRestoreNormal), "WINXP_TITLEBTN_RST_NORMAL");
    EXPECT_EQ(GetThemeString(WinXP, teTitleRestoreMouseDown), "WINXP_TITLEBTN_RST_MOUSEDOWN");
    EXPECT_EQ(GetThemeString(Protein, teTitleRestoreNormal), "PROTEIN_TITLEBTN_MAX_NORMAL");
    EXPECT_EQ(GetThemeString(DeepBlue, teTitleRestoreMouseOn), "DEEPBLUE_TITLEBTN_MAX_MOUSEON");
    EXPECT_EQ(GetThemeString(MacOS, teTitleRestoreMouseDown), "MACOS_TITLEBTN_MAX_MOUSEDOWN");

    EXPECT_EQ(GetThemeString(DeepBlue, teProgressBarVertical), "DEEPBLUE_PROGRESSBAR_V");
    EXPECT_EQ(GetThemeString(Protein, teTitleClient), "PROTEIN_TITLE_CLIENT");
    EXPECT_EQ(GetThemeString(BlueGlass, teTitleControlBoxNormal), "BLUEGLASS_TITLEBTN_CTLBOX_NORMAL");
    EXPECT_EQ(GetThemeString(WinXP, teTabLine), "WINXP_TAB_LINE");
    EXPECT_EQ(GetThemeString(MacOS, teTrackBarBarVertical), GetThemeString(MacOS, teTrackBarBar));
    EXPECT_EQ(GetThemeString(MacOS, teTrackBarSliderVertical), "MACOS_TRACKBAR_SLIDER_V");
    EXPECT_EQ(GetThemeString(BlueGlass, teScrollBottomButtonNormal), "BLUEGLASS_SCROLLBAR_BTMBUTTON_NORMAL");
    EXPECT_EQ(GetThemeString(DeepBlue, teScrollTrack), "DEEPBLUE_SCROLLBAR_TRACK");

    EXPECT_EQ(GetThemeResourceNames(WinXP).size(), 56);
    EXPECT_EQ(GetThemeResourceNames(MacOS).size(), 45);
    EXPECT_EQ(GetThemeResourceNames(BlueGlass).size(), 45);
}

TEST(ThemeTable, RawStringElementIsAZeroTerminatedName)
{
    TsuiType type = TsuiType::Int;
    const std::intptr_t raw = GetThemeElement(DeepBlue, teTitleCloseNormal, type);
    ASSERT_EQ(type, TsuiType::Str);
    EXPECT_STREQ(reinterpret_cast<const char*>(raw), "DEEPBLUE_TITLEBTN_CLOSE_NORMAL");
    EXPECT_EQ(GetThemeElement(WinXP, teFormBorderColor, type), 0xC82C00);
    EXPECT_EQ(type, TsuiType::Color);
}

TEST(ThemeLookups, CustomAndUnknownStylesYieldNeutralValues)
{
    for (const TsuiUIStyle style : {Custom, TsuiUIStyle(6), TsuiUIStyle(255)}) {
        TsuiType type = TsuiType::Str;
        EXPECT_EQ(GetThemeElement(style, teFormBorderColor, type), -1);
        EXPECT_EQ(type, TsuiType::Int);
        EXPECT_EQ(GetThemeInt(style, teFormBorderWidth), -1);
        EXPECT_EQ(GetThemeColor(style, teFormBorderColor), clBlack);
        EXPECT_FALSE(GetThemeBool(style, teTitleButtonTransparent));
        EXPECT_EQ(GetThemeString(style, teButtonNormal), "");
    }
    // Outside 1..91 is neutral rather than a read past the table.
    for (const int index : {0, -1, 92, 1000}) {
        EXPECT_EQ(GetThemeInt(WinXP, TsuiThemeElement(index)), -1);
        EXPECT_EQ(GetThemeString(WinXP, TsuiThemeElement(index)), "");
    }
}

TEST(ThemeLookups, TypeMismatchYieldsNeutralValues)
{
    EXPECT_EQ(GetThemeColor(WinXP, teFormBorderWidth), clBlack);
    EXPECT_EQ(GetThemeInt(WinXP, teFormBorderColor), -1);
    EXPECT_EQ(GetThemeInt(WinXP, teButtonNormal), -1);
    EXPECT_EQ(GetThemeColor(MacOS, teMenuChecked), clBlack);
    EXPECT_FALSE(GetThemeBool(WinXP, teStyleOrdinal)) << "an Int element holding 2";
    EXPECT_FALSE(GetThemeBool(WinXP, teFormColor));
    EXPECT_EQ(GetThemeString(Protein, teTitleButtonTransparent), "");
    EXPECT_EQ(GetThemeString(WinXP, teFormCornerRadius), "");
    EXPECT_EQ(GetThemeInt(Protein, teTitleButtonTransparent), -1);
}
