#include "framework/TFont.h"

QFont TFont::ToQFont() const
{
    QFont font(Name);
    font.setPixelSize(PixelHeight() > 0 ? PixelHeight() : 1);
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    font.setStrikeOut(StrikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
