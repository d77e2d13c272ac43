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

using TwoState = QImage (*)(const Look&, State, bool, int);

// Check boxes and radio buttons: WinXP names every state, the other looks share
// one checked and one unchecked picture for normal, hover and pressed.
void AddTwoState(std::vector<SkinEntry>& out, const Look& l, const QString& kind, QSize size, TwoState draw)
{
    const QString base = l.prefix + kind + "_";
    for (bool checked : {true, false}) {
        const QString mark = checked ? "CHECK" : "UNCHECK";
        out.push_back({base + "DISABLE_" + mark, size,
                       [&l, draw, checked](int zoom) { return draw(l, State::Disabled, checked, zoom); }});
        if (l.style != Style::WinXP) {
            out.push_back({base + mark, size,
                           [&l, draw, checked](int zoom) { return draw(l, State::Normal, checked, zoom); }});
            continue;
        }
        for (const StateName& s : kButtonStates)
            out.push_back({base + s.suffix + "_" + mark, size, [&l, draw, checked, st = s.state](int zoom) {
                               return draw(l, st, checked, zoom);
                           }});
    }
}

void AddStyle(std::vector<SkinEntry>& out, const Look& l)
{
    const QString p = l.prefix;
    const Sizes& z = l.size;
    for (const StateName& s : kButtonStates)
        out.push_back({p + "BUTTON_" + s.suffix, z.button,
                       [&l, st = s.state](int zoom) { return DrawButton(l, st, zoom); }});
    AddTwoState(out, l, "CHECKBOX", z.checkBox, &DrawCheckBox);
    AddTwoState(out, l, "RADIOBUTTON", z.radio, &DrawRadio);
    out.push_back({p + "PROGRESSBAR", z.progress, [&l](int zoom) { return DrawProgress(l, false, zoom); }});
    out.push_back({p + "PROGRESSBAR_V", z.progressV, [&l](int zoom) { return DrawProgress(l, true, zoom); }});
    out.push_back(
        {p + "TITLE_LEFT", z.titleLeft, [&l](int zoom) { return DrawTitle(l, TitlePart::Left, zoom); }});
    out.push_back({p + "TITLE_CLIENT", z.titleClient,
                   [&l](int zoom) { return DrawTitle(l, TitlePart::Client, zoom); }});
    out.push_back(
        {p + "TITLE_RIGHT", z.titleRight, [&l](int zoom) { return DrawTitle(l, TitlePart::Right, zoom); }});
    for (const GlyphName& g : kTitleButtons)
        for (const StateName& s : kButtonStates)
            out.push_back(
                {p + "TITLEBTN_" + g.name + "_" + s.suffix, z.titleButton,
                 [&l, gl = g.glyph, st = s.state](int zoom) { return DrawTitleButton(l, gl, st, zoom); }});
    // Only WinXP has restore pictures of its own; the others reuse maximise.
    if (l.style == Style::WinXP)
        for (const StateName& s : kButtonStates)
            out.push_back({p + "TITLEBTN_RST_" + s.suffix, z.titleButton, [&l, st = s.state](int zoom) {
                               return DrawTitleButton(l, Glyph::Restore, st, zoom);
                           }});
    out.push_back({p + "TAB_ACTIVE", z.tab, [&l](int zoom) { return DrawTab(l, true, zoom); }});
    out.push_back({p + "TAB_INACTIVE", z.tab, [&l](int zoom) { return DrawTab(l, false, zoom); }});
    out.push_back({p + "TAB_LINE", z.tabLine, [&l](int zoom) { return DrawTabLine(l, zoom); }});
    out.push_back({p + "TRACKBAR_BAR", z.groove, [&l](int zoom) { return DrawGroove(l, zoom); }});
    out.push_back({p + "TRACKBAR_SLIDER", z.slider, [&l](int zoom) { return DrawSlider(l, false, zoom); }});
    out.push_back({p + "TRACKBAR_SLIDER_V", z.sliderV, [&l](int zoom) { return DrawSlider(l, true, zoom); }});
    for (bool first : {true, false})
        for (const StateName& s : kButtonStates)
            out.push_back(
                {p + (first ? "SCROLLBAR_TOPBUTTON_" : "SCROLLBAR_BTMBUTTON_") + s.suffix, z.scrollButton,
                 [&l, first, st = s.state](int zoom) { return DrawScrollButton(l, first, st, zoom); }});
    out.push_back(
        {p + "SCROLLBAR_TRACK", z.scrollThumb, [&l](int zoom) { return DrawScrollThumb(l, zoom); }});
}

} // namespace

