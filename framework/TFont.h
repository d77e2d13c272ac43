#pragma once

#include "framework/TColor.h"

#include <QFont>
#include <QString>

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
    QFont ToQFont() const;
    bool operator==(const TFont&) const = default;
};
