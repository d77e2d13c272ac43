#include "skin/SuiFontComboBox.h"

#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "skin/SuiStyleRules.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

// Bitmap fonts are looked for up to this many pixels high.
constexpr int kLargestStrike = 128;

const char* const kTrueTypeSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                      "20", "22", "24", "26", "28", "36", "48", "72"};

std::unique_ptr<TFontFamilySource>& InstalledSource()
{
    // The one seam over the platform's fonts, like the dialog service.
    static std::unique_ptr<TFontFamilySource> source = std::make_unique<TQtFontFamilySource>();
    return source;
}

TBitmap LoadFontPicture(const QString& name)
{
    TBitmap bitmap = LoadRequiredSkinBitmap(name);
    bitmap.SetTransparent(true);
    return bitmap;
}

int CharSetOf(const QString& family)
{
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    if (systems.contains(QFontDatabase::Symbol))
        return SYMBOL_CHARSET;
    if (systems.contains(QFontDatabase::Latin))
        return ANSI_CHARSET;
    if (systems.contains(QFontDatabase::SimplifiedChinese))
        return GB2312_CHARSET;
    return DEFAULT_CHARSET;
}

TFontFamilyInfo DescribeFamily(const QString& family)
{
    TFontFamilyInfo info;
    info.FaceName = family;
    info.FontType = QFontDatabase::isSmoothlyScalable(family) ? TRUETYPE_FONTTYPE : RASTER_FONTTYPE;
    info.CharSet = CharSetOf(family);
    info.PitchAndFamily = QFontDatabase::isFixedPitch(family) ? FIXED_PITCH : VARIABLE_PITCH;
    return info;
}

} // namespace

// --- font sources -------------------------------------------------------------

std::optional<TFontFamilyInfo> TFontFamilySource::ScreenFamily(const QString& faceName) const
{
    for (TFontFamilyInfo& family : ScreenFamilies())
        if (family.FaceName.compare(faceName, Qt::CaseInsensitive) == 0)
            return std::move(family);
    return std::nullopt;
}

std::vector<TFontFamilyInfo> TQtFontFamilySource::ScreenFamilies() const
{
    std::vector<TFontFamilyInfo> result;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            result.push_back(DescribeFamily(family));
    return result;
}

std::optional<TFontFamilyInfo> TQtFontFamilySource::ScreenFamily(const QString& faceName) const
{
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) || family.compare(faceName, Qt::CaseInsensitive) != 0)
            continue;
        TFontFamilyInfo info = DescribeFamily(family);
        if (info.FontType == RASTER_FONTTYPE) {
            // Qt names a bitmap font's strikes only in whole points; asking
            // for each pixel size finds the strikes themselves.
            for (int pixel = 1; pixel <= kLargestStrike; ++pixel) {
                QFont font(family);
                font.setPixelSize(pixel);
                if (QFontInfo(font).pixelSize() != pixel)
                    continue;
                const QFontMetrics metrics(font);
                const int height = metrics.ascent() + metrics.descent();
                info.Sizes.push_back({height, std::max(0, height - pixel)});
            }
        }
        return info;
    }
    return std::nullopt;
}

std::vector<TFontFamilyInfo> TQtFontFamilySource::PrinterFamilies() const
{
    return ScreenFamilies();
}

int TQtFontFamilySource::ScreenPixelsPerInchY() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

const TFontFamilySource& FontFamilySource()
{
    return *InstalledSource();
}

std::unique_ptr<TFontFamilySource> SetFontFamilySource(std::unique_ptr<TFontFamilySource> source)
{
    if (!source)
        source = std::make_unique<TQtFontFamilySource>();
    std::swap(InstalledSource(), source);
    return source;
}

