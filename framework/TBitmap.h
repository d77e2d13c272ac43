#pragma once

#include "framework/TColor.h"
#include "framework/TTypes.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// A bitmap over a 32-bit QImage (see Image() for its format). Transparent
// draws leave out the pixels of TransparentColor, which is the bottom-left
// pixel unless set.
// A bitmap may also carry the same picture drawn at twice the detail
// (HiRes(), device pixel ratio 2), which canvases above ratio 1 draw from;
// sizes and coordinates are always those of the 1x picture.
class TBitmap
{
public:
    TBitmap() = default;
    TBitmap(int width, int height);
    explicit TBitmap(QImage image);

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    bool Empty() const { return m_image.isNull() || Width() == 0 || Height() == 0; }
    void SetSize(int width, int height);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { m_transparentColor = color; }
    void ResetTransparentColor() { m_transparentColor.reset(); }

    // Straight Format_ARGB32 only for a picture with partly transparent
    // pixels, or transparent ones that carry a colour; kPaintFormat otherwise.
    const QImage& Image() const { return m_image; }
    // For changing the pixels: the 2x picture no longer matches and goes.
    QImage& EditImage();
    void Assign(const QImage& image);

    // The picture at twice the detail, or a null image.
    const QImage& HiRes() const;
    // Kept only when it is exactly twice the 1x size.
    void SetHiRes(const QImage& image);
    // The 2x picture is read by `read` when it is first asked for, once for
    // this bitmap and its copies: on a screen at ratio 1 nothing decodes four
    // times the pixels it shows.
    void SetHiResSource(std::function<QImage()> read);
    // The part `rect` of both pictures.
    TBitmap Copy(const TRect& rect) const;
    // The picture, or with `hiRes` the 2x one, with TransparentColor() left
    // out: made on first use and kept, shared by copies, until the pixels or
    // the key change, so that a transparent draw does not key again.
    const QImage& Keyed(bool hiRes) const;

    // Loads ":/skin/<name>"; false and an empty bitmap when there is no such resource.
    bool LoadFromResourceName(const QString& name);
    // Loads the file and, when there is one, its twice-the-detail sibling
    // ("name@2x.png" beside "name.png").
    bool LoadFromFile(const QString& path);

private:
    struct PendingHiRes;
    void DropHiRes();
    // The 2x picture no longer matches and the keyed pictures are stale.
    void PixelsChanged();
    struct KeyedPicture
    {
        qint64 From = 0; // the cache key of the picture it was made from
        TColor Key = clNone;
        QImage Picture;
    };
    struct KeyedPictures
    {
        KeyedPicture Image, HiRes;
    };

    QImage m_image;
    mutable QImage m_hiRes;
    mutable std::shared_ptr<PendingHiRes> m_pendingHiRes;
    bool m_transparent = false;
    std::optional<TColor> m_transparentColor;
    mutable std::shared_ptr<KeyedPictures> m_keyed;
};

// The skin bitmap of that name (":/skin/<name>", with its 2x picture
// ":/skin/<name>@2x"), decoded on first use and shared from then on; an empty
// bitmap when there is none. Skin bitmaps never change, so every component
// draws from the one decoded copy.
const TBitmap& SkinBitmap(const QString& name);
// A copy of SkinBitmap(name) for callers that adjust it; it shares the pixels
// until written to.
TBitmap LoadSkinBitmap(const QString& name);
// The same for a picture the caller cannot do without: a missing one throws
// std::runtime_error "Resource <name> not found".
TBitmap LoadRequiredSkinBitmap(const QString& name);

// A resource module: a root under which bitmaps are found by name. 0 is the
// program's own skin bitmaps; others come from RegisterResourceModule.
using TResHandle = quintptr;
// The handle of a folder or resource root (":/theirs"); the same root gives
// the same handle.
TResHandle RegisterResourceModule(const QString& root);
// An empty bitmap for an unknown handle or name.
TBitmap LoadModuleBitmap(TResHandle module, const QString& name);

// A picture holds at most one graphic; empty until something is loaded.
class TPicture
{
public:
    bool HasGraphic() const { return !m_jpeg.isEmpty() || !m_bitmap.Empty(); }
    int Width() const { return m_jpeg.isEmpty() ? m_bitmap.Width() : m_jpegSize.width(); }
    int Height() const { return m_jpeg.isEmpty() ? m_bitmap.Height() : m_jpegSize.height(); }
    // A JPEG loaded for later is decoded here, at full size, on first use
    // (with its 2x sibling, when the file had one).
    TBitmap& Bitmap();
    const TBitmap& Bitmap() const;
    void Assign(const TBitmap& bitmap);
    void Clear() { Assign(TBitmap()); }

    // JPEG bytes are decoded with libjpeg; on failure the picture is emptied
    // and LastError() says why.
    bool LoadJpeg(const QByteArray& bytes);
    // JPEG files by content, anything else through Qt's image readers.
    bool LoadFromFile(const QString& path);
    // As LoadFromFile, but a JPEG is only checked now and decoded when it is
    // first drawn, at the scale it is drawn (see Covering).
    bool LoadFromFileWhenShown(const QString& path);
    const QString& LastError() const { return m_lastError; }
    // True while a JPEG waits for its first draw.
    bool Waiting() const { return !m_jpeg.isEmpty(); }
    // The resource a waiting JPEG came from (":/pictures/main.jpg"), which
    // names what is drawn from it in the picture cache; empty otherwise.
    QString SourceName() const { return Waiting() ? m_source : QString(); }

    // The picture for drawing at `size` device pixels: a JPEG that waits for
    // its first draw is decoded by libjpeg at the smallest scale that covers
    // the size (and not kept); anything else is Bitmap(). With `hiRes` the 2x
    // picture stands in where the 1x one falls short of the size.
    QImage Covering(QSize size, bool hiRes = false) const;

private:
    void Decode() const;
    bool LoadJpegPair(const QByteArray& bytes, const QString& path);
    bool LoadFile(const QString& path);
    // The resource's picture, decoded on first use and kept for the process.
    static const TBitmap& KeptResource(const QString& path);

    mutable TBitmap m_bitmap;
    QString m_lastError;
    mutable QByteArray m_jpeg; // a JPEG not decoded yet
    mutable QByteArray m_jpegHiRes;
    QSize m_jpegSize;
    QString m_source;
};
