#include "framework/TCanvas.h"
#include "skin/SuiFontComboBox.h"
#include "tests/support/PixelHelpers.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Before the application object exists: the fonts these tests know.
const bool fontsPinned = [] {
    qputenv("FONTCONFIG_FILE", QByteArrayLiteral(TESSEL_TEST_FONTS_CONF));
    return true;
}();

struct TableSource : TFontFamilySource
{
    std::vector<TFontFamilyInfo> Screen;
    std::vector<TFontFamilyInfo> Printer;
    bool HasPrinter = false;
    int Dpi = 96;

    std::vector<TFontFamilyInfo> ScreenFamilies() const override { return Screen; }
    std::vector<TFontFamilyInfo> PrinterFamilies() const override
    {
        if (!HasPrinter)
            throw std::runtime_error("no printer");
        return Printer;
    }
    int ScreenPixelsPerInchY() const override { return Dpi; }
};

// Installs a table of fonts for one test.
struct SourceScope
{
    TableSource* Table;
    std::unique_ptr<TFontFamilySource> Previous;
    explicit SourceScope(const std::vector<TFontFamilyInfo>& screen)
    {
        auto table = std::make_unique<TableSource>();
        table->Screen = screen;
        Table = table.get();
        Previous = SetFontFamilySource(std::move(table));
    }
    ~SourceScope() { SetFontFamilySource(std::move(Previous)); }
};

const std::vector<TFontFamilyInfo> kFamilies = {
    {"Symbol", TRUETYPE_FONTTYPE, SYMBOL_CHARSET, VARIABLE_PITCH, {}},
    {"Courier New", TRUETYPE_FONTTYPE, ANSI_CHARSET, FIXED_PITCH, {}},
    {"Terminal", RASTER_FONTTYPE, OEM_CHARSET, FIXED_PITCH, {{12, 0}}},
    {"arial", TRUETYPE_FONTTYPE, ANSI_CHARSET, VARIABLE_PITCH, {}},
    {"Fixedsys", RASTER_FONTTYPE, ANSI_CHARSET, FIXED_PITCH, {{15, 3}}},
    {"Roman", DEVICE_FONTTYPE, ANSI_CHARSET, VARIABLE_PITCH, {}},
    {"SimSun", TRUETYPE_FONTTYPE, GB2312_CHARSET, FIXED_PITCH, {}},
    // A bitmap font whose sizes come out as 10, 10 and 8 points at 96 pixels per inch.
    {"Small Fonts", RASTER_FONTTYPE, ANSI_CHARSET, VARIABLE_PITCH, {{15, 2}, {16, 2}, {13, 2}}},
};

} // namespace

TEST(FontComboBox, OptionsFilterTheFamilies)
{
    struct Case
    {
        TFontListOptions Options;
        const char* Listed;
    };
    const Case cases[] = {
        {{}, "arial|Courier New|Fixedsys|Roman|SimSun|Small Fonts|Symbol|Terminal"},
        {foTrueTypeOnly | foFixedPitchOnly, "Courier New|SimSun"},
        {foAnsiOnly, "arial|Courier New|Fixedsys|Roman|Small Fonts"},
        {foOEMFontsOnly, "Terminal"},
        {foNoOEMFonts | foNoSymbolFonts, "arial|Courier New|Fixedsys|Roman|SimSun|Small Fonts"},
        {foScalableOnly, "arial|Courier New|Roman|SimSun|Symbol"},
        {foOEMFontsOnly | foNoOEMFonts, ""},
    };
    const SourceScope scope(kFamilies);
    TsuiFontComboBox combo;
    for (const Case& c : cases) {
        combo.SetOptions(c.Options);
        EXPECT_EQ(combo.Items().join(QLatin1Char('|')), QLatin1String(c.Listed)) << int(c.Options);
    }
    combo.SetOptions({});
    const std::pair<const char*, std::uintptr_t> objects[] = {
        {"arial", 0x104}, {"Symbol", 0x004}, {"Fixedsys", 0x101}, {"Roman", 0x102}};
    for (const auto& [name, object] : objects)
        EXPECT_EQ(combo.ItemObject(combo.IndexOf(QLatin1String(name))), object) << name;
}