bool FontPassesFilter(const TFontFamilyInfo& font, TFontListOptions options)
{
    bool result = true;
    if (options & foAnsiOnly)
        result = result && font.CharSet == ANSI_CHARSET;
    if (options & foTrueTypeOnly)
        result = result && (font.FontType & TRUETYPE_FONTTYPE);
    if (options & foFixedPitchOnly)
        result = result && (font.PitchAndFamily & FIXED_PITCH);
    if (options & foOEMFontsOnly)
        result = result && font.CharSet == OEM_CHARSET;
    if (options & foNoOEMFonts)
        result = result && font.CharSet != OEM_CHARSET;
    if (options & foNoSymbolFonts)
        result = result && font.CharSet != SYMBOL_CHARSET;
    if (options & foScalableOnly)
        result = result && !(font.FontType & RASTER_FONTTYPE);
    return result;
}

int FontPointSize(int pixels, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return 0;
    const long long numerator = static_cast<long long>(pixels) * 72;
    long long points = numerator / pixelsPerInch;
    const long long twice = 2 * (numerator % pixelsPerInch);
    if (twice > pixelsPerInch || (twice == pixelsPerInch && points % 2 != 0))
        ++points;
    return static_cast<int>(points);
}

// --- font-drawing combo box -----------------------------------------------------

TsuiFontDrawComboBox::TsuiFontDrawComboBox(QWidget* parent) : TsuiCustomComboBox(parent, csOwnerDrawFixed)
{
    ResetItemHeight();
}

void TsuiFontDrawComboBox::SetStyle(TFontDrawComboStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    // Qt has no list that stays open, so the simple kind edits like the drop-down kind.
    SetEditable(style != TFontDrawComboStyle::csDropDownList);
}

int TsuiFontDrawComboBox::MinItemHeight() const
{
    return std::max(Font().Metrics().height() + 1, 9);
}

void TsuiFontDrawComboBox::ResetItemHeight()
{
    SetItemHeight(MinItemHeight());
}

void TsuiFontDrawComboBox::FontChanged()
{
    TsuiCustomComboBox::FontChanged();
    ResetItemHeight();
}

// --- font combo box ---------------------------------------------------------------

TsuiFontComboBox::TsuiFontComboBox(QWidget* parent)
    : TsuiFontDrawComboBox(parent),
      m_trueTypeBitmap(LoadFontPicture(QStringLiteral("FONTCOMBO_TRUETYPE_FNT"))),
      m_deviceBitmap(LoadFontPicture(QStringLiteral("FONTCOMBO_DEVICE_FNT")))
{
    ResetItemHeight();
    // Fonts added to or removed from the running program.
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this,
            [this] { RunGuarded([this] { Reset(); }); });
    m_populating = true;
    PopulateList();
    m_populating = false;
}

int TsuiFontComboBox::MinItemHeight() const
{
    return std::max(TsuiFontDrawComboBox::MinItemHeight(), m_trueTypeBitmap.Height() - 1);
}

void TsuiFontComboBox::PopulateList()
{
    UpdateItems([this] {
        ClearItems();
        std::vector<std::pair<QString, std::uintptr_t>> entries;
        const auto add = [&](const std::vector<TFontFamilyInfo>& families) {
            for (const TFontFamilyInfo& family : families) {
                const bool listed = std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
                    return entry.first.compare(family.FaceName, Qt::CaseInsensitive) == 0;
                });
                if (listed || !FontPassesFilter(family, m_options))
                    continue;
                std::uintptr_t object = std::uintptr_t(family.FontType);
                if (family.CharSet != SYMBOL_CHARSET)
                    object |= kNonSymbolFont;
                entries.emplace_back(family.FaceName, object);
            }
        };
        const TFontFamilySource& source = FontFamilySource();
        if (m_device == fdScreen || m_device == fdBoth)
            add(source.ScreenFamilies());
        if (m_device == fdPrinter || m_device == fdBoth) {
            try {
                add(source.PrinterFamilies());
            } catch (...) {
                // No printer: only the screen's fonts.
            }
        }
        std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
        });
        for (const auto& [name, object] : entries)
            AddItem(name, object);
    });
}

void TsuiFontComboBox::Reset()
{
    m_populating = true;
    const QString name = FontName();
    PopulateList();
    SetFontName(name);
    m_populating = false;
    if (FontName() != name)
        DoChange();
}

