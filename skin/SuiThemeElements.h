#pragma once

// The elements of the theme table by what each is used for. The values are
// the table's 1-based indices; the table in Suithemes.cpp is keyed by these
// names, so a number appears here and nowhere else.
enum TsuiThemeElement : int
{
    teStyleOrdinal = 1,
    teFormBorderColor = 2, // also the main menu's border
    teFormColor = 3,       // also behind the main menu's items
    teFormBorderWidth = 4,
    teReserved5 = 5, // not read
    teFormMinWidth = 6,
    teFormCornerRadius = 7,
    teControlBorderColor = 8,
    teControlColor = 9,
    teGroupFontColor = 10,
    teMenuSelectedBorderColor = 11,
    teMenuSelectedColor = 12,     // also a grid's fixed cells
    teMenuSelectedFontColor = 13, // also a grid's fixed-cell font
    teReserved14 = 14,            // not read
    teMenuColor = 15,
    teMenuFontColor = 16, // also a grid's font
    teMenuSideBarColor = 17,
    teMenuSeparatorColor = 18,
    teReserved19 = 19, // not read
    teMenuItemHeight = 20,
    teMenuSeparatorHeight = 21,
    teMenuSideBarWidth = 22,
    teMenuChecked = 23,
    teButtonNormal = 24,
    teButtonMouseOn = 25,
    teButtonMouseDown = 26,
    teCheckBoxDisabledChecked = 27,
    teCheckBoxDisabledUnchecked = 28,
    teCheckBoxChecked = 29,
    teCheckBoxUnchecked = 30,
    teCheckBoxMouseOnChecked = 31,
    teCheckBoxMouseOnUnchecked = 32,
    teCheckBoxMouseDownChecked = 33,
    teCheckBoxMouseDownUnchecked = 34,
    teRadioButtonDisabledChecked = 35,
    teRadioButtonDisabledUnchecked = 36,
    teRadioButtonChecked = 37,
    teRadioButtonUnchecked = 38,
    teRadioButtonMouseOnChecked = 39,
    teRadioButtonMouseOnUnchecked = 40,
    teRadioButtonMouseDownChecked = 41,
    teRadioButtonMouseDownUnchecked = 42,
    teProgressBar = 43,
    teProgressBarVertical = 44,
    teTitleLeft = 45,
    teTitleClient = 46,
    teTitleRight = 47,
    teTitleCloseNormal = 48,
    teTitleCloseMouseOn = 49,
    teTitleCloseMouseDown = 50,
    teTitleMaxNormal = 51,
    teTitleMaxMouseOn = 52,
    teTitleMaxMouseDown = 53,
    teTitleMinNormal = 54,
    teTitleMinMouseOn = 55,
    teTitleMinMouseDown = 56,
    teTitleHelpNormal = 57,
    teTitleHelpMouseOn = 58,
    teTitleHelpMouseDown = 59,
    teTitleControlBoxNormal = 60,
    teTitleControlBoxMouseOn = 61,
    teTitleControlBoxMouseDown = 62,
    teTitleRestoreNormal = 63,
    teTitleRestoreMouseOn = 64,
    teTitleRestoreMouseDown = 65,
    teTitleButtonTransparent = 66,
    teTitleLeftBtnXOffset = 67,
    teTitleRightBtnXOffset = 68,
    teTitleButtonTop = 69,
    teTabActive = 70,
    teTabInactive = 71,
    teTabLine = 72,
    teTabStripHeight = 73,
    teComboButtonColor = 74,
    teTrackBarBar = 75,
    teTrackBarSlider = 76,
    teTrackBarBarVertical = 77,
    teTrackBarSliderVertical = 78,
    teTrackBarColor = 79,
    teToolButtonBorderColor = 80,
    teToolButtonColor = 81,
    teToolButtonDownColor = 82,
    teToolBarColor = 83,
    teScrollBarColor = 84,
    teScrollTopButtonNormal = 85,
    teScrollTopButtonMouseOn = 86,
    teScrollTopButtonMouseDown = 87,
    teScrollBottomButtonNormal = 88,
    teScrollBottomButtonMouseOn = 89,
    teScrollBottomButtonMouseDown = 90,
    teScrollTrack = 91,
};

inline constexpr int SUI_THEME_ELEMENT_COUNT = teScrollTrack;

// The three pictures of a button that has normal, mouse-over and pressed states.
struct TsuiStateElements
{
    TsuiThemeElement Normal;
    TsuiThemeElement MouseOn;
    TsuiThemeElement MouseDown;
};

inline constexpr TsuiStateElements kButtonElements{teButtonNormal, teButtonMouseOn, teButtonMouseDown};
inline constexpr TsuiStateElements kTitleCloseElements{teTitleCloseNormal, teTitleCloseMouseOn,
                                                       teTitleCloseMouseDown};
inline constexpr TsuiStateElements kTitleMaxElements{teTitleMaxNormal, teTitleMaxMouseOn,
                                                     teTitleMaxMouseDown};
inline constexpr TsuiStateElements kTitleMinElements{teTitleMinNormal, teTitleMinMouseOn,
                                                     teTitleMinMouseDown};
inline constexpr TsuiStateElements kTitleHelpElements{teTitleHelpNormal, teTitleHelpMouseOn,
                                                      teTitleHelpMouseDown};
inline constexpr TsuiStateElements kTitleControlBoxElements{teTitleControlBoxNormal, teTitleControlBoxMouseOn,
                                                            teTitleControlBoxMouseDown};
inline constexpr TsuiStateElements kTitleRestoreElements{teTitleRestoreNormal, teTitleRestoreMouseOn,
                                                         teTitleRestoreMouseDown};
inline constexpr TsuiStateElements kScrollTopButtonElements{teScrollTopButtonNormal, teScrollTopButtonMouseOn,
                                                            teScrollTopButtonMouseDown};
inline constexpr TsuiStateElements kScrollBottomButtonElements{
    teScrollBottomButtonNormal, teScrollBottomButtonMouseOn, teScrollBottomButtonMouseDown};

// The checked and unchecked picture of one state of a check box or radio button.
struct TsuiCheckPair
{
    TsuiThemeElement Checked;
    TsuiThemeElement Unchecked;

    constexpr TsuiThemeElement For(bool checked) const { return checked ? Checked : Unchecked; }
};

struct TsuiCheckElements
{
    TsuiCheckPair Disabled;
    TsuiCheckPair Normal;
    TsuiCheckPair MouseOn;
    TsuiCheckPair MouseDown;
};

inline constexpr TsuiCheckElements kCheckBoxElements{
    {teCheckBoxDisabledChecked, teCheckBoxDisabledUnchecked},
    {teCheckBoxChecked, teCheckBoxUnchecked},
    {teCheckBoxMouseOnChecked, teCheckBoxMouseOnUnchecked},
    {teCheckBoxMouseDownChecked, teCheckBoxMouseDownUnchecked},
};
inline constexpr TsuiCheckElements kRadioButtonElements{
    {teRadioButtonDisabledChecked, teRadioButtonDisabledUnchecked},
    {teRadioButtonChecked, teRadioButtonUnchecked},
    {teRadioButtonMouseOnChecked, teRadioButtonMouseOnUnchecked},
    {teRadioButtonMouseDownChecked, teRadioButtonMouseDownUnchecked},
};
