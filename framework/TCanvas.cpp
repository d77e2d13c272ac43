#include "framework/TCanvas.h"

#include "framework/TBitmap.h"
#include "framework/TPictureCache.h"

#include <QFontMetrics>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

QSize LogicalSize(QSize deviceSize, qreal ratio)
{
    // A buffer of ceil(w * ratio) device pixels still holds w logical ones.
    auto whole = [ratio](int device) { return int(std::floor(device / ratio + 1e-6)); };
    return {whole(deviceSize.width()), whole(deviceSize.height())};
}

TCanvas::TCanvas(QImage& image)
    : m_image(image), m_ratio(image.devicePixelRatio()), m_imageSize(LogicalSize(image.size(), m_ratio)),
      m_size(m_imageSize)
{
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

TCanvas::~TCanvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool TCanvas::Valid(int x, int y) const
{
    return QRect(QPoint(0, 0), m_imageSize).contains(x + m_origin.x(), y + m_origin.y()) &&
           (!m_bounds || m_bounds->contains(x, y));
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!Valid(x, y))
        return clNone;
    // The device pixel at the logical pixel's top-left corner.
    const int dx = std::min(qRound((x + m_origin.x()) * m_ratio), m_image.width() - 1);
    const int dy = std::min(qRound((y + m_origin.y()) * m_ratio), m_image.height() - 1);
    return PixelColor(m_image, dx, dy);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    FillPixels(Rect(x, y, x + 1, y + 1), color);
}

void TCanvas::FillPixels(const TRect& rect, TColor color)
{
    if (rect.IsEmpty() || color == clNone)
        return;
    m_painter.fillRect(rect.ToQRect(), ToQColor(color));
}

void TCanvas::FillRect(const TRect& rect)
{
    if (Brush.Style == bsSolid)
        FillPixels(rect, Brush.Color);
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (rect.IsEmpty() || Brush.Style == bsClear)
        return;
    const TColor c = Brush.Color;
    FillPixels(Rect(rect.Left, rect.Top, rect.Right, rect.Top + 1), c);
    FillPixels(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), c);
    FillPixels(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), c);
    FillPixels(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), c);
}

void TCanvas::Rectangle(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    if (Pen.Style == psClear) {
        FillRect(Rect(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1));
        return;
    }
    FillRect(Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1));
    const TPoint saved = m_penPos;
    MoveTo(rect.Left, rect.Top);
    LineTo(rect.Right - 1, rect.Top);
    LineTo(rect.Right - 1, rect.Bottom - 1);
    LineTo(rect.Left, rect.Bottom - 1);
    LineTo(rect.Left, rect.Top);
    m_penPos = saved;
}

void TCanvas::MoveTo(int x, int y)
{
    m_penPos = {x, y};
}

void TCanvas::PlotPen(int x, int y)
{
    const int w = std::max(1, Pen.Width);
    const int x0 = x - (w - 1) / 2;
    const int y0 = y - (w - 1) / 2;
    FillPixels(Rect(x0, y0, x0 + w, y0 + w), Pen.Color);
}

