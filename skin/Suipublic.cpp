#include "skin/Suipublic.h"

#include "framework/TControl.h"
#include "framework/TGbk.h"
#include "framework/TPictureCache.h"

#include <QGuiApplication>
#include <QMetaClassInfo>
#include <QMetaObject>
#include <QPalette>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr TColor kSkinKey = clFuchsia; // 0xFF00FF

enum class Keep
{
    Start, // left or top part
    End    // right or bottom part
};

// Cuts one side of `source` down to `size` when it is larger.
void Cut(int& from, int& to, int size, Keep keep)
{
    if (to - from <= size)
        return;
    if (keep == Keep::Start)
        to = from + size;
    else
        from = to - size;
}

void DrawPiece(TCanvas& canvas, const TBitmap& source, const TRect& target, const TRect& sourceRect,
               std::optional<TColor> key)
{
    if (target.IsEmpty() || sourceRect.IsEmpty())
        return;
    canvas.DrawBitmap(target, source, sourceRect, key);
}

// A corner: unscaled, no larger than its extent, cut toward its own sides.
TRect DrawCorner(TCanvas& canvas, const TBitmap& source, TRect sourceRect, int extentW, int extentH,
                 Keep keepX, Keep keepY, int right, int bottom, bool transparent)
{
    const int w = std::max(0, std::min(sourceRect.Width(), extentW));
    const int h = std::max(0, std::min(sourceRect.Height(), extentH));
    Cut(sourceRect.Left, sourceRect.Right, w, keepX);
    Cut(sourceRect.Top, sourceRect.Bottom, h, keepY);
    const int x = keepX == Keep::Start ? 0 : right - w;
    const int y = keepY == Keep::Start ? 0 : bottom - h;
    const TRect placed = Bounds(x, y, w, h);
    if (w > 0 && h > 0)
        DrawPiece(canvas, source, placed, sourceRect,
                  transparent ? std::optional<TColor>(kSkinKey) : std::nullopt);
    return placed;
}

// An edge: stretched, cut toward its side where the target is the smaller.
void DrawEdge(TCanvas& canvas, const TBitmap& source, TRect sourceRect, const TRect& target, Keep keepX,
              Keep keepY)
{
    if (target.IsEmpty() || sourceRect.IsEmpty())
        return;
    Cut(sourceRect.Left, sourceRect.Right, target.Width(), keepX);
    Cut(sourceRect.Top, sourceRect.Bottom, target.Height(), keepY);
    DrawPiece(canvas, source, target, sourceRect, kSkinKey);
}

} // namespace

void TileDraw(TCanvas& canvas, const TBitmap& picture, const TRect& rect)
{
    if (picture.Empty())
        return;
    // Whole copies from the origin while they start before width + w and
    // height + h, drawn as one tiled fill of the same extent.
    auto span = [](int extent, int step) {
        return extent + step > 0 ? (extent + 2 * step - 1) / step * step : 0;
    };
    canvas.TileDraw(Rect(0, 0, span(rect.Width(), picture.Width()), span(rect.Height(), picture.Height())),
                    picture);
}

void TileDraw(TCanvas& canvas, const TPicture& picture, const TRect& rect)
{
    TileDraw(canvas, picture.Bitmap(), rect);
}

void TTiledBackground::Draw(TCanvas& canvas, const TBitmap& tile, TColor under)
{
    const TRect area = Rect(0, 0, canvas.Width(), canvas.Height());
    const qreal ratio = canvas.Ratio();
    // At a fractional ratio the tiles' device edges depend on where the
    // canvas lies, so they are drawn in place.
    if (ratio != std::floor(ratio)) {
        TileDraw(canvas, tile, area);
        return;
    }
    const std::optional<TColor> key =
        tile.Transparent() ? std::optional<TColor>(tile.TransparentColor()) : std::nullopt;
    const QSize device = DeviceSize(QSize(area.Width(), area.Height()), ratio);
    if (m_image.size() != device || m_image.devicePixelRatio() != ratio ||
        m_tile != tile.Image().cacheKey() || m_tileHiRes != tile.HiRes().cacheKey() || m_key != key ||
        m_under != under) {
        // Over an opaque colour the result is opaque, and copies as plain memory.
        m_image = DeviceImage(QSize(area.Width(), area.Height()), ratio,
                              ToQColor(under).alpha() == 255 ? QImage::Format_RGB32 : kPaintFormat);
        m_image.fill(ToQColor(under));
        TCanvas built(m_image);
        TileDraw(built, tile, area);
        m_tile = tile.Image().cacheKey();
        m_tileHiRes = tile.HiRes().cacheKey();
        m_key = key;
        m_under = under;
    }
    canvas.DrawImage(area, m_image, area);
}