TEST(FontComboBox, PrinterFontsJoinTheScreenFontsOnce)
{
    struct Case
    {
        TFontDevice Device;
        bool HasPrinter;
        const char* Listed;
    };
    const Case cases[] = {
        {fdScreen, true, "arial|Symbol"},
        {fdPrinter, true, "ARIAL|Printer Only"},
        {fdBoth, true, "arial|Printer Only|Symbol"},
        {fdBoth, false, "arial|Symbol"},
        {fdPrinter, false, ""},
    };
    const SourceScope scope({kFamilies[0], kFamilies[3]});
    scope.Table->Printer = {{"ARIAL", TRUETYPE_FONTTYPE, ANSI_CHARSET, VARIABLE_PITCH, {}},
                            {"Printer Only", DEVICE_FONTTYPE, ANSI_CHARSET, FIXED_PITCH, {}}};
    for (const Case& c : cases) {
        scope.Table->HasPrinter = c.HasPrinter;
        TsuiFontComboBox combo;
        combo.SetDevice(c.Device);
        combo.Reset();
        EXPECT_EQ(combo.Items().join(QLatin1Char('|')), QLatin1String(c.Listed)) << c.Device << c.HasPrinter;
    }
}

TEST(FontComboBox, FontNameSelectsIgnoringCaseAndReportsChanges)
{
    const SourceScope scope(kFamilies);
    TsuiFontComboBox combo;
    int changes = 0;
    combo.OnChange = [&](QObject*) { ++changes; };

    combo.SetFontName(QStringLiteral("courier NEW"));
    EXPECT_EQ(combo.FontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(changes, 1);
    combo.SetFontName(QStringLiteral("Courier New"));
    EXPECT_EQ(changes, 1) << "the same name changes nothing";

    // The list kind selects nothing for an unknown name; the edit kind shows it.
    combo.SetFontName(QStringLiteral("Wingdings"));
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.FontName(), QString());
    EXPECT_EQ(changes, 2);
    combo.SetStyle(TFontDrawComboStyle::csDropDown);
    combo.SetFontName(QStringLiteral("Wingdings"));
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.FontName(), QStringLiteral("Wingdings"));

    // A refill keeps the chosen family quietly, and reports when it is filtered away.
    combo.SetStyle(TFontDrawComboStyle::csDropDownList);
    combo.SetFontName(QStringLiteral("Fixedsys"));
    changes = 0;
    combo.SetOptions(foFixedPitchOnly);
    EXPECT_EQ(combo.FontName(), QStringLiteral("Fixedsys"));
    EXPECT_EQ(changes, 0);
    combo.SetOptions(foTrueTypeOnly);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(changes, 1);
}

TEST(FontComboBox, SizeListFollowsTheFont)
{
    struct Case
    {
        const char* Font;
        const char* Sizes;
    };
    const Case cases[] = {
        {"Arial", "8|9|10|11|12|14|16|18|20|22|24|26|28|36|48|72"},
        {"small fonts", "8|10"},
        {"Fixedsys", "9"},
        {"Nope", ""},
    };
    const SourceScope scope(kFamilies);
    TsuiFontSizeComboBox sizes;
    int clicks = 0;
    sizes.OnClick = [&](QObject*) { ++clicks; };
    for (const Case& c : cases) {
        clicks = 0;
        sizes.SetFontName(QLatin1String(c.Font));
        EXPECT_EQ(sizes.Items().join(QLatin1Char('|')), QLatin1String(c.Sizes)) << c.Font;
        EXPECT_EQ(clicks, 1) << c.Font;
        EXPECT_EQ(sizes.PixelsPerInch(), 96);
    }
    sizes.SetFontName(QStringLiteral("Arial"));
    sizes.SetItemIndex(2);
    sizes.SetFontName(QStringLiteral("Small Fonts"));
    EXPECT_EQ(sizes.Text(), QStringLiteral("10")) << "the chosen size stays when the font has it";
    clicks = 0;
    sizes.SetFontName(QString());
    EXPECT_EQ(sizes.ItemCount(), 0);
    EXPECT_EQ(clicks, 0);

    struct Rounding
    {
        int Pixels, Dpi, Points;
    };
    const Rounding roundings[] = {{14, 96, 10}, {18, 96, 14}, {22, 96, 16}, {10, 96, 8},
                                  {2, 96, 2},   {11, 96, 8},  {13, 120, 8}, {25, 120, 15}};
    for (const Rounding& r : roundings)
        EXPECT_EQ(FontPointSize(r.Pixels, r.Dpi), r.Points) << r.Pixels << "@" << r.Dpi;
}