std::vector<SkinEntry> SkinEntries()
{
    std::vector<SkinEntry> out;
    for (const TsuiLook& look : kSuiLooks)
        AddStyle(out, LookOf(look.Style));
    out.push_back(
        {"MENU_CHECKED", FixedSize("MENU_CHECKED"), [](int zoom) { return DrawMenuChecked(zoom); }});
    out.push_back({"MACOS_FORM_BACKGROUND", FixedSize("MACOS_FORM_BACKGROUND"),
                   [](int zoom) { return DrawFormTile(Style::MacOS, zoom); }});
    out.push_back({"PROTEIN_FORM_BACKGROUND", FixedSize("PROTEIN_FORM_BACKGROUND"),
                   [](int zoom) { return DrawFormTile(Style::Protein, zoom); }});
    out.push_back(
        {"MACOS_MENU_BAR", FixedSize("MACOS_MENU_BAR"), [](int zoom) { return DrawMacMenuBar(zoom); }});
    out.push_back({"MACOS_MENU_SELECT", FixedSize("MACOS_MENU_SELECT"),
                   [](int zoom) { return DrawMacMenuSelect(zoom); }});
    out.push_back({"MACOS_COMBOBOX_BUTTON", FixedSize("MACOS_COMBOBOX_BUTTON"),
                   [](int zoom) { return DrawMacComboButton(zoom); }});
    out.push_back({"SIDECHANNEL_BAR_NORMAL", FixedSize("SIDECHANNEL_BAR_NORMAL"),
                   [](int zoom) { return DrawSideChannelBar(false, zoom); }});
    out.push_back({"SIDECHANNEL_BAR_MOUSEON", FixedSize("SIDECHANNEL_BAR_MOUSEON"),
                   [](int zoom) { return DrawSideChannelBar(true, zoom); }});
    out.push_back({"SIDECHANNEL_BTN_ONTOP", FixedSize("SIDECHANNEL_BTN_ONTOP"),
                   [](int zoom) { return DrawSideChannelPin(true, zoom); }});
    out.push_back({"SIDECHANNEL_BTN_NOONTOP", FixedSize("SIDECHANNEL_BTN_NOONTOP"),
                   [](int zoom) { return DrawSideChannelPin(false, zoom); }});
    out.push_back({"FONTCOMBO_TRUETYPE_FNT", FixedSize("FONTCOMBO_TRUETYPE_FNT"),
                   [](int zoom) { return DrawFontTypeMark(true, zoom); }});
    out.push_back({"FONTCOMBO_DEVICE_FNT", FixedSize("FONTCOMBO_DEVICE_FNT"),
                   [](int zoom) { return DrawFontTypeMark(false, zoom); }});
    // The title bar draws the icon at 16x16; the larger one serves the window icon.
    out.push_back({"MAINICON", FixedSize("MAINICON"), [](int zoom) { return DrawAppIcon(16 * zoom); }});
    out.push_back({"MAINICON_32", FixedSize("MAINICON_32"), [](int zoom) { return DrawAppIcon(32 * zoom); }});
    return out;
}

std::vector<PictureEntry> PictureEntries()
{
    using F = PictureFormat;
    std::vector<PictureEntry> out{
        {"main.jpg", {800, 600}, F::Jpeg, [](int zoom) { return DrawMainPicture(zoom); }},
        {"login.jpg",
         {83, 141},
         F::Jpeg,
         [](int zoom) {
             return DrawSidePicture({83, 141}, Emblem::Lock, 11, zoom);
         }},
        {"password.jpg",
         {91, 154},
         F::Jpeg,
         [](int zoom) {
             return DrawSidePicture({91, 154}, Emblem::Key, 23, zoom);
         }},
        {"about.jpg",
         {93, 137},
         F::Jpeg,
         [](int zoom) {
             return DrawSidePicture({93, 137}, Emblem::Mark, 5, zoom);
         }},
        {"MAIN_TITLE_LEFT.png",
         {137, 23},
         F::Png24,
         [](int zoom) { return DrawMainTitle(TitlePart::Left, zoom); }},
        {"MAIN_TITLE_RIGHT.png",
         {129, 23},
         F::Png24,
         [](int zoom) { return DrawMainTitle(TitlePart::Right, zoom); }},
        {"MAIN_TITLE_CLIENT.png",
         {279, 23},
         F::Png24,
         [](int zoom) { return DrawMainTitle(TitlePart::Client, zoom); }},
    };
    for (const GlyphName& g : {GlyphName{Glyph::Close, "CLOSE"}, GlyphName{Glyph::Min, "MIN"}})
        for (const StateName& s : {StateName{State::Normal, "NORMAL"}, StateName{State::Hover, "MOUSEON"},
                                   StateName{State::Down, "DOWN"}})
            out.push_back(
                {QString("MAIN_%1_%2.png").arg(g.name, s.suffix),
                 {19, 19},
                 F::Png16Colours,
                 [gl = g.glyph, st = s.state](int zoom) { return DrawMainTitleButton(gl, st, zoom); }});
    return out;
}

std::vector<PictureEntry> DesktopIconEntries()
{
    std::vector<PictureEntry> out;
    for (int size : {16, 32, 48, 64, 128, 256})
        out.push_back(
            {QString("tessel-%1.png").arg(size), {size, size}, PictureFormat::Png32, [size](int zoom) {
                 return DrawAppIcon(size * zoom);
             }});
    return out;
}

} // namespace skingen
