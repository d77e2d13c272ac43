#include "framework/TBitmap.h"

#include "framework/TCanvas.h"
#include "framework/TJpeg.h"
#include "framework/TPictureCache.h"

#include <QFile>
#include <QResource>
#include <QStringList>
#include <stdexcept>

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

TBitmap::TBitmap(QImage image)
{
    Assign(image);
}

namespace {

constexpr qreal kHiResRatio = 2;

// "a/b.png" -> "a/b@2x.png"; a name without extension (a skin alias) gets "@2x" appended.
QString HiResPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= slash + 1)
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

bool IsTwiceTheSize(const QImage& hiRes, QSize size)
{
    return !hiRes.isNull() && hiRes.size() == size * 2;
}

// The file's bytes, empty when it cannot be read. A compiled-in resource
// stays mapped for the life of the process, so its bytes are used where they
// lie instead of being copied.
QByteArray FileBytes(const QString& path)
{
    if (path.startsWith(u':')) {
        const QResource resource(path);
        if (resource.isValid())
            return resource.uncompressedData();
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Decodes the 2x sibling of `path` when called; its bytes are read now, so
// the picture is the one that lay beside the file when it was loaded.
std::function<QImage()> HiResReader(const QString& path)
{
    QByteArray bytes = FileBytes(HiResPath(path));
    if (bytes.isEmpty())
        return {};
    return [bytes = std::move(bytes)] { return QImage::fromData(bytes); };
}

// A picture as it is kept: premultiplied wherever that changes no pixel that
// Pixel() or a key colour reads, i.e. every pixel is opaque or transparent
// black; a partly transparent pixel, or the colour of a transparent one,
// keeps the picture in straight ARGB.
QImage Stored(const QImage& image)
{
    if (image.isNull() || image.format() == kPaintFormat)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(kPaintFormat);
    QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0, w = straight.width(); x < w; ++x)
            if (qAlpha(line[x]) != 255 && line[x] != 0)
                return straight;
    }
    // The same 32-bit values mean the same pixels in both formats.
    straight.reinterpretAsFormat(kPaintFormat);
    return straight;
}

QImage AsHiRes(const QImage& image)
{
    QImage hiRes = Stored(image);
    hiRes.setDevicePixelRatio(kHiResRatio);
    return hiRes;
}

} // namespace

struct TBitmap::PendingHiRes
{
    std::function<QImage()> read;
    std::optional<QImage> image;
};

void TBitmap::DropHiRes()
{
    m_hiRes = QImage();
    m_pendingHiRes.reset();
}

void TBitmap::PixelsChanged()
{
    DropHiRes();
    // New pixels: keyed pictures of their own, which copies share.
    m_keyed = std::make_shared<KeyedPictures>();
}

const QImage& TBitmap::HiRes() const
{
    if (m_pendingHiRes) {
        PendingHiRes& pending = *m_pendingHiRes;
        if (!pending.image) {
            pending.image = AsHiRes(pending.read());
            pending.read = nullptr;
        }
        m_hiRes = IsTwiceTheSize(*pending.image, m_image.size()) ? *pending.image : QImage();
        m_pendingHiRes.reset();
    }
    return m_hiRes;
}

void TBitmap::SetHiResSource(std::function<QImage()> read)
{
    DropHiRes();
    if (read)
        m_pendingHiRes = std::make_shared<PendingHiRes>(PendingHiRes{std::move(read), std::nullopt});
}

void TBitmap::Assign(const QImage& image)
{
    m_image = Stored(image);
    m_image.setDevicePixelRatio(1);
    PixelsChanged();
}

QImage& TBitmap::EditImage()
{
    PixelsChanged();
    return m_image;
}

void TBitmap::SetHiRes(const QImage& image)
{
    DropHiRes();
    if (IsTwiceTheSize(image, m_image.size()))
        m_hiRes = AsHiRes(image);
}

const QImage& TBitmap::Keyed(bool hiRes) const
{
    // Bitmaps that change their pixels get keyed pictures of their own; the
    // cache keys of the pictures tell when pixels changed through a kept
    // reference.
    if (!m_keyed)
        m_keyed = std::make_shared<KeyedPictures>();
    const QImage& source = hiRes ? HiRes() : m_image;
    KeyedPicture& kept = hiRes ? m_keyed->HiRes : m_keyed->Image;
    const TColor key = TransparentColor();
    if (kept.Picture.isNull() || kept.From != source.cacheKey() || kept.Key != key) {
        kept.Picture = source;
        if (!source.isNull())
            ClearKeyColor(kept.Picture, key);
        kept.From = source.cacheKey();
        kept.Key = key;
    }
    return kept.Picture;
}

