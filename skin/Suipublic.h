#pragma once

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "framework/TColor.h"
#include "framework/TTypes.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suithemes.h"

#include <QRegion>
#include <QString>
#include <QWidget>

// Repeats the picture unscaled from the canvas origin until one picture past
// the rectangle's width and height; the canvas clips the excess. An empty
// picture draws nothing.
void TileDraw(TCanvas& canvas, const TBitmap& picture, const TRect& rect);
void TileDraw(TCanvas& canvas, const TPicture& picture, const TRect& rect);

// TileDraw over the whole canvas, on a canvas that arrives filled with one
// colour, from a picture of the result kept until the size, ratio, tile or
// colour changes: a repaint copies it instead of tiling again.
class TTiledBackground
{
public:
    void Draw(TCanvas& canvas, const TBitmap& tile, TColor under);

private:
    QImage m_image;
    qint64 m_tile = 0;
    qint64 m_tileHiRes = 0;
    std::optional<TColor> m_key;
    TColor m_under = clNone;
};

// Nine-slice stretch of a small state bitmap over a rectangle that starts at
// (0, 0): corners unscaled (cut down when the target is small), edges and
// middle stretched. Corners leave out magenta (0xFF00FF) when `transparent`;
// the stretched parts always do.
void SpitDraw(const TBitmap& source, TCanvas& canvas, const TRect& rect, bool transparent);

// Three-slice stretch: the source's three equal columns as left cap, stretched
// middle and right cap. With `transparent` the colour of the source's top-left
// pixel is left out.
void SpitDrawHorizontal(const TBitmap& source, TCanvas& canvas, const TRect& rect, bool transparent);

// Quarter turns in place: counter-clockwise, (x, y) -> (y, width-1-x) ...
void RoundPicture(TBitmap& bitmap);
// ... and clockwise, (x, y) -> (height-1-y, x).
void RoundPicture3(TBitmap& bitmap);

// Paints the control's parent (its own background, not its other children)
// into the canvas as the control's background; nothing without a parent.
void DoTrans(TCanvas& canvas, const QWidget* control);

// A one-pixel frame of `outer` along the canvas edge and one of `inner` one
// pixel inside it; a windowed control calls it last in its own paint.
void DrawControlBorder(TCanvas& canvas, TColor outer, TColor inner);

// The face and text colours of the native widget inside a framed control.
void ApplyInnerColors(QWidget* inner, TColor face, TColor text);

// Lets the parent show through the control wherever it does not paint.
void SetWinControlTransparent(QWidget* control);

// The shape of the bitmap without its key colour: per row, each run of other
// pixels as a one-pixel-high rectangle. A pixel in the last column ends a run
// and is not itself part of the shape.
QRegion BitmapRegion(const TBitmap& bitmap, TColor keyColor);
// Cuts the window to that shape.
void SetBitmapWindow(QWidget* window, const TBitmap& bitmap, TColor keyColor);

// All four edges count as inside.
bool InRect(const TPoint& point, const TRect& rect);
bool InRect(int x, int y, const TRect& rect);

// The desktop minus the task bar.
TRect GetWorkAreaRect();

void PlaceControl(QWidget* control, const TPoint& point);
void PlaceControl(QWidget* control, const TRect& rect);

// Zero-terminated ANSI (GBK) text; empty for null or "".
QString PCharToStr(const char* text);

// True when the object's class publishes a property of that name.
bool IsHasProperty(const QObject* component, const QString& propertyName);