void SpitDraw(const TBitmap& source, TCanvas& canvas, const TRect& rect, bool transparent)
{
    if (source.Empty())
        return;
    const int sw = source.Width();
    const int sh = source.Height();
    const int hw = sw / 2;
    const int hh = sh / 2;
    const int HW = rect.Width() / 2;
    const int HH = rect.Height() / 2;
    const int R = rect.Right;
    const int B = rect.Bottom;

    const TRect tl =
        DrawCorner(canvas, source, Rect(0, 0, hw, hh), HW, HH, Keep::Start, Keep::Start, R, B, transparent);
    const TRect bl = DrawCorner(canvas, source, Rect(0, sh - hh + 1, hw, sh), HW, HH - 1, Keep::Start,
                                Keep::End, R, B, transparent);
    DrawEdge(canvas, source, Rect(0, hh, hw, sh - hh), Rect(0, tl.Bottom, tl.Right, bl.Top), Keep::Start,
             Keep::Start);
    const TRect tr = DrawCorner(canvas, source, Rect(sw - hw + 1, 0, sw, hh), HW - 1, HH, Keep::End,
                                Keep::Start, R, B, transparent);
    const TRect br = DrawCorner(canvas, source, Rect(sw - hw + 1, sh - hh + 1, sw, sh), HW - 1, HH - 1,
                                Keep::End, Keep::End, R, B, transparent);
    DrawEdge(canvas, source, Rect(sw - hw + 1, sh - hh, sw, hh + 2),
             Rect(tr.Left, tr.Bottom, tr.Right, br.Top), Keep::End, Keep::Start);
    DrawEdge(canvas, source, Rect(hw, 0, sw - hw + 1, hh), Rect(tl.Right, 0, tr.Left, tl.Bottom), Keep::Start,
             Keep::Start);
    // The middle is stretched whole, never cut.
    const TRect middle = Rect(tl.Right, tl.Bottom, tr.Left, br.Top - 1);
    DrawPiece(canvas, source, middle, Rect(hw, hh, sw - hw + 1, sh - hh), kSkinKey);
    DrawEdge(canvas, source, Rect(hw, sh - hh, sw - hw + 1, sh),
             Rect(tl.Right - 1, bl.Top - 1, br.Left, br.Bottom), Keep::Start, Keep::End);
}

void SpitDrawHorizontal(const TBitmap& source, TCanvas& canvas, const TRect& rect, bool transparent)
{
    if (source.Empty())
        return;
    const int cell = source.Width() / 3;
    const int h = source.Height();
    if (cell == 0)
        return;
    std::optional<TColor> key;
    if (transparent)
        key = source.Pixel(0, 0);
    // The stretched middle leaves out the same colour as the caps; keeping it
    // would paint the key colour into the bar.
    DrawPiece(canvas, source, Bounds(rect.Left, rect.Top, cell, h), Rect(0, 0, cell, h), key);
    DrawPiece(canvas, source, Bounds(rect.Right - cell, rect.Top, cell, h), Rect(2 * cell, 0, 3 * cell, h),
              key);
    DrawPiece(canvas, source, Rect(rect.Left + cell, rect.Top, rect.Right - cell, rect.Bottom),
              Rect(cell, 0, 2 * cell, h), key);
}

namespace {

// `quarters` names the turn in the picture cache, where each turned picture
// is kept.
template <class Map> void Rotate(TBitmap& bitmap, int quarters, Map map)
{
    if (bitmap.Empty())
        return;
    auto turn = [&map, quarters](const QImage& source) {
        TPictureKey key;
        key.Name = QStringLiteral("turned");
        key.Source = source.cacheKey();
        key.Rotation = quarters;
        return PictureCache().Derived(key, [&] {
            // Pixels move as they are, in the picture's own format.
            QImage rotated(source.height(), source.width(), source.format());
            for (int y = 0; y < source.height(); ++y)
                for (int x = 0; x < source.width(); ++x) {
                    const QPoint to = map(x, y, source.width(), source.height());
                    rotated.setPixel(to, source.pixel(x, y));
                }
            return rotated;
        });
    };
    // The 2x picture turns with it, pixel for pixel at its own size.
    const QImage hiRes = bitmap.HiRes().isNull() ? QImage() : turn(bitmap.HiRes());
    bitmap.EditImage() = turn(bitmap.Image());
    bitmap.SetHiRes(hiRes);
}

} // namespace

