#include "framework/TBitmap.h"

#include "framework/TCanvas.h"
#include "framework/TJpeg.h"

#include <QFile>
#include <QStringList>
#include <stdexcept>
#include <unordered_map>

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

} // namespace

void TBitmap::Assign(const QImage& image)
{
    m_image = Stored(image);
    m_image.setDevicePixelRatio(1);
    m_hiRes = QImage();
    // New pixels: keyed pictures of their own, which copies share.
    m_keyed = std::make_shared<KeyedPictures>();
}

QImage& TBitmap::EditImage()
{
    m_hiRes = QImage();
    m_keyed = std::make_shared<KeyedPictures>();
    return m_image;
}

void TBitmap::SetHiRes(const QImage& image)
{
    if (!IsTwiceTheSize(image, m_image.size())) {
        m_hiRes = QImage();
        return;
    }
    m_hiRes = Stored(image);
    m_hiRes.setDevicePixelRatio(kHiResRatio);
}

const QImage& TBitmap::Keyed(bool hiRes) const
{
    // Bitmaps that change their pixels get keyed pictures of their own; the
    // cache keys of the pictures tell when pixels changed through a kept
    // reference.
    if (!m_keyed)
        m_keyed = std::make_shared<KeyedPictures>();
    const QImage& source = hiRes ? m_hiRes : m_image;
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
    if (!m_hiRes.isNull()) {
        const QRect r = rect.ToQRect();
        part.SetHiRes(m_hiRes.copy(QRect(r.topLeft() * 2, r.size() * 2)));
    }
    return part;
}

void TBitmap::SetSize(int width, int height)
{
    m_hiRes = QImage();
    m_keyed = std::make_shared<KeyedPictures>();
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
    m_keyed.reset();
    m_image.setPixel(x, y, ToQRgb(color));
    m_hiRes = QImage();
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
        m_hiRes = QImage();
        return false;
    }
    Assign(image);
    const QString hiResPath = HiResPath(path);
    if (QFile::exists(hiResPath))
        SetHiRes(QImage(hiResPath));
    return true;
}

const TBitmap& SkinBitmap(const QString& name)
{
    // The widgets live on one thread, and so does this map; its nodes stay put,
    // so the references handed out stay valid.
    static std::unordered_map<QString, TBitmap> cache;
    auto found = cache.find(name);
    if (found == cache.end()) {
        TBitmap bitmap;
        bitmap.LoadFromResourceName(name);
        found = cache.emplace(name, std::move(bitmap)).first;
    }
    return found->second;
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
    m_jpeg.clear();
    m_jpegHiRes.clear();
}

void TPicture::Decode() const
{
    if (m_jpeg.isEmpty())
        return;
    m_bitmap.Assign(DecodeJpeg(m_jpeg).Image);
    if (!m_jpegHiRes.isEmpty())
        m_bitmap.SetHiRes(DecodeJpeg(m_jpegHiRes).Image);
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
    QFile hiRes(HiResPath(path));
    if (hiRes.open(QIODevice::ReadOnly))
        m_bitmap.SetHiRes(DecodeJpeg(hiRes.readAll()).Image);
    return true;
}

bool TPicture::LoadFromFileWhenShown(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.peek(2).startsWith("\xFF\xD8"))
        return LoadFromFile(path);
    const QByteArray bytes = file.readAll();
    const QSize size = JpegSize(bytes);
    if (!size.isValid())
        return LoadJpeg(bytes);
    m_bitmap = TBitmap();
    m_jpeg = bytes;
    m_jpegSize = size;
    m_jpegHiRes.clear();
    QFile hiRes(HiResPath(path));
    if (hiRes.open(QIODevice::ReadOnly)) {
        QByteArray hiResBytes = hiRes.readAll();
        if (JpegSize(hiResBytes) == size * 2)
            m_jpegHiRes = std::move(hiResBytes);
    }
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
    const QString hiResPath = HiResPath(path);
    if (QFile::exists(hiResPath))
        m_bitmap.SetHiRes(QImage(hiResPath));
    m_lastError.clear();
    return true;
}