TBitmap TBitmap::Copy(const TRect& rect) const
{
    TBitmap part(m_image.copy(rect.ToQRect()));
    part.m_transparent = m_transparent;
    part.m_transparentColor = m_transparentColor;
    // The part's 2x picture is cut when it is first asked for, so that a part
    // taken at ratio 1 decodes nothing.
    if (m_pendingHiRes || !m_hiRes.isNull()) {
        part.SetHiResSource([whole = *this, r = rect.ToQRect()] {
            const QImage& hiRes = whole.HiRes();
            return hiRes.isNull() ? QImage() : hiRes.copy(QRect(r.topLeft() * 2, r.size() * 2));
        });
    }
    return part;
}

void TBitmap::SetSize(int width, int height)
{
    PixelsChanged();
    if (width <= 0 || height <= 0) {
        m_image = QImage();
        return;
    }
    // A straight picture stays straight, so that no pixel it keeps changes.
    const QImage::Format format =
        m_image.format() == QImage::Format_ARGB32 ? QImage::Format_ARGB32 : kPaintFormat;
    QImage image(width, height, format);
    image.fill(qRgb(255, 255, 255));
    // Keep what fits, like resizing a bitmap in place.
    if (!m_image.isNull()) {
        const QImage old = m_image.convertToFormat(format);
        for (int y = 0; y < std::min(height, old.height()); ++y)
            for (int x = 0; x < std::min(width, old.width()); ++x)
                image.setPixel(x, y, old.pixel(x, y));
    }
    m_image = image;
}

TColor TBitmap::Pixel(int x, int y) const
{
    return PixelColor(m_image, x, y);
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (!m_image.valid(x, y))
        return;
    m_image.setPixel(x, y, ToQRgb(color));
    PixelsChanged();
}

TColor TBitmap::TransparentColor() const
{
    if (m_transparentColor)
        return *m_transparentColor;
    if (Empty())
        return clNone;
    return Pixel(0, Height() - 1);
}

bool TBitmap::LoadFromResourceName(const QString& name)
{
    return LoadFromFile(QStringLiteral(":/skin/") + name);
}

bool TBitmap::LoadFromFile(const QString& path)
{
    QImage image;
    if (!image.load(path)) {
        m_image = QImage();
        DropHiRes();
        return false;
    }
    Assign(image);
    SetHiResSource(HiResReader(path));
    return true;
}

const TBitmap& SkinBitmap(const QString& name)
{
    // Keyed by the bare name: a file's path (":/skin/...") never looks like one.
    TPictureKey key;
    key.Name = name;
    return PictureCache().Kept(key, [&] {
        TBitmap bitmap;
        bitmap.LoadFromResourceName(name);
        return bitmap;
    });
}

TBitmap LoadSkinBitmap(const QString& name)
{
    return SkinBitmap(name);
}

TBitmap LoadRequiredSkinBitmap(const QString& name)
{
    TBitmap bitmap = SkinBitmap(name);
    if (bitmap.Empty())
        throw std::runtime_error(QStringLiteral("Resource %1 not found").arg(name).toStdString());
    return bitmap;
}

void TPicture::Assign(const TBitmap& bitmap)
{
    m_bitmap = bitmap;
    m_source.clear();
    m_jpeg.clear();
    m_jpegHiRes.clear();
}

void TPicture::Decode() const
{
    if (m_jpeg.isEmpty())
        return;
    if (!m_source.isEmpty()) {
        m_bitmap = KeptResource(m_source);
    } else {
        m_bitmap.Assign(DecodeJpeg(m_jpeg).Image);
        if (!m_jpegHiRes.isEmpty())
            m_bitmap.SetHiRes(DecodeJpeg(m_jpegHiRes).Image);
    }
    m_jpeg.clear();
    m_jpegHiRes.clear();
}

TBitmap& TPicture::Bitmap()
{
    Decode();
    return m_bitmap;
}

const TBitmap& TPicture::Bitmap() const
{
    Decode();
    return m_bitmap;
}