void TCanvas::LineTo(int x, int y)
{
    // Bresenham, stopping one step short of the end point.
    int x0 = m_penPos.X;
    int y0 = m_penPos.Y;
    m_penPos = {x, y};
    if (Pen.Style == psClear || (x0 == x && y0 == y))
        return;
    if (x0 == x || y0 == y) {
        // A straight line is one run of pen squares: one fill, the same pixels.
        const int w = std::max(1, Pen.Width);
        const int first = (w - 1) / 2;
        // The last point plotted is one step short of the end.
        const int lastX = x - (x > x0) + (x < x0);
        const int lastY = y - (y > y0) + (y < y0);
        const int left = std::min(x0, lastX) - first;
        const int top = std::min(y0, lastY) - first;
        FillPixels(Rect(left, top, std::max(x0, lastX) - first + w, std::max(y0, lastY) - first + w),
                   Pen.Color);
        return;
    }
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    while (x0 != x || y0 != y) {
        PlotPen(x0, y0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void TCanvas::DrawButtonEdge(const TRect& rect, bool sunken)
{
    Pen.Color = sunken ? clBtnShadow : clBtnHighlight;
    MoveTo(rect.Left, rect.Bottom - 1);
    LineTo(rect.Left, rect.Top);
    LineTo(rect.Right - 1, rect.Top);
    Pen.Color = sunken ? clBtnHighlight : clBtnShadow;
    LineTo(rect.Right - 1, rect.Bottom - 1);
    LineTo(rect.Left, rect.Bottom - 1);
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    auto invert = [this](int x, int y) {
        if ((x + y) % 2 != 0 || !Valid(x, y))
            return;
        SetPixel(x, y, Pixel(x, y) ^ 0xFFFFFF);
    };
    for (int x = rect.Left; x < rect.Right; ++x) {
        invert(x, rect.Top);
        if (rect.Bottom - 1 > rect.Top)
            invert(x, rect.Bottom - 1);
    }
    for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
        invert(rect.Left, y);
        if (rect.Right - 1 > rect.Left)
            invert(rect.Right - 1, y);
    }
}

int TCanvas::TextWidth(const QString& text) const
{
    return MeasureTextWidth(Font, text);
}

int TCanvas::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return Font.Metrics().height();
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const TRect extent = Bounds(x, y, TextWidth(text), TextHeight(text));
    FillRect(extent);
    m_painter.setFont(Font.ToQFont());
    m_painter.setPen(ToQColor(Font.Color));
    m_painter.drawText(extent.ToQRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                       text);
    m_penPos = {extent.Right, y};
}

namespace {

// Where DrawText puts the text, and the Qt flags that draw it there.
struct TextLayout
{
    TRect Extent;
    int QtFlags = 0;
};

TextLayout LayOutText(const TFont& font, const QString& text, const TRect& rect, unsigned flags)
{
    const bool singleLine = flags & DT_SINGLELINE;
    int mnemonic = 0;
    if (!(flags & DT_NOPREFIX))
        mnemonic = (flags & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;

    const QFontMetrics& metrics = font.Metrics();
    TextLayout layout;
    layout.QtFlags = mnemonic | Qt::TextDontClip;
    if (singleLine) {
        // Integer layout from the advance width, as GDI places a single line.
        const QString shown = (flags & DT_NOPREFIX) ? text : StripAccelerators(text);
        const int w = font.Advance(shown);
        const int h = metrics.height();
        int x = rect.Left;
        if (flags & DT_CENTER)
            x = rect.Left + (rect.Width() - w) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - w;
        int y = rect.Top;
        if (flags & DT_VCENTER)
            y = rect.Top + (rect.Height() - h) / 2;
        else if (flags & DT_BOTTOM)
            y = rect.Bottom - h;
        layout.Extent = Bounds(x, y, w, h);
        layout.QtFlags |= Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    } else {
        layout.QtFlags |= Qt::AlignTop;
        if (flags & DT_CENTER)
            layout.QtFlags |= Qt::AlignHCenter;
        else if (flags & DT_RIGHT)
            layout.QtFlags |= Qt::AlignRight;
        else
            layout.QtFlags |= Qt::AlignLeft;
        if (flags & DT_WORDBREAK)
            layout.QtFlags |= Qt::TextWordWrap;
        layout.Extent = TRect::FromQRect(metrics.boundingRect(rect.ToQRect(), layout.QtFlags, text));
    }
    return layout;
}

} // namespace

int MeasureTextWidth(const TFont& font, const QString& text)
{
    return font.Advance(text);
}

TRect MeasureText(const TFont& font, const QString& text, const TRect& rect, unsigned flags)
{
    const TRect extent = LayOutText(font, text, rect, flags).Extent;
    return Bounds(rect.Left, rect.Top, extent.Width(), extent.Height());
}

TRect TCanvas::DrawText(const QString& text, const TRect& rect, unsigned flags)
{
    if (flags & DT_CALCRECT)
        return MeasureText(Font, text, rect, flags);
    const TextLayout layout = LayOutText(Font, text, rect, flags);

    m_painter.save();
    if (!(flags & DT_NOCLIP))
        m_painter.setClipRect(rect.ToQRect(), m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    FillRect(layout.Extent);
    m_painter.setFont(Font.ToQFont());
    m_painter.setPen(ToQColor(Font.Color));
    m_painter.drawText((flags & DT_SINGLELINE) ? layout.Extent.ToQRect() : rect.ToQRect(), layout.QtFlags,
                       text);
    m_painter.restore();
    return layout.Extent;
}

QRect TCanvas::DeviceRect(const TRect& rect) const
{
    // Canvas views only ever translate.
    const QTransform& world = m_painter.worldTransform();
    auto edge = [this](qreal logical) { return qRound(logical * m_ratio); };
    const int left = edge(rect.Left + world.dx());
    const int top = edge(rect.Top + world.dy());
    return QRect(QPoint(left, top),
                 QPoint(edge(rect.Right + world.dx()) - 1, edge(rect.Bottom + world.dy()) - 1));
}

namespace {

// The source part scaled to `size` device pixels with the key colour left
// out. Skin pictures are drawn in the same pieces over and over, so each is
// made once and kept, by everything it depends on.
QImage Piece(const QImage& source, const QRect& sourceRect, QSize size, std::optional<TColor> keyColor,
             bool smooth)
{
    smooth = smooth && size != sourceRect.size();
    const auto make = [&] {
        QImage piece;
        if (smooth) {
            // Smooth scaling blends neighbours, so the key colour goes first and
            // fades into the edges instead of fringing them.
            piece = source.copy(sourceRect);
            piece.setDevicePixelRatio(1);
            if (keyColor)
                ClearKeyColor(piece, *keyColor);
            return piece.convertToFormat(kPaintFormat)
                .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        // StretchImage reads device pixels whatever the source's ratio.
        piece = StretchImage(source, TRect::FromQRect(sourceRect), size.width(), size.height());
        if (keyColor)
            ClearKeyColor(piece, *keyColor);
        return piece;
    };
    // Large sources (whole surfaces) are drawn once, not in pieces.
    constexpr qsizetype kLargestKept = 256 * 256;
    if (qsizetype(source.width()) * source.height() > kLargestKept)
        return make();
    TPictureKey key;
    key.Name = QStringLiteral("canvas piece");
    key.Source = source.cacheKey();
    key.SourceRect = sourceRect;
    key.Size = size;
    key.State = (smooth ? 2 : 0) + (keyColor ? 1 : 0);
    key.KeyColor = keyColor.value_or(clNone);
    return PictureCache().Derived(key, make);
}

} // namespace

void TCanvas::DrawDeviceImage(const TRect& dest, const QImage& source, const QRect& sourceRect,
                              std::optional<TColor> keyColor, bool smooth)
{
    const QRect target = DeviceRect(dest);
    if (target.isEmpty())
        return;
    if (!keyColor && target.size() == sourceRect.size() && source.rect().contains(sourceRect)) {
        // Pixel for pixel: straight from the source, no copy.
        Blend(target.topLeft(), source, sourceRect, false);
        return;
    }
    const QImage piece = Piece(source, sourceRect, target.size(), keyColor, smooth);
    // Smoothly scaled edges are partly transparent.
    Blend(target.topLeft(), piece, piece.rect(), smooth && target.size() != sourceRect.size());
}

void TCanvas::Blend(QPoint at, const QImage& piece, const QRect& from, bool partlyTransparent)
{
    // Source-over: opaque pixels copy exactly, while an icon's own alpha
    // blends instead of punching holes into the canvas.
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Drawn in device pixels: the world transform undoes the ratio.
    m_painter.setWorldTransform(QTransform::fromScale(1 / m_ratio, 1 / m_ratio));
    const QRect under = QRect(at, from.size()) & m_image.rect();
    if (m_image.format() != kPaintFormat || !(partlyTransparent || piece.format() == QImage::Format_ARGB32) ||
        under.isEmpty()) {
        m_painter.drawImage(QRectF(QRect(at, from.size())), piece, QRectF(from));
        m_painter.restore();
        return;
    }
    // Qt blends partly transparent pixels onto straight and premultiplied
    // pixels with different rounding. Such pieces blend onto a straight copy
    // of what lies under them, as they always have, and the copy goes back.
    QImage straight = m_image.copy(under).convertToFormat(QImage::Format_ARGB32);
    straight.setDevicePixelRatio(1);
    {
        QPainter painter(&straight);
        // Rectangles in device pixels, whatever the piece's ratio.
        painter.drawImage(QRectF(straight.rect()), piece,
                          QRectF(QRect(from.topLeft() + (under.topLeft() - at), under.size())));
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.drawImage(under.topLeft(), straight);
    m_painter.restore();
}

void TCanvas::DrawBitmap(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                         std::optional<TColor> keyColor)
{
    // The bitmap's own key comes out of a picture keyed once, not per draw.
    const bool ownKey = keyColor && *keyColor == source.TransparentColor();
    // At ratio 1 the 2x picture is not even read.
    if (m_ratio <= 1 || source.HiRes().isNull()) {
        if (ownKey)
            DrawImage(dest, source.Keyed(false), sourceRect);
        else
            DrawImage(dest, source.Image(), sourceRect, keyColor);
        return;
    }
    const QImage& hiRes = ownKey ? source.Keyed(true) : source.HiRes();
    if (ownKey)
        keyColor.reset();
    if (dest.IsEmpty() || sourceRect.IsEmpty())
        return;
    const QRect from(sourceRect.Left * 2, sourceRect.Top * 2, sourceRect.Width() * 2,
                     sourceRect.Height() * 2);
    // Unscaled pieces (corners, glyphs) are resampled smoothly to fractional
    // ratios; stretched ones keep the nearest pixel, as at 1x.
    const bool unscaled = dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height();
    DrawDeviceImage(dest, hiRes, from & hiRes.rect(), keyColor, unscaled);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    std::optional<TColor> key;
    if (bitmap.Transparent())
        key = bitmap.TransparentColor();
    DrawBitmap(dest, bitmap, Rect(0, 0, bitmap.Width(), bitmap.Height()), key);
}

void TCanvas::CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect)
{
    DrawImage(dest, source, sourceRect);
}

void TCanvas::TileDraw(const TRect& area, const TBitmap& tile)
{
    if (area.IsEmpty() || tile.Empty())
        return;
    if (m_ratio != 1) {
        TileDeviceDraw(area, tile);
        return;
    }
    QImage pattern = tile.Transparent() ? tile.Keyed(false) : tile.Image();
    pattern.convertTo(kPaintFormat);
    // One fill with the tile as its brush: the brush starts at the origin,
    // where the first copy lies.
    const auto mode = m_painter.compositionMode();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setBrushOrigin(0, 0);
    m_painter.fillRect(area.ToQRect(), QBrush(pattern));
    m_painter.setCompositionMode(mode);
}

void TCanvas::TileDeviceDraw(const TRect& area, const TBitmap& tile)
{
    // One tile of whole device pixels, from the 2x picture where there is one;
    // the fill steps by it from the device pixel of the logical origin.
    const QSize step(std::max(1, qRound(tile.Width() * m_ratio)),
                     std::max(1, qRound(tile.Height() * m_ratio)));
    const bool hiRes = !tile.HiRes().isNull();
    QImage pattern = tile.Transparent() ? tile.Keyed(hiRes) : hiRes ? tile.HiRes() : tile.Image();
    pattern.setDevicePixelRatio(1);
    pattern.convertTo(kPaintFormat);
    if (pattern.size() != step)
        pattern = hiRes ? pattern.scaled(step, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        : StretchImage(pattern, Rect(0, 0, pattern.width(), pattern.height()), step.width(),
                                       step.height());
    const QRect target = DeviceRect(area);
    const QRect origin = DeviceRect(Rect(0, 0, 0, 0));
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setWorldTransform(QTransform::fromScale(1 / m_ratio, 1 / m_ratio));
    m_painter.setBrushOrigin(origin.topLeft());
    m_painter.fillRect(target, QBrush(pattern));
    m_painter.restore();
}

void TCanvas::DrawImage(const TRect& dest, const QImage& source, const TRect& sourceRect,
                        std::optional<TColor> keyColor)
{
    if (dest.IsEmpty() || sourceRect.IsEmpty() || source.isNull())
        return;
    const qreal sourceRatio = source.devicePixelRatio();
    const QRect from(qRound(sourceRect.Left * sourceRatio), qRound(sourceRect.Top * sourceRatio),
                     qRound(sourceRect.Width() * sourceRatio), qRound(sourceRect.Height() * sourceRatio));
    const bool unscaled = dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height();
    DrawDeviceImage(dest, source, from, keyColor, unscaled && sourceRatio > 1);
}

void TCanvas::SetClipRect(const TRect& rect)
{
    m_painter.setClipRect(m_bounds ? rect.ToQRect() & *m_bounds : rect.ToQRect());
}

void TCanvas::ClearClipRect()
{
    if (m_bounds)
        m_painter.setClipRect(*m_bounds);
    else
        m_painter.setClipping(false);
}

TCanvasView::TCanvasView(TCanvas& canvas, int left, int top, int width, int height)
    : m_canvas(canvas), m_pen(canvas.Pen), m_brush(canvas.Brush), m_font(canvas.Font),
      m_penPos(canvas.m_penPos), m_origin(canvas.m_origin), m_size(canvas.m_size), m_bounds(canvas.m_bounds)
{
    QRect own(left, top, canvas.m_size.width(), canvas.m_size.height());
    if (canvas.m_bounds)
        own &= canvas.m_bounds->translated(left, top);
    own &= QRect(0, 0, std::max(width, 0), std::max(height, 0));
    canvas.m_painter.save();
    canvas.m_painter.translate(-left, -top);
    canvas.m_painter.setClipRect(own, canvas.m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    canvas.m_origin -= QPoint(left, top);
    canvas.m_size = QSize(std::max(width, 0), std::max(height, 0));
    canvas.m_bounds = own;
}

TCanvasView::~TCanvasView()
{
    m_canvas.m_painter.restore();
    m_canvas.Pen = m_pen;
    m_canvas.Brush = m_brush;
    m_canvas.Font = m_font;
    m_canvas.m_penPos = m_penPos;
    m_canvas.m_origin = m_origin;
    m_canvas.m_size = m_size;
    m_canvas.m_bounds = m_bounds;
}

void ClearKeyColor(QImage& image, TColor keyColor)
{
    const bool premultiplied = image.format() == kPaintFormat;
    if (!premultiplied && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    const QRgb key = ToQRgb(keyColor) & 0x00FFFFFF;
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // A premultiplied pixel is compared by the colour it stands for.
            const QRgb p = line[x];
            const QRgb straight = premultiplied && qAlpha(p) != 255 ? qUnpremultiply(p) : p;
            if ((straight & 0x00FFFFFF) == key)
                line[x] = 0;
        }
    }
}

QImage StretchImage(const QImage& source, const TRect& sourceRect, int width, int height)
{
    // A straight source gives a straight copy, so that its key colour still
    // reads as it was; anything else is drawn premultiplied.
    const QImage::Format format =
        source.format() == QImage::Format_ARGB32 ? QImage::Format_ARGB32 : kPaintFormat;
    QImage result(std::max(width, 0), std::max(height, 0), format);
    if (width <= 0 || height <= 0 || sourceRect.IsEmpty())
        return result;
    const QImage src = source.format() == format ? source : source.convertToFormat(format);
    const int sw = sourceRect.Width();
    const int sh = sourceRect.Height();
    // Source columns are the same for every row.
    std::vector<int> columns(std::size_t(width), -1);
    for (int x = 0; x < width; ++x) {
        const int sx = sourceRect.Left + int((qint64(2 * x + 1) * sw) / (2 * qint64(width)));
        if (sx >= 0 && sx < src.width())
            columns[std::size_t(x)] = sx;
    }
    for (int y = 0; y < height; ++y) {
        const int sy = sourceRect.Top + int((qint64(2 * y + 1) * sh) / (2 * qint64(height)));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        if (sy < 0 || sy >= src.height()) {
            std::fill(out, out + width, qRgba(0, 0, 0, 0));
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        for (int x = 0; x < width; ++x) {
            const int sx = columns[std::size_t(x)];
            out[x] = sx >= 0 ? in[sx] : qRgba(0, 0, 0, 0);
        }
    }
    return result;
}

QString StripAccelerators(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        result.append(text[i]);
    }
    return result;
}
