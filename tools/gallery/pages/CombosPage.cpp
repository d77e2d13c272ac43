#include "tools/gallery/GalleryPage.h"

#include "skin/SuiCheckGroup.h"
#include "skin/SuiColorBox.h"
#include "skin/SuiComboBox.h"
#include "skin/SuiFontComboBox.h"
#include "skin/SuiStyleRules.h"

namespace {

template <class Combo> Combo* Place(QWidget* parent, TsuiUIStyle look, int left, int top, int width = 145)
{
    auto* combo = new Combo(parent);
    combo->SetUIStyle(look);
    combo->SetBounds(left, top, width, 21);
    return combo;
}

void BuildCombosPage(QWidget* stage, TsuiUIStyle look)
{
    QStringList cities;
    for (const char* city : {"北京", "上海", "Guangzhou", "Shenzhen", "Chengdu", "Hangzhou"})
        cities << QString::fromUtf8(city);

    // Combo boxes: editable, list, disabled, and one more list.
    QWidget* combos = Section(stage, QStringLiteral("TsuiComboBox"), 8, 4, 624, 84);
    auto* editable = Place<TsuiComboBox>(combos, look, 10, 26);
    editable->SetItems(cities);
    editable->SetText(QStringLiteral("Typed text"));
    auto* list = Place<TsuiComboBox>(combos, look, 162, 26);
    list->SetComboStyle(csDropDownList);
    list->SetItems(cities);
    list->SetItemIndex(1);
    auto* disabled = Place<TsuiComboBox>(combos, look, 314, 26);
    disabled->SetComboStyle(csDropDownList);
    disabled->SetItems(cities);
    disabled->SetItemIndex(2);
    disabled->SetEnabled(false);
    auto* more = Place<TsuiComboBox>(combos, look, 466, 26);
    more->SetComboStyle(csDropDownList);
    more->SetItems(cities);
    more->SetItemIndex(0);
    // Wider and taller: the button and arrow follow the size.
    auto* tall = Place<TsuiComboBox>(combos, look, 10, 54, 296);
    tall->SetComboStyle(csDropDownList);
    tall->SetItems(cities);
    tall->SetItemIndex(3);
    tall->setFixedHeight(25);

    // Colour boxes (the focused one shows its selection): plain names, pretty names, the custom entry, none
    // and default, disabled.
    QWidget* colours = Section(stage, QStringLiteral("TsuiColorBox"), 8, 96, 624, 120);
    const struct
    {
        TColorBoxStyle Style;
        TColor Selected;
        int Left, Top;
    } boxes[] = {
        {cbStandardColors | cbExtendedColors | cbSystemColors, clRed, 10, 26},
        {cbStandardColors | cbExtendedColors | cbPrettyNames, clSkyBlue, 162, 26},
        {cbStandardColors | cbCustomColor | cbPrettyNames, 0x00336699, 314, 26},
        {cbSystemColors | cbIncludeNone | cbIncludeDefault | cbPrettyNames, clNone, 466, 26},
        {cbStandardColors | cbPrettyNames, clWhite, 10, 58},
        {cbIncludeNone, clNone, 162, 58},
    };
    for (const auto& b : boxes) {
        auto* box = Place<TsuiColorBox>(colours, look, b.Left, b.Top);
        box->SetStyle(b.Style);
        box->SetNoneColorColor(clSilver);
        box->SetSelected(b.Selected);
    }
    auto* focusedColour = Place<TsuiColorBox>(colours, look, 314, 58);
    focusedColour->SetStyle(cbStandardColors | cbPrettyNames);
    focusedColour->SetSelected(clTeal);
    ShowFocus(focusedColour);
    auto* navy = Place<TsuiColorBox>(colours, look, 466, 58);
    navy->SetSelected(clNavy);
    navy->SetColor(0x00E0FFFF);

    // Fonts and their sizes.
    QWidget* fonts =
        Section(stage, QStringLiteral("TsuiFontComboBox / TsuiFontSizeComboBox"), 8, 224, 624, 100);
    auto* font = Place<TsuiFontComboBox>(fonts, look, 10, 26, 200);
    font->SetFontName(QStringLiteral("DejaVu Sans"));
    auto* fixed = Place<TsuiFontComboBox>(fonts, look, 220, 26, 200);
    fixed->SetOptions(foFixedPitchOnly | foTrueTypeOnly);
    fixed->SetUseFonts(true);
    fixed->SetFontName(QStringLiteral("dejavu sans mono"));
    auto* size = Place<TsuiFontSizeComboBox>(fonts, look, 430, 26, 60);
    size->SetFontName(QStringLiteral("DejaVu Sans"));
    size->SetItemIndex(2);
    auto* editableFont = Place<TsuiFontComboBox>(fonts, look, 10, 60, 200);
    editableFont->SetStyle(TFontDrawComboStyle::csDropDown);
    editableFont->SetFontName(QStringLiteral("No Such Font"));
    auto* disabledFont = Place<TsuiFontComboBox>(fonts, look, 220, 60, 200);
    disabledFont->SetFontName(QStringLiteral("DejaVu Sans"));
    disabledFont->SetEnabled(false);

    // The groups in the look's colours, as a skinned form would give them.
    ContainerApplyUIStyle(stage, look);
}

const GalleryPageRegistrar page(QStringLiteral("Combos"), 80, BuildCombosPage);

} // namespace
