#pragma once

// The size of every skin bitmap, in one table: tools/skingen draws to it and
// the resource tests hold the committed bitmaps to it. Qt-free on purpose.

#include "skin/SuiLooks.h"
#include "skin/SuiThemeElements.h"

namespace tessel {

struct SkinSize
{
    int Width;
    int Height;
};

// The kinds of per-look bitmap.
enum class SkinPart
{
    Button,
    CheckBox,
    Radio,
    Progress,
    ProgressV,
    TitleLeft,
    TitleClient,
    TitleRight,
    TitleButton,
    Tab,
    TabLine,
    Groove,
    Slider,
    SliderV,
    ScrollButton,
    ScrollTrack,
    Count
};

// Per part, the looks in the order of kSuiLooks.
inline constexpr SkinSize kSkinPartSizes[int(SkinPart::Count)][kSuiLookCount] = {
    {{84, 23}, {18, 21}, {74, 21}, {74, 21}, {77, 27}},   // push button
    {{15, 17}, {13, 13}, {13, 13}, {13, 13}, {13, 13}},   // check box
    {{16, 17}, {13, 13}, {13, 13}, {13, 13}, {13, 13}},   // radio button
    {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}},       // progress bar
    {{13, 13}, {10, 6}, {10, 1}, {10, 1}, {10, 1}},       // progress bar, vertical
    {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}, // title left
    {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}},   // title client
    {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}},   // title right
    {{17, 17}, {21, 21}, {19, 19}, {19, 19}, {19, 19}},   // title bar buttons
    {{18, 27}, {9, 18}, {6, 17}, {9, 17}, {9, 17}},       // tab, active and inactive
    {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}},          // line under the tabs
    {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}},        // track bar groove
    {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}},   // track bar thumb
    {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}},   // track bar thumb, vertical
    {{16, 22}, {16, 17}, {16, 16}, {16, 16}, {17, 16}},   // scroll bar arrow buttons
    {{16, 33}, {16, 21}, {16, 21}, {16, 21}, {16, 21}},   // scroll bar track
};

// A part that misses a look would leave it a bitmap of no size.
static_assert(
    [] {
        for (const auto& part : kSkinPartSizes)
            for (const SkinSize& size : part)
                if (size.Width <= 0 || size.Height <= 0)
                    return false;
        return true;
    }(),
    "every part has a size for every look");

constexpr SkinSize SkinPartSize(SkinPart part, TsuiUIStyle style)
{
    return kSkinPartSizes[int(part)][SuiLookIndex(style)];
}

// A push button that keeps one height keeps its picture's.
static_assert(
    [] {
        for (const TsuiLook& look : kSuiLooks)
            if (look.ButtonHeight != 0 &&
                look.ButtonHeight != SkinPartSize(SkinPart::Button, look.Style).Height)
                return false;
        return true;
    }(),
    "a fixed button height is the height of the button bitmap");

// The part whose bitmap a theme element names; false for the elements that
// name no per-look bitmap (the menu check mark is a fixed one).
constexpr bool SkinPartOfElement(TsuiThemeElement element, SkinPart& part)
{
    struct Range
    {
        TsuiThemeElement First;
        TsuiThemeElement Last;
        SkinPart Part;
    };
    constexpr Range ranges[] = {
        {teButtonNormal, teButtonMouseDown, SkinPart::Button},
        {teCheckBoxDisabledChecked, teCheckBoxMouseDownUnchecked, SkinPart::CheckBox},
        {teRadioButtonDisabledChecked, teRadioButtonMouseDownUnchecked, SkinPart::Radio},
        {teProgressBar, teProgressBar, SkinPart::Progress},
        {teProgressBarVertical, teProgressBarVertical, SkinPart::ProgressV},
        {teTitleLeft, teTitleLeft, SkinPart::TitleLeft},
        {teTitleClient, teTitleClient, SkinPart::TitleClient},
        {teTitleRight, teTitleRight, SkinPart::TitleRight},
        {teTitleCloseNormal, teTitleRestoreMouseDown, SkinPart::TitleButton},
        {teTabActive, teTabInactive, SkinPart::Tab},
        {teTabLine, teTabLine, SkinPart::TabLine},
        {teTrackBarBar, teTrackBarBar, SkinPart::Groove},
        {teTrackBarSlider, teTrackBarSlider, SkinPart::Slider},
        {teTrackBarBarVertical, teTrackBarBarVertical, SkinPart::Groove},
        {teTrackBarSliderVertical, teTrackBarSliderVertical, SkinPart::SliderV},
        {teScrollTopButtonNormal, teScrollBottomButtonMouseDown, SkinPart::ScrollButton},
        {teScrollTrack, teScrollTrack, SkinPart::ScrollTrack},
    };
    for (const Range& range : ranges)
        if (element >= range.First && element <= range.Last) {
            part = range.Part;
            return true;
        }
    return false;
}

struct FixedSkinBitmap
{
    const char* Name;
    SkinSize Size;
};

// The bitmaps outside the per-look table, by name.
inline constexpr FixedSkinBitmap kFixedSkinBitmaps[] = {
    {"MENU_CHECKED", {16, 16}},
    {"MACOS_FORM_BACKGROUND", {8, 8}},
    {"PROTEIN_FORM_BACKGROUND", {8, 8}},
    {"MACOS_MENU_BAR", {1, 22}},
    {"MACOS_MENU_SELECT", {1, 21}},
    {"MACOS_COMBOBOX_BUTTON", {16, 17}},
    {"SIDECHANNEL_BAR_NORMAL", {8, 172}},
    {"SIDECHANNEL_BAR_MOUSEON", {8, 172}},
    {"SIDECHANNEL_BTN_ONTOP", {12, 12}},
    {"SIDECHANNEL_BTN_NOONTOP", {12, 12}},
    {"FONTCOMBO_TRUETYPE_FNT", {20, 12}},
    {"FONTCOMBO_DEVICE_FNT", {20, 12}},
    {"MAINICON", {16, 16}},
    {"MAINICON_32", {32, 32}},
};

} // namespace tessel