QImage TPicture::Covering(QSize size, bool hiRes) const
{
    if (m_jpeg.isEmpty()) {
        const bool short1x = size.width() > m_bitmap.Width() || size.height() > m_bitmap.Height();
        return hiRes && short1x && !m_bitmap.HiRes().isNull() ? m_bitmap.HiRes() : m_bitmap.Image();
    }
    const bool short1x = size.width() > m_jpegSize.width() || size.height() > m_jpegSize.height();
    if (hiRes && short1x && !m_jpegHiRes.isEmpty())
        return DecodeJpeg(m_jpegHiRes, size).Image;
    return DecodeJpeg(m_jpeg, size).Image;
}

bool TPicture::LoadJpegPair(const QByteArray& bytes, const QString& path)
{
    if (!LoadJpeg(bytes))
        return false;
    if (QByteArray hiRes = FileBytes(HiResPath(path)); !hiRes.isEmpty())
        m_bitmap.SetHiResSource([bytes = std::move(hiRes)] { return DecodeJpeg(bytes).Image; });
    return true;
}

bool TPicture::LoadFromFileWhenShown(const QString& path)
{
    const QByteArray bytes = FileBytes(path);
    if (!bytes.startsWith("\xFF\xD8"))
        return LoadFromFile(path);
    const QSize size = JpegSize(bytes);
    if (!size.isValid())
        return LoadJpeg(bytes);
    m_bitmap = TBitmap();
    m_jpeg = bytes;
    m_jpegSize = size;
    m_source = path.startsWith(u':') ? path : QString();
    m_jpegHiRes.clear();
    const QByteArray hiResBytes = FileBytes(HiResPath(path));
    if (JpegSize(hiResBytes) == size * 2)
        m_jpegHiRes = hiResBytes;
    m_lastError.clear();
    return true;
}

namespace {

// Roots registered by the program; handle n is entry n - 1.
QStringList& ResourceModules()
{
    static QStringList roots;
    return roots;
}

} // namespace

TResHandle RegisterResourceModule(const QString& root)
{
    QStringList& roots = ResourceModules();
    qsizetype index = roots.indexOf(root);
    if (index < 0) {
        roots.append(root);
        index = roots.size() - 1;
    }
    return TResHandle(index + 1);
}

TBitmap LoadModuleBitmap(TResHandle module, const QString& name)
{
    if (module == 0)
        return LoadSkinBitmap(name);
    const QStringList& roots = ResourceModules();
    TBitmap bitmap;
    if (name.isEmpty() || module > TResHandle(roots.size()))
        return bitmap;
    bitmap.LoadFromFile(roots.at(qsizetype(module - 1)) + u'/' + name);
    return bitmap;
}

bool TPicture::LoadJpeg(const QByteArray& bytes)
{
    m_source.clear();
    m_jpeg.clear();
    m_jpegHiRes.clear();
    JpegResult result = DecodeJpeg(bytes);
    if (!result.Error.isEmpty()) {
        m_bitmap = TBitmap();
        m_lastError = result.Error;
        return false;
    }
    m_bitmap.Assign(result.Image);
    m_lastError.clear();
    return true;
}

bool TPicture::LoadFromFile(const QString& path)
{
    m_source.clear();
    if (path.startsWith(u':')) {
        const TBitmap& kept = KeptResource(path);
        if (!kept.Empty()) {
            Assign(kept);
            m_lastError.clear();
            return true;
        }
    }
    return LoadFile(path);
}

const TBitmap& TPicture::KeptResource(const QString& path)
{
    // Resources never change: each is decoded once per process and shared.
    TPictureKey key;
    key.Name = path;
    return PictureCache().Kept(key, [&] {
        TPicture loaded;
        loaded.LoadFile(path);
        return loaded.m_bitmap;
    });
}

bool TPicture::LoadFile(const QString& path)
{
    m_jpeg.clear();
    m_jpegHiRes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_bitmap = TBitmap();
        m_lastError = QStringLiteral("Cannot open file \"%1\"").arg(path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xFF\xD8"))
        return LoadJpegPair(bytes, path);
    QImage image;
    if (!image.loadFromData(bytes)) {
        m_bitmap = TBitmap();
        m_lastError = QStringLiteral("Unknown picture format in \"%1\"").arg(path);
        return false;
    }
    m_bitmap.Assign(image);
    m_bitmap.SetHiResSource(HiResReader(path));
    m_lastError.clear();
    return true;
}
