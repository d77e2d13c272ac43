#pragma once

#include "framework/TColor.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <memory>

// A font as the components describe it: face, size in points at 96 dpi and a
// colour. Converted to a pixel-sized, non-antialiased QFont so that text
// renders the same on every screen.
struct TFont
{
    QString Name = QStringLiteral("Tahoma");
    int Size = 9;
    TColor Color = clWindowText;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    int PixelHeight() const { return (Size * 96 + 36) / 72; }
    // Built on first use and kept, with its metrics, until a field other than
    // the colour changes; copies share what was built. Qt then keeps the
    // matched face with it, so a missing face is looked for once per font,
    // not on every draw.
    const QFont& ToQFont() const;
    const QFontMetrics& Metrics() const;
    // The advance width of the text, measured once per text and font: a grid
    // or a caption measures the same texts on every paint.
    int Advance(const QString& text) const;

    bool operator==(const TFont& other) const
    {
        return Name == other.Name && Size == other.Size && Color == other.Color && Bold == other.Bold &&
               Italic == other.Italic && Underline == other.Underline && StrikeOut == other.StrikeOut;
    }

private:
    struct Built;
    const Built& Resolve() const;

    mutable std::shared_ptr<const Built> m_built;
};