void RoundPicture(TBitmap& bitmap)
{
    Rotate(bitmap, 1, [](int x, int y, int w, int) { return QPoint(y, w - 1 - x); });
}

void RoundPicture3(TBitmap& bitmap)
{
    Rotate(bitmap, 3, [](int x, int y, int, int h) { return QPoint(h - 1 - y, x); });
}

void DoTrans(TCanvas& canvas, const QWidget* control)
{
    PaintParentBackground(canvas, control);
}

void DrawControlBorder(TCanvas& canvas, TColor outer, TColor inner)
{
    const TBrush saved = canvas.Brush;
    canvas.Brush = {ColorToRGB(outer), bsSolid};
    canvas.FrameRect(Rect(0, 0, canvas.Width(), canvas.Height()));
    canvas.Brush = {ColorToRGB(inner), bsSolid};
    canvas.FrameRect(Rect(1, 1, canvas.Width() - 1, canvas.Height() - 1));
    canvas.Brush = saved;
}

void ApplyInnerColors(QWidget* inner, TColor face, TColor text)
{
    QPalette palette = inner->palette();
    palette.setColor(QPalette::Base, ToQColor(ColorToRGB(face)));
    palette.setColor(QPalette::Text, ToQColor(ColorToRGB(text)));
    inner->setPalette(palette);
}

void SetWinControlTransparent(QWidget* control)
{
    if (control == nullptr)
        return;
    control->setAttribute(Qt::WA_OpaquePaintEvent, false);
    control->setAttribute(Qt::WA_NoSystemBackground, true);
    control->setAutoFillBackground(false);
}

QRegion BitmapRegion(const TBitmap& bitmap, TColor keyColor)
{
    QRegion region;
    const TColor key = ColorToRGB(keyColor);
    const int w = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        int start = -1;
        for (int x = 0; x < w; ++x) {
            const bool last = x == w - 1;
            const bool opaque = bitmap.Pixel(x, y) != key;
            if (opaque && start < 0 && !last)
                start = x;
            if ((!opaque || last) && start >= 0) {
                region += QRect(start, y, x - start, 1);
                start = -1;
            }
        }
    }
    return region;
}

void SetBitmapWindow(QWidget* window, const TBitmap& bitmap, TColor keyColor)
{
    if (window != nullptr)
        window->setMask(BitmapRegion(bitmap, keyColor));
}

bool InRect(int x, int y, const TRect& rect)
{
    return x >= rect.Left && x <= rect.Right && y >= rect.Top && y <= rect.Bottom;
}

bool InRect(const TPoint& point, const TRect& rect)
{
    return InRect(point.X, point.Y, rect);
}

TRect GetWorkAreaRect()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return TRect{};
    return TRect::FromQRect(screen->availableGeometry());
}

void PlaceControl(QWidget* control, const TPoint& point)
{
    if (control != nullptr)
        control->move(point.X, point.Y);
}

void PlaceControl(QWidget* control, const TRect& rect)
{
    if (control != nullptr)
        control->setGeometry(rect.Left, rect.Top, rect.Width(), rect.Height());
}

QString PCharToStr(const char* text)
{
    if (text == nullptr || *text == '\0')
        return QString();
    return FromGbk(std::string_view(text, std::strlen(text)));
}

bool IsHasProperty(const QObject* component, const QString& propertyName)
{
    if (component == nullptr || propertyName.isEmpty())
        return false;
    // Each class names what it publishes beyond its bases next to its own
    // declaration; only a class's own entries are read at each level.
    for (const QMetaObject* meta = component->metaObject(); meta != nullptr; meta = meta->superClass())
        for (int i = meta->classInfoOffset(); i < meta->classInfoCount(); ++i)
            if (std::strcmp(meta->classInfo(i).name(), "Published") == 0 &&
                QString::fromLatin1(meta->classInfo(i).value())
                    .split(QLatin1Char(','))
                    .contains(propertyName))
                return true;
    // Qt's own properties count as published too.
    return component->metaObject()->indexOfProperty(propertyName.toLatin1().constData()) >= 0;
}
