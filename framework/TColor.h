#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// 0x00BBGGRR, red in the low byte. 0x80000000 + n names system colour n.
using TColor = std::uint32_t;

constexpr TColor clSystemColor = 0x80000000u;

constexpr TColor clScrollBar = clSystemColor + 0;
constexpr TColor clBackground = clSystemColor + 1;
constexpr TColor clActiveCaption = clSystemColor + 2;
constexpr TColor clInactiveCaption = clSystemColor + 3;
constexpr TColor clMenu = clSystemColor + 4;
constexpr TColor clWindow = clSystemColor + 5;
constexpr TColor clWindowFrame = clSystemColor + 6;
constexpr TColor clMenuText = clSystemColor + 7;
constexpr TColor clWindowText = clSystemColor + 8;
constexpr TColor clCaptionText = clSystemColor + 9;
constexpr TColor clActiveBorder = clSystemColor + 10;
constexpr TColor clInactiveBorder = clSystemColor + 11;
constexpr TColor clAppWorkSpace = clSystemColor + 12;
constexpr TColor clHighlight = clSystemColor + 13;
constexpr TColor clHighlightText = clSystemColor + 14;
constexpr TColor clBtnFace = clSystemColor + 15;
constexpr TColor clBtnShadow = clSystemColor + 16;
constexpr TColor clGrayText = clSystemColor + 17;
constexpr TColor clBtnText = clSystemColor + 18;
constexpr TColor clInactiveCaptionText = clSystemColor + 19;
constexpr TColor clBtnHighlight = clSystemColor + 20;
constexpr TColor cl3DDkShadow = clSystemColor + 21;
constexpr TColor cl3DLight = clSystemColor + 22;
constexpr TColor clInfoText = clSystemColor + 23;
constexpr TColor clInfoBk = clSystemColor + 24;
constexpr TColor clHotLight = clSystemColor + 26;
constexpr TColor clGradientActiveCaption = clSystemColor + 27;
constexpr TColor clGradientInactiveCaption = clSystemColor + 28;
constexpr TColor clMenuHighlight = clSystemColor + 29;
constexpr TColor clMenuBar = clSystemColor + 30;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr bool IsSystemColor(TColor c)
{
    return (c & 0xFF000000u) == clSystemColor;
}

constexpr TColor RGB(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

constexpr int GetRValue(TColor c)
{
    return int(c & 0xFF);
}
constexpr int GetGValue(TColor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c)
{
    return int((c >> 16) & 0xFF);
}

// Our fixed palette for system colour n; black for an index we do not know.
TColor GetSysColor(int index);

// System colours resolved to 0x00BBGGRR; clDefault resolves to the button face,
// every other value keeps its low three bytes.
TColor ColorToRGB(TColor color);

// clNone becomes fully transparent, everything else opaque.
QColor ToQColor(TColor color);
QRgb ToQRgb(TColor color);
TColor FromQColor(const QColor& color);
TColor FromQRgb(QRgb rgb);

// The format of pictures and paint buffers: QPainter draws from and onto
// premultiplied pixels without converting them on every blit.
constexpr QImage::Format kPaintFormat = QImage::Format_ARGB32_Premultiplied;
// The colour of a pixel as straight ARGB would hold it, whatever the image's
// format; clNone outside the image.
TColor PixelColor(const QImage& image, int x, int y);

// The named colours of the framework's colour table, in its order: the 16
// standard colours, the 4 extended ones, then the system colours with clNone
// and clDefault, alphabetically.
struct TColorIdent
{
    TColor Value;
    const char* Name;
};
const std::vector<TColorIdent>& ColorIdents();

// Calls proc with every name of the colour table, in table order.
void GetColorValues(const std::function<void(const QString& name)>& proc);
// The colour of a table name (letter case ignored); false when there is none.
bool IdentToColor(const QString& ident, TColor& color);
// A table name, or else a number: decimal, or hex after "$" or "0x".
// Anything else raises std::invalid_argument.
TColor StringToColor(const QString& text);
