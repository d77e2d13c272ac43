#include "Catalogue.h"

#include "Families.h"

namespace skingen {
namespace {

struct StateName
{
    State state;
    const char* suffix;
};
constexpr StateName kButtonStates[] = {
    {State::Normal, "NORMAL"}, {State::Hover, "MOUSEON"}, {State::Down, "MOUSEDOWN"}};

struct GlyphName
{
    Glyph glyph;
    const char* name;
};
constexpr GlyphName kTitleButtons[] = {{Glyph::Close, "CLOSE"},
                                       {Glyph::Max, "MAX"},
                                       {Glyph::Min, "MIN"},
                                       {Glyph::Help, "HELP"},
                                       {Glyph::ControlBox, "CTLBOX"}};

using TwoState = QImage (*)(const Look&, State, bool);

// Check boxes and radio buttons: WinXP names every state, the other looks share
// one checked and one unchecked picture for normal, hover and pressed.
void AddTwoState(std::vector<SkinEntry>& out, const Look& l, const QString& kind, QSize size, TwoState draw)
{
    const QString base = l.prefix + kind + "_";
    for (bool checked : {true, false}) {
        const QString mark = checked ? "CHECK" : "UNCHECK";
        out.push_back({base + "DISABLE_" + mark, size,
                       [&l, draw, checked] { return draw(l, State::Disabled, checked); }});
        if (l.style != Style::WinXP) {
            out.push_back(
                {base + mark, size, [&l, draw, checked] { return draw(l, State::Normal, checked); }});
            continue;
        }
        for (const StateName& s : kButtonStates)
            out.push_back({base + s.suffix + "_" + mark, size,
                           [&l, draw, checked, st = s.state] { return draw(l, st, checked); }});
    }
}

void AddStyle(std::vector<SkinEntry>& out, const Look& l)
{
    const QString p = l.prefix;
    const Sizes& z = l.size;
    for (const StateName& s : kButtonStates)
        out.push_back({p + "BUTTON_" + s.suffix, z.button, [&l, st = s.state] { return DrawButton(l, st); }});
    AddTwoState(out, l, "CHECKBOX", z.checkBox, &DrawCheckBox);
    AddTwoState(out, l, "RADIOBUTTON", z.radio, &DrawRadio);
    out.push_back({p + "PROGRESSBAR", z.progress, [&l] { return DrawProgress(l, false); }});
    out.push_back({p + "PROGRESSBAR_V", z.progressV, [&l] { return DrawProgress(l, true); }});
    out.push_back({p + "TITLE_LEFT", z.titleLeft, [&l] { return DrawTitle(l, TitlePart::Left); }});
    out.push_back({p + "TITLE_CLIENT", z.titleClient, [&l] { return DrawTitle(l, TitlePart::Client); }});
    out.push_back({p + "TITLE_RIGHT", z.titleRight, [&l] { return DrawTitle(l, TitlePart::Right); }});
    for (const GlyphName& g : kTitleButtons)
        for (const StateName& s : kButtonStates)
            out.push_back({p + "TITLEBTN_" + g.name + "_" + s.suffix, z.titleButton,
                           [&l, gl = g.glyph, st = s.state] { return DrawTitleButton(l, gl, st); }});
    // Only WinXP has restore pictures of its own; the others reuse maximise.
    if (l.style == Style::WinXP)
        for (const StateName& s : kButtonStates)
            out.push_back({p + "TITLEBTN_RST_" + s.suffix, z.titleButton,
                           [&l, st = s.state] { return DrawTitleButton(l, Glyph::Restore, st); }});
    out.push_back({p + "TAB_ACTIVE", z.tab, [&l] { return DrawTab(l, true); }});
    out.push_back({p + "TAB_INACTIVE", z.tab, [&l] { return DrawTab(l, false); }});
    out.push_back({p + "TAB_LINE", z.tabLine, [&l] { return DrawTabLine(l); }});
    out.push_back({p + "TRACKBAR_BAR", z.groove, [&l] { return DrawGroove(l); }});
    out.push_back({p + "TRACKBAR_SLIDER", z.slider, [&l] { return DrawSlider(l, false); }});
    out.push_back({p + "TRACKBAR_SLIDER_V", z.sliderV, [&l] { return DrawSlider(l, true); }});
    for (bool first : {true, false})
        for (const StateName& s : kButtonStates)
            out.push_back({p + (first ? "SCROLLBAR_TOPBUTTON_" : "SCROLLBAR_BTMBUTTON_") + s.suffix,
                           z.scrollButton,
                           [&l, first, st = s.state] { return DrawScrollButton(l, first, st); }});
    out.push_back({p + "SCROLLBAR_TRACK", z.scrollThumb, [&l] { return DrawScrollThumb(l); }});
}

} // namespace

std::vector<SkinEntry> SkinEntries()
{
    std::vector<SkinEntry> out;
    for (const TsuiLook& look : kSuiLooks)
        AddStyle(out, LookOf(look.Style));
    out.push_back({"MENU_CHECKED", FixedSize("MENU_CHECKED"), &DrawMenuChecked});
    out.push_back({"MACOS_FORM_BACKGROUND", FixedSize("MACOS_FORM_BACKGROUND"),
                   [] { return DrawFormTile(Style::MacOS); }});
    out.push_back({"PROTEIN_FORM_BACKGROUND", FixedSize("PROTEIN_FORM_BACKGROUND"),
                   [] { return DrawFormTile(Style::Protein); }});
    out.push_back({"MACOS_MENU_BAR", FixedSize("MACOS_MENU_BAR"), &DrawMacMenuBar});
    out.push_back({"MACOS_MENU_SELECT", FixedSize("MACOS_MENU_SELECT"), &DrawMacMenuSelect});
    out.push_back({"MACOS_COMBOBOX_BUTTON", FixedSize("MACOS_COMBOBOX_BUTTON"), &DrawMacComboButton});
    out.push_back({"SIDECHANNEL_BAR_NORMAL", FixedSize("SIDECHANNEL_BAR_NORMAL"),
                   [] { return DrawSideChannelBar(false); }});
    out.push_back({"SIDECHANNEL_BAR_MOUSEON", FixedSize("SIDECHANNEL_BAR_MOUSEON"),
                   [] { return DrawSideChannelBar(true); }});
    out.push_back({"SIDECHANNEL_BTN_ONTOP", FixedSize("SIDECHANNEL_BTN_ONTOP"),
                   [] { return DrawSideChannelPin(true); }});
    out.push_back({"SIDECHANNEL_BTN_NOONTOP", FixedSize("SIDECHANNEL_BTN_NOONTOP"),
                   [] { return DrawSideChannelPin(false); }});
    out.push_back({"FONTCOMBO_TRUETYPE_FNT", FixedSize("FONTCOMBO_TRUETYPE_FNT"),
                   [] { return DrawFontTypeMark(true); }});
    out.push_back(
        {"FONTCOMBO_DEVICE_FNT", FixedSize("FONTCOMBO_DEVICE_FNT"), [] { return DrawFontTypeMark(false); }});
    // The title bar draws the icon at 16x16; the larger one serves the window icon.
    out.push_back({"MAINICON", FixedSize("MAINICON"), [] { return DrawAppIcon(16); }});
    out.push_back({"MAINICON_32", FixedSize("MAINICON_32"), [] { return DrawAppIcon(32); }});
    return out;
}

std::vector<PictureEntry> PictureEntries()
{
    using F = PictureFormat;
    std::vector<PictureEntry> out{
        {"main.jpg", {800, 600}, F::Jpeg, &DrawMainPicture},
        {"login.jpg",
         {83, 141},
         F::Jpeg,
         [] {
             return DrawSidePicture({83, 141}, Emblem::Lock, 11);
         }},
        {"password.jpg",
         {91, 154},
         F::Jpeg,
         [] {
             return DrawSidePicture({91, 154}, Emblem::Key, 23);
         }},
        {"about.jpg",
         {93, 137},
         F::Jpeg,
         [] {
             return DrawSidePicture({93, 137}, Emblem::Mark, 5);
         }},
        {"MAIN_TITLE_LEFT.png", {137, 23}, F::Png24, [] { return DrawMainTitle(TitlePart::Left); }},
        {"MAIN_TITLE_RIGHT.png", {129, 23}, F::Png24, [] { return DrawMainTitle(TitlePart::Right); }},
        {"MAIN_TITLE_CLIENT.png", {279, 23}, F::Png24, [] { return DrawMainTitle(TitlePart::Client); }},
    };
    for (const GlyphName& g : {GlyphName{Glyph::Close, "CLOSE"}, GlyphName{Glyph::Min, "MIN"}})
        for (const StateName& s : {StateName{State::Normal, "NORMAL"}, StateName{State::Hover, "MOUSEON"},
                                   StateName{State::Down, "DOWN"}})
            out.push_back({QString("MAIN_%1_%2.png").arg(g.name, s.suffix),
                           {19, 19},
                           F::Png16Colours,
                           [gl = g.glyph, st = s.state] { return DrawMainTitleButton(gl, st); }});
    return out;
}

std::vector<PictureEntry> DesktopIconEntries()
{
    std::vector<PictureEntry> out;
    for (int size : {16, 32, 48, 64, 128, 256})
        out.push_back({QString("tessel-%1.png").arg(size), {size, size}, PictureFormat::Png32, [size] {
                           return DrawAppIcon(size);
                       }});
    return out;
}

} // namespace skingen
