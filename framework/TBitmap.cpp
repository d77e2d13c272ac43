#include "framework/TBitmap.h"

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

void TBitmap::Assign(const QImage& image)
{
    m_image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
}

void TBitmap::SetSize(int width, int height)
{
    if (width <= 0 || height <= 0) {
        m_image = QImage();
        return;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(qRgb(255, 255, 255));
    // Keep what fits, like resizing a bitmap in place.
    if (!m_image.isNull()) {
        for (int y = 0; y < std::min(height, m_image.height()); ++y)
            for (int x = 0; x < std::min(width, m_image.width()); ++x)
                image.setPixel(x, y, m_image.pixel(x, y));
    }
    m_image = image;
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return clNone;
    return FromQRgb(m_image.pixel(x, y));
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (m_image.valid(x, y))
        m_image.setPixel(x, y, ToQRgb(color));
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
        return false;
    }
    Assign(image);
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
}

void TPicture::Decode() const
{
    if (m_jpeg.isEmpty())
        return;
    m_bitmap.Assign(DecodeJpeg(m_jpeg).Image);
    m_jpeg.clear();
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

QImage TPicture::Covering(QSize size) const
{
    if (m_jpeg.isEmpty())
        return m_bitmap.Image();
    return DecodeJpeg(m_jpeg, size).Image;
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_bitmap = TBitmap();
        m_lastError = QStringLiteral("Cannot open file \"%1\"").arg(path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xFF\xD8"))
        return LoadJpeg(bytes);
    QImage image;
    if (!image.loadFromData(bytes)) {
        m_bitmap = TBitmap();
        m_lastError = QStringLiteral("Unknown picture format in \"%1\"").arg(path);
        return false;
    }
    m_bitmap.Assign(image);
    m_lastError.clear();
    return true;
}
