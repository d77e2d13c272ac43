#pragma once

#include "framework/TColor.h"
#include "framework/TFont.h"
#include "framework/TTypes.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <optional>

class TBitmap;

enum TPenStyle
{
    psSolid,
    psClear
};

enum TBrushStyle
{
    bsSolid,
    bsClear
};

struct TPen
{
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush
{
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// Text layout flags, with the values the drawing code is used to.
enum : unsigned
{
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_HIDEPREFIX = 0x100000,
};

// A canvas over one QImage with the pixel results of GDI: rectangles leave out
// their right and bottom edge, lines leave out their end point, antialiasing
// is off. Coordinates are logical pixels of the image (its device pixels
// divided by its device pixel ratio), unless a TCanvasView shifts them. Above
// ratio 1 text is drawn at device resolution and bitmaps from their 2x
// pictures; each piece lands on whole device pixels, its edges rounded from
// the logical ones, so pieces that meet in logical pixels meet on screen.
class TCanvas
{
    friend class TCanvasView;

public:
    explicit TCanvas(QImage& image);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas();

    TPen Pen;
    TBrush Brush;
    TFont Font;

    // The size of what is being painted: the image's, or the view's.
    int Width() const { return m_size.width(); }
    int Height() const { return m_size.height(); }
    QImage& Image() { return m_image; }
    // For helpers that need Qt directly (rendering a parent widget behind a control).
    QPainter& Painter() { return m_painter; }

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Brush over (Left..Right-1, Top..Bottom-1); nothing for a clear brush.
    void FillRect(const TRect& rect);
    // One-pixel frame in the brush colour, inside the rectangle.
    void FrameRect(const TRect& rect);
    // Pen outline inside the rectangle, brush inside that. Without a pen the
    // fill shrinks by one pixel on the right and bottom, as with GDI.
    void Rectangle(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(Rect(left, top, right, bottom)); }

    void MoveTo(int x, int y);
    // Draws from the pen position up to, not including, (x, y).
    void LineTo(int x, int y);
    TPoint PenPos() const { return m_penPos; }

    // The one-pixel edge of a flat speed button: raised (highlight top and
    // left, shadow bottom and right) or sunken (the two swapped). Uses the pen.
    void DrawButtonEdge(const TRect& rect, bool sunken);

    // Dotted frame: every pixel of the frame with an even x + y is inverted,
    // so drawing it twice restores the picture.
    void DrawFocusRect(const TRect& rect);

    // Text with its top-left at (x, y); a solid brush fills the text extent first.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // Text inside a rectangle with DT_ flags. "&x" underlines x unless
    // DT_HIDEPREFIX, "&&" is a literal ampersand, DT_NOPREFIX draws '&' as is.
    // Returns the rectangle the text occupies; DT_CALCRECT only measures.
    TRect DrawText(const QString& text, const TRect& rect, unsigned flags);

    // The image's device pixels per logical pixel.
    qreal Ratio() const { return m_ratio; }

    // Image draws. A key colour leaves out the source pixels of that colour.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect);
    // Repeats the bitmap unscaled over the area, its first copy at the
    // canvas origin; a transparent bitmap leaves out its key colour.
    void TileDraw(const TRect& area, const TBitmap& tile);
    // `sourceRect` is in the source's logical pixels (its device pixel ratio).
    void DrawImage(const TRect& dest, const QImage& source, const TRect& sourceRect,
                   std::optional<TColor> keyColor = std::nullopt);
    // The same from a bitmap, through its 2x picture above ratio 1.
    void DrawBitmap(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                    std::optional<TColor> keyColor = std::nullopt);

    // Within a view, clipping never reaches beyond the view's bounds.
    void SetClipRect(const TRect& rect);
    void ClearClipRect();

private:
    bool Valid(int x, int y) const;
    void FillPixels(const TRect& rect, TColor color);
    void PlotPen(int x, int y);
    // Where a logical rectangle of the current coordinates lies in device pixels.
    QRect DeviceRect(const TRect& rect) const;
    void DrawDeviceImage(const TRect& dest, const QImage& source, const QRect& sourceRect,
                         std::optional<TColor> keyColor, bool smooth);
    void TileDeviceDraw(const TRect& area, const TBitmap& tile);
    // Source-over of the part `from` of `piece` with its top-left at the device
    // pixel `at`; `partlyTransparent` for a piece whose format does not tell.
    void Blend(QPoint at, const QImage& piece, const QRect& from, bool partlyTransparent);

    QImage& m_image;
    qreal m_ratio = 1;
    QSize m_imageSize; // the image's logical size
    QPainter m_painter;
    TPoint m_penPos;
    QPoint m_origin;               // where (0, 0) lies in the image
    QSize m_size;                  // Width() and Height()
    std::optional<QRect> m_bounds; // the current view's clip
};

// While it lives, the canvas paints in the coordinates of a surface of
// `width` x `height` on which the canvas's own area lies at (left, top),
// clipped to that area; pen, brush, font and clipping come back afterwards.
// A control paints its parent's face behind itself this way, touching only
// its own pixels.
class TCanvasView
{
public:
    TCanvasView(TCanvas& canvas, int left, int top, int width, int height);
    TCanvasView(const TCanvasView&) = delete;
    TCanvasView& operator=(const TCanvasView&) = delete;
    ~TCanvasView();

    // The canvas's own area in the view's coordinates.
    QRect Bounds() const { return *m_canvas.m_bounds; }

private:
    TCanvas& m_canvas;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    TPoint m_penPos;
    QPoint m_origin;
    QSize m_size;
    std::optional<QRect> m_bounds;
};

// Nearest-neighbour stretch that samples pixel centres; the same result on
// every platform, unlike a smooth or engine-dependent scale. A straight
// Format_ARGB32 source gives a straight result, any other kPaintFormat.
QImage StretchImage(const QImage& source, const TRect& sourceRect, int width, int height);

// The logical size of an image of that device size at that ratio: the whole
// logical pixels it holds.
QSize LogicalSize(QSize deviceSize, qreal ratio);

// Leaves out the key colour: every pixel of that colour, whatever its alpha,
// becomes fully transparent. A kPaintFormat image stays premultiplied and its
// pixels are compared by the colour they stand for; other formats are
// converted to Format_ARGB32 first.
void ClearKeyColor(QImage& image, TColor keyColor);

// Text measured in a font as a canvas with that font measures it, with no
// surface to draw on: TCanvas::TextWidth, and the rectangle DrawText returns
// with DT_CALCRECT.
int MeasureTextWidth(const TFont& font, const QString& text);
TRect MeasureText(const TFont& font, const QString& text, const TRect& rect, unsigned flags);

// Text without its accelerator marks: "&&" -> "&", "&x" -> "x".
QString StripAccelerators(const QString& text);
