#pragma once

// The built-in looks, in one table: the skin, the bitmap generator, the table
// of bitmap sizes, the gallery and the tests all read the looks from here.
// Qt-free, so that the generator and the size table can use it.

#include <cstddef>
#include <cstdint>
#include <iterator>

// The built-in looks. Custom keeps whatever colours and pictures a component
// was given and never reads the theme table.
enum TsuiUIStyle : std::uint8_t
{
    Custom = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5
};

// What a look is, beyond its theme elements: the facts that components would
// otherwise decide by comparing styles. Unnamed facts are off.
struct TsuiLook
{
    TsuiUIStyle Style = Custom;
    const char* Name = "Custom"; // as the gallery and the tools show it
    const char* Prefix = "";     // of the look's bitmap names
    std::uint32_t Face = 0;      // form and control face, 0x00BBGGRR

    int ButtonHeight = 0;             // push buttons keep their bitmap's height; 0 = any height
    bool ButtonTransparent = false;   // push buttons show the parent through their corners
    bool ButtonFocusLine = false;     // focus is a line under the caption, not a dotted frame
    bool CheckBoxTransparent = false; // check and radio buttons show the parent behind them
    bool ToolBarTransparent = false;  // tool bars show the parent behind them
    bool FormBackground = false;      // the form face tiles <prefix>FORM_BACKGROUND
    bool ComboButtonPicture = false;  // combo buttons stretch <prefix>COMBOBOX_BUTTON
    bool WhiteTabControl = false;     // the tab control's body is white, not the control face
    bool BlackCaption = false;        // the title bar caption is black whatever the font says
    int CaptionTop = -1;              // of the title bar caption; -1 = centred
    bool PictureMenus = false;        // menu bars and items are drawn from MACOS_MENU_* at fixed heights
    bool RestorePictures = false;     // the maximise button shows restore pictures once clicked
};

inline constexpr TsuiLook kSuiLooks[] = {
    {.Style = MacOS,
     .Name = "MacOS",
     .Prefix = "MACOS_",
     .Face = 0xE7E7E7,
     .ButtonHeight = 23,
     .ButtonFocusLine = true,
     .CheckBoxTransparent = true,
     .ToolBarTransparent = true,
     .FormBackground = true,
     .ComboButtonPicture = true,
     .BlackCaption = true,
     .PictureMenus = true},
    {.Style = WinXP,
     .Name = "WinXP",
     .Prefix = "WINXP_",
     .Face = 0xDEEBEF,
     .WhiteTabControl = true,
     .RestorePictures = true},
    {.Style = DeepBlue, .Name = "DeepBlue", .Prefix = "DEEPBLUE_", .Face = 0xE8E8E8, .CaptionTop = 4},
    {.Style = Protein,
     .Name = "Protein",
     .Prefix = "PROTEIN_",
     .Face = 0xFBFBFB,
     .CheckBoxTransparent = true,
     .FormBackground = true},
    {.Style = BlueGlass,
     .Name = "BlueGlass",
     .Prefix = "BLUEGLASS_",
     .Face = 0xE7E7E7,
     .ButtonTransparent = true,
     .ButtonFocusLine = true},
};

inline constexpr int kSuiLookCount = int(std::size(kSuiLooks));

// The position of a built-in look in kSuiLooks and in every per-look table.
constexpr std::size_t SuiLookIndex(TsuiUIStyle style)
{
    return std::size_t(style) - 1;
}

constexpr bool IsBuiltInLook(TsuiUIStyle style)
{
    return style >= 1 && style <= kSuiLookCount;
}

// The look's entry; Custom and values past the last look have none.
constexpr const TsuiLook* SuiLookOf(TsuiUIStyle style)
{
    return IsBuiltInLook(style) ? &kSuiLooks[SuiLookIndex(style)] : nullptr;
}

// What a component without a built-in look does: nothing special.
inline constexpr TsuiLook kNoLook{};

// The look's facts, kNoLook for Custom and values past the last look.
constexpr const TsuiLook& SuiLook(TsuiUIStyle style)
{
    return IsBuiltInLook(style) ? kSuiLooks[SuiLookIndex(style)] : kNoLook;
}

static_assert(
    [] {
        for (int i = 0; i < kSuiLookCount; ++i)
            if (kSuiLooks[i].Style != i + 1)
                return false;
        return true;
    }(),
    "the looks are listed in enumeration order, from 1");
