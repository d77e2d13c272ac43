#include "framework/TFont.h"

#include <QStringList>

namespace {

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

} // namespace

QFont TFont::ToQFont() const
{
    QFont font;
    font.setFamilies(Families(Name));
    // The windows' faces are sans faces. Where none of the names is there, the
    // font mapper (fontconfig's, or GDI's through Arial) picks a sans face too,
    // not the first face it knows, which may be a serif.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(PixelHeight() > 0 ? PixelHeight() : 1);
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    font.setStrikeOut(StrikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
