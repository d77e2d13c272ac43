#pragma once

#include "framework/TColor.h"

#include <QImage>
#include <QString>
#include <optional>

// A bitmap over a QImage (always Format_ARGB32). Transparent draws leave out
// the pixels of TransparentColor, which is the bottom-left pixel unless set.
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

    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }
    void Assign(const QImage& image);

    // Loads ":/skin/<name>"; false and an empty bitmap when there is no such resource.
    bool LoadFromResourceName(const QString& name);
    bool LoadFromFile(const QString& path);

private:
    QImage m_image;
    bool m_transparent = false;
    std::optional<TColor> m_transparentColor;
};

TBitmap LoadSkinBitmap(const QString& name);

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
    bool HasGraphic() const { return !m_bitmap.Empty(); }
    int Width() const { return m_bitmap.Width(); }
    int Height() const { return m_bitmap.Height(); }
    TBitmap& Bitmap() { return m_bitmap; }
    const TBitmap& Bitmap() const { return m_bitmap; }
    void Assign(const TBitmap& bitmap) { m_bitmap = bitmap; }
    void Clear() { m_bitmap = TBitmap(); }

    // JPEG bytes are decoded with libjpeg; on failure the picture is emptied
    // and LastError() says why.
    bool LoadJpeg(const QByteArray& bytes);
    // JPEG files by content, anything else through Qt's image readers.
    bool LoadFromFile(const QString& path);
    const QString& LastError() const { return m_lastError; }

private:
    TBitmap m_bitmap;
    QString m_lastError;
};