void TsuiFontComboBox::SetFontName(const QString& name)
{
    if (name == Text())
        return;
    int index = -1;
    for (int i = 0; i < ItemCount() && index < 0; ++i)
        if (ItemText(i).compare(name, Qt::CaseInsensitive) == 0)
            index = i;
    if (index >= 0) {
        SetItemIndex(index);
    } else if (Style() == TFontDrawComboStyle::csDropDownList) {
        SetItemIndex(-1);
    } else {
        SetItemIndex(-1);
        SetText(name);
    }
    DoChange();
}

void TsuiFontComboBox::SetOptions(TFontListOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    Reset();
}

void TsuiFontComboBox::SetDevice(TFontDevice device)
{
    if (device == m_device)
        return;
    m_device = device;
    Reset();
}

void TsuiFontComboBox::SetUseFonts(bool value)
{
    if (value == m_useFonts)
        return;
    m_useFonts = value;
    ComboBox()->update();
}

void TsuiFontComboBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState)
{
    canvas.FillRect(rect);
    const std::uintptr_t type = ItemObject(index);
    const TBitmap* picture = nullptr;
    if (type & TRUETYPE_FONTTYPE)
        picture = &m_trueTypeBitmap;
    else if (type & DEVICE_FONTTYPE)
        picture = &m_deviceBitmap;
    int textLeft = rect.Left + 20 + 6;
    if (picture != nullptr) {
        canvas.Draw(rect.Left + 2, (rect.Top + rect.Bottom - picture->Height()) / 2, *picture);
        textLeft = rect.Left + picture->Width() + 6;
    }
    const QString name = ItemText(index);
    if (m_useFonts && (type & kNonSymbolFont))
        canvas.Font.Name = name;
    canvas.DrawText(name, Rect(textLeft, rect.Top, rect.Right, rect.Bottom),
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TsuiFontComboBox::Change()
{
    // The font combo box reports through DoChange alone.
    if (Style() == TFontDrawComboStyle::csDropDownList)
        return;
    const QString text = Text();
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemText(i).compare(text, Qt::CaseInsensitive) == 0) {
            if (i != ItemIndex()) {
                SetItemIndex(i);
                DoChange();
            }
            return;
        }
}

void TsuiFontComboBox::Click()
{
    TsuiFontDrawComboBox::Click();
    DoChange();
}

void TsuiFontComboBox::DoChange()
{
    if (!m_populating)
        Changed();
}

// --- font size combo box ----------------------------------------------------------

TsuiFontSizeComboBox::TsuiFontSizeComboBox(QWidget* parent) : TsuiCustomComboBox(parent, csDropDownList) {}

void TsuiFontSizeComboBox::SetFontName(const QString& name)
{
    m_fontName = name;
    Build();
}

void TsuiFontSizeComboBox::Build()
{
    // The size shown before stays chosen when the new font has it too.
    const QString current = Text();
    UpdateItems([this] {
        ClearItems();
        if (m_fontName.isEmpty())
            return;
        const TFontFamilySource& source = FontFamilySource();
        m_pixelsPerInch = source.ScreenPixelsPerInchY();
        const std::optional<TFontFamilyInfo> family = source.ScreenFamily(m_fontName);
        if (!family)
            return;
        if (family->FontType & TRUETYPE_FONTTYPE) {
            for (const char* size : kTrueTypeSizes)
                AddItem(QLatin1String(size));
            return;
        }
        for (const TFontSizeMetric& metric : family->Sizes) {
            const int size = FontPointSize(metric.Height - metric.InternalLeading, m_pixelsPerInch);
            int at = 0;
            while (at < ItemCount() && ItemText(at).toInt() < size)
                ++at;
            if (at < ItemCount() && ItemText(at).toInt() == size)
                continue;
            InsertItem(at, QString::number(size));
        }
    });
    if (m_fontName.isEmpty())
        return;
    const TNotifyEvent click = std::move(OnClick);
    OnClick = nullptr;
    SetItemIndex(IndexOf(current));
    OnClick = click;
    Fire(OnClick);
}