TEST(FontComboBox, ItemsAreTallEnoughForTheirPictures)
{
    const SourceScope scope(kFamilies);
    TsuiFontComboBox fonts;
    TsuiFontDrawComboBox plain;
    TFont tiny;
    tiny.Size = 1;
    fonts.SetFont(tiny);
    plain.SetFont(tiny);
    EXPECT_EQ(fonts.ItemHeight(), 11);
    EXPECT_EQ(plain.ItemHeight(), 9);
    TFont large;
    large.Size = 20;
    fonts.SetFont(large);
    EXPECT_GT(fonts.ItemHeight(), 20);
    EXPECT_EQ(fonts.ItemHeight(), fonts.MinItemHeight());
}

TEST(FontComboBox, InstalledFontsAreReportedAsTheyAre)
{
    // DejaVu scales; Terminus is a bitmap font with one file per pixel size.
    const TQtFontFamilySource source;
    QStringList seen;
    for (const TFontFamilyInfo& f : source.ScreenFamilies())
        if (f.FaceName == QLatin1String("DejaVu Sans") || f.FaceName == QLatin1String("DejaVu Sans Mono") ||
            f.FaceName == QLatin1String("Terminus"))
            seen << QStringLiteral("%1:%2:%3:%4:%5")
                        .arg(f.FaceName)
                        .arg(f.FontType)
                        .arg(f.CharSet)
                        .arg(f.PitchAndFamily)
                        .arg(source.ScreenFamily(f.FaceName)->Sizes.size());
    seen.sort();
    EXPECT_EQ(seen.join(QLatin1Char('|')).toStdString(),
              "DejaVu Sans Mono:4:0:1:0|DejaVu Sans:4:0:2:0|Terminus:1:0:1:9");
    EXPECT_EQ(source.ScreenPixelsPerInchY(), 96);

    TsuiFontComboBox fonts;
    fonts.SetOptions(foFixedPitchOnly | foTrueTypeOnly);
    EXPECT_TRUE(fonts.Items().contains(QStringLiteral("DejaVu Sans Mono")));
    EXPECT_FALSE(fonts.Items().contains(QStringLiteral("DejaVu Sans")));
    EXPECT_FALSE(fonts.Items().contains(QStringLiteral("Terminus")));

    // 12 to 32 pixels; 14, 18 and 22 pixels are 10.5, 13.5 and 16.5 points.
    TsuiFontSizeComboBox sizes;
    sizes.SetFontName(QStringLiteral("Terminus"));
    EXPECT_EQ(sizes.Items().join(QLatin1Char('|')).toStdString(), "9|10|12|14|15|16|18|21|24");
    sizes.SetFontName(QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(sizes.ItemCount(), 16);
}

TEST(FontComboBox, ItemsShowTheirFontKindsPicture)
{
    struct Exposed : TsuiFontComboBox
    {
        using TsuiFontComboBox::DrawItem;
    };
    struct Case
    {
        const char* Font;
        const char* Picture; // null: none
    };
    const Case cases[] = {
        {"arial", "FONTCOMBO_TRUETYPE_FNT"}, {"Roman", "FONTCOMBO_DEVICE_FNT"}, {"Fixedsys", nullptr}};
    const SourceScope scope(kFamilies);
    Exposed combo;
    const TColor face = 0x00123456;
    for (const Case& c : cases) {
        QImage image = FilledImage(200, 18, clBlack);
        TCanvas canvas(image);
        canvas.Brush = {face, bsSolid};
        combo.DrawItem(canvas, combo.IndexOf(QLatin1String(c.Font)), Rect(0, 2, 200, 18), 0);
        // The 20 x 12 picture at (2, (2 + 18 - 12) / 2), its key colour left out.
        int differing = 0, covered = 0;
        if (c.Picture != nullptr) {
            const TBitmap& picture = SkinBitmap(QLatin1String(c.Picture));
            const TColor key = picture.Pixel(0, picture.Height() - 1);
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 20; ++x) {
                    const TColor want = picture.Pixel(x, y) == key ? face : picture.Pixel(x, y);
                    covered += want != face;
                    differing += PixelAt(image, 2 + x, 4 + y) != want;
                }
            EXPECT_GT(covered, 0) << c.Font;
        } else {
            for (int y = 2; y < 18; ++y)
                for (int x = 0; x < 26; ++x)
                    differing += PixelAt(image, x, y) != face;
        }
        EXPECT_EQ(differing, 0) << c.Font;
        EXPECT_EQ(PixelAt(image, 0, 1), clBlack) << "nothing above the item";
    }
}
