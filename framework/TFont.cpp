#include "framework/TFont.h"

#include <QHash>
#include <QStringList>

namespace {

// Enough for every caption and cell text a window shows at a time; beyond
// it the measured widths start again.
constexpr qsizetype kKeptAdvances = 512;

// Faces the windows name that Qt cannot draw on Windows (bitmap fonts), with
// the TrueType faces Windows itself puts in their place.
struct StandIn
{
    const char* Face;
    const char* Instead[2];
};
constexpr StandIn kStandIns[] = {
    {"MS Sans Serif", {"Microsoft Sans Serif", "Tahoma"}},
};

QStringList Families(const QString& name)
{
    QStringList families{name};
    for (const StandIn& standIn : kStandIns)
        if (name.compare(QLatin1String(standIn.Face), Qt::CaseInsensitive) == 0)
            for (const char* face : standIn.Instead)
                families.append(QLatin1String(face));
    return families;
}

QFont BuildQFont(const TFont& from)
{
    const int pixels = from.PixelHeight();
    QFont font;
    font.setFamilies(Families(from.Name));
    // The windows' faces are sans faces. Where none of the names is there, the
    // font mapper (fontconfig's, or GDI's through Arial) picks a sans face too,
    // not the first face it knows, which may be a serif.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels > 0 ? pixels : 1);
    font.setBold(from.Bold);
    font.setItalic(from.Italic);
    font.setUnderline(from.Underline);
    font.setStrikeOut(from.StrikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

struct TFont::Built
{
    // What the font was built from; the colour does not reach the QFont.
    QString Name;
    int Size;
    bool Bold, Italic, Underline, StrikeOut;
    QFont Font;
    QFontMetrics Metrics;
    mutable QHash<QString, int> Advances;

    explicit Built(const TFont& from)
        : Name(from.Name), Size(from.Size), Bold(from.Bold), Italic(from.Italic), Underline(from.Underline),
          StrikeOut(from.StrikeOut), Font(BuildQFont(from)), Metrics(Font)
    {
    }

    bool Matches(const TFont& font) const
    {
        return Size == font.Size && Bold == font.Bold && Italic == font.Italic &&
               Underline == font.Underline && StrikeOut == font.StrikeOut && Name == font.Name;
    }
};

const TFont::Built& TFont::Resolve() const
{
    if (!m_built || !m_built->Matches(*this))
        m_built = std::make_shared<const Built>(*this);
    return *m_built;
}

const QFont& TFont::ToQFont() const
{
    return Resolve().Font;
}

const QFontMetrics& TFont::Metrics() const
{
    return Resolve().Metrics;
}

int TFont::Advance(const QString& text) const
{
    const Built& built = Resolve();
    const auto found = built.Advances.constFind(text);
    if (found != built.Advances.cend())
        return *found;
    if (built.Advances.size() >= kKeptAdvances)
        built.Advances.clear();
    const int advance = built.Metrics.horizontalAdvance(text);
    built.Advances.insert(text, advance);
    return advance;
}
