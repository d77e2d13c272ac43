#pragma once

#include "framework/TBitmap.h"
#include "skin/SuiComboBox.h"

#include <QFlags>
#include <memory>
#include <optional>
#include <vector>

// The kinds of a font-drawing combo box.
enum class TFontDrawComboStyle
{
    csDropDown,
    csSimple,
    csDropDownList
};

// Whose fonts a font combo box lists.
enum TFontDevice
{
    fdScreen,
    fdPrinter,
    fdBoth
};

enum TFontListOption : unsigned
{
    foAnsiOnly = 0x01,
    foTrueTypeOnly = 0x02,
    foFixedPitchOnly = 0x04,
    foNoOEMFonts = 0x08,
    foOEMFontsOnly = 0x10,
    foScalableOnly = 0x20,
    foNoSymbolFonts = 0x40
};
Q_DECLARE_FLAGS(TFontListOptions, TFontListOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontListOptions)

// Font types, character sets and pitches as the platform reports them.
constexpr int RASTER_FONTTYPE = 1;
constexpr int DEVICE_FONTTYPE = 2;
constexpr int TRUETYPE_FONTTYPE = 4;
constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;
constexpr int GB2312_CHARSET = 134;
constexpr int OEM_CHARSET = 255;
constexpr int FIXED_PITCH = 1;
constexpr int VARIABLE_PITCH = 2;

// Added to an item's font type when the font is not a symbol font.
constexpr std::uintptr_t kNonSymbolFont = 0x100;

// One size of a font that does not scale: character height and internal
// leading in pixels.
struct TFontSizeMetric
{
    int Height = 0;
    int InternalLeading = 0;
};

// One font family as the platform offers it.
struct TFontFamilyInfo
{
    QString FaceName;
    int FontType = TRUETYPE_FONTTYPE;
    int CharSet = ANSI_CHARSET;
    int PitchAndFamily = VARIABLE_PITCH;
    // The sizes of a font that does not scale, in the order offered; only
    // ScreenFamily reports them.
    std::vector<TFontSizeMetric> Sizes;
};

// Where the font lists come from; tests install a table of their own.
class TFontFamilySource
{
public:
    virtual ~TFontFamilySource() = default;
    virtual std::vector<TFontFamilyInfo> ScreenFamilies() const = 0;
    // One screen family by name in any letter case, with its sizes; none
    // when it is not installed. By default the first match of ScreenFamilies.
    virtual std::optional<TFontFamilyInfo> ScreenFamily(const QString& faceName) const;
    // Raises when there is no printer.
    virtual std::vector<TFontFamilyInfo> PrinterFamilies() const = 0;
    virtual int ScreenPixelsPerInchY() const = 0;
};

// The installed families from Qt's font database. Smoothly scalable fonts
// count as TrueType, the others as raster fonts with their bitmap sizes.
// Qt prints with the installed families, so they are the printer's too.
class TQtFontFamilySource : public TFontFamilySource
{
public:
    std::vector<TFontFamilyInfo> ScreenFamilies() const override;
    // Probes the sizes of a bitmap family, which listing them all leaves out.
    std::optional<TFontFamilyInfo> ScreenFamily(const QString& faceName) const override;
    std::vector<TFontFamilyInfo> PrinterFamilies() const override;
    int ScreenPixelsPerInchY() const override;
};

// The source in use; TQtFontFamilySource until replaced.
const TFontFamilySource& FontFamilySource();
// Installs a source and hands back the previous one (null restores Qt's).
std::unique_ptr<TFontFamilySource> SetFontFamilySource(std::unique_ptr<TFontFamilySource> source);

// Whether a family passes the options of a font list.
bool FontPassesFilter(const TFontFamilyInfo& font, TFontListOptions options);
// A pixel height in points at the given pixels per inch, halves to the even neighbour.
int FontPointSize(int pixels, int pixelsPerInch);

// An owner-drawn combo box whose items are as high as its font needs.
class TsuiFontDrawComboBox : public TsuiCustomComboBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Style,Items,ItemIndex,ItemHeight,DropDownCount,Text,Color,Font,Enabled,"
                             "Anchors,BiDiMode,ParentColor,ParentFont,ParentShowHint,ShowHint,TabOrder,"
                             "TabStop,OnChange,OnClick,OnCloseUp,OnDropDown,OnSelect,OnDrawItem,OnEnter,"
                             "OnExit,OnKeyDown,OnKeyPress,OnKeyUp")

public:
    explicit TsuiFontDrawComboBox(QWidget* parent = nullptr);

    TFontDrawComboStyle Style() const { return m_style; }
    // The list kinds keep the list; the others add an edit field.
    void SetStyle(TFontDrawComboStyle style);

    // The font's text height plus one, at least 9.
    virtual int MinItemHeight() const;
    void ResetItemHeight();

protected:
    void FontChanged() override;

private:
    TFontDrawComboStyle m_style = TFontDrawComboStyle::csDropDownList;
};

// The installed font families, filtered by Options, each with a picture
// telling TrueType from device fonts and optionally written in its own face.
// Each item carries its font type, plus kNonSymbolFont.
class TsuiFontComboBox : public TsuiFontDrawComboBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Device,FontName,Options,UseFonts")

public:
    // Raises "Resource %s not found" when a picture is missing.
    explicit TsuiFontComboBox(QWidget* parent = nullptr);

    TFontDevice Device() const { return m_device; }
    void SetDevice(TFontDevice device);
    QString FontName() const { return Text(); }
    // Selects the family of that name, letter case ignored.
    void SetFontName(const QString& name);
    TFontListOptions Options() const { return m_options; }
    void SetOptions(TFontListOptions options);
    bool UseFonts() const { return m_useFonts; }
    void SetUseFonts(bool value);

    // At least the TrueType picture's height minus one.
    int MinItemHeight() const override;

    // Lists the families again, keeping the chosen one when it is still there.
    void Reset();

protected:
    void PopulateList();
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) override;
    void Change() override;
    void Click() override;
    void DoChange();

private:
    TBitmap m_trueTypeBitmap;
    TBitmap m_deviceBitmap;
    TFontDevice m_device = fdScreen;
    TFontListOptions m_options;
    bool m_useFonts = false;
    bool m_populating = false;
};

// The sizes of one font: the 16 usual sizes for a scalable font, the real
// sizes of a bitmap font.
class TsuiFontSizeComboBox : public TsuiCustomComboBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "FontName,Items,ItemIndex,ItemHeight,DropDownCount,Text,Color,Font,Enabled,"
                             "Anchors,BiDiMode,ParentColor,ParentFont,ParentShowHint,ShowHint,TabOrder,"
                             "TabStop,OnChange,OnClick,OnCloseUp,OnDropDown,OnSelect,OnDrawItem,OnEnter,"
                             "OnExit,OnKeyDown,OnKeyPress,OnKeyUp")

public:
    explicit TsuiFontSizeComboBox(QWidget* parent = nullptr);

    QString FontName() const { return m_fontName; }
    void SetFontName(const QString& name);
    // The screen's vertical pixels per inch at the last build.
    int PixelsPerInch() const { return m_pixelsPerInch; }

protected:
    void Build();

private:
    QString m_fontName;
    int m_pixelsPerInch = 0;
};
