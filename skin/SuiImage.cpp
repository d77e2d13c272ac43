#include "skin/SuiImage.h"

#include "framework/TCanvas.h"
#include "framework/TPictureCache.h"
#include "skin/Suipublic.h"

TImage::TImage(QWidget* parent) : TControl(parent)
{
    SetParentColor(true);
    resize(105, 105);
}

void TImage::SetPicture(const TPicture& picture)
{
    m_picture = picture;
    m_stretched = QImage();
    update();
}

bool TImage::LoadFromFile(const QString& path)
{
    const bool loaded = m_picture.LoadFromFile(path);
    m_stretched = QImage();
    update();
    return loaded;
}

bool TImage::LoadFromFileWhenShown(const QString& path)
{
    const bool loaded = m_picture.LoadFromFileWhenShown(path);
    m_stretched = QImage();
    update();
    return loaded;
}

void TImage::SetStretch(bool value)
{
    m_stretch = value;
    update();
}

void TImage::SetCenter(bool value)
{
    m_center = value;
    update();
}

void TImage::SetTransparent(bool value)
{
    m_transparent = value;
    update();
}

TRect TImage::DestRect() const
{
    if (m_stretch)
        return ClientRect();
    const int w = m_picture.Width();
    const int h = m_picture.Height();
    if (m_center)
        return Bounds((width() - w) / 2, (height() - h) / 2, w, h);
    return Bounds(0, 0, w, h);
}

const QImage& TImage::Stretched(const TRect& dest, qreal ratio)
{
    // Stretched once to the device pixels it covers.
    const QSize size(qRound(dest.Width() * ratio), qRound(dest.Height() * ratio));
    // A decoded bitmap may have been changed through Picture() since.
    const qint64 from = m_picture.Waiting() ? -1 : m_picture.Bitmap().Image().cacheKey();
    if (!m_stretched.isNull() && m_stretched.size() == size && m_stretchedFrom == from &&
        m_stretchedKeyed == m_transparent && m_stretched.devicePixelRatio() == ratio)
        return m_stretched;
    const auto stretch = [&] {
        // A waiting JPEG is decoded just big enough for this size; above
        // ratio 1 the 2x picture serves where the 1x one falls short.
        TBitmap source = m_picture.Waiting() || ratio > 1 ? TBitmap(m_picture.Covering(size, ratio > 1))
                                                          : m_picture.Bitmap();
        const TColor key =
            m_picture.Waiting() ? source.TransparentColor() : m_picture.Bitmap().TransparentColor();
        QImage stretched = StretchImage(source.Image(), Rect(0, 0, source.Width(), source.Height()),
                                        size.width(), size.height());
        if (m_transparent && !source.Empty())
            ClearKeyColor(stretched, key);
        stretched.setDevicePixelRatio(ratio);
        return stretched;
    };
    // A resource's picture is the same for every window that shows it at
    // this size: decoded and stretched once per process.
    if (const QString name = m_picture.SourceName(); !name.isEmpty()) {
        TPictureKey cacheKey;
        cacheKey.Name = name;
        cacheKey.Size = size;
        cacheKey.State = m_transparent ? 1 : 0;
        cacheKey.Ratio = ratio;
        m_stretched = PictureCache().Derived(cacheKey, stretch);
    } else {
        m_stretched = stretch();
    }
    m_stretchedFrom = from;
    m_stretchedKeyed = m_transparent;
    return m_stretched;
}

void TImage::Paint(TCanvas& canvas)
{
    if (m_transparent)
        DoTrans(canvas, this);
    if (!m_picture.HasGraphic())
        return;
    const TRect dest = DestRect();
    if (m_stretch) {
        const QImage& shown = Stretched(dest, canvas.Ratio());
        canvas.DrawImage(dest, shown, Rect(0, 0, dest.Width(), dest.Height()));
        return;
    }
    TBitmap bitmap = m_picture.Bitmap();
    bitmap.SetTransparent(m_transparent);
    canvas.Draw(dest.Left, dest.Top, bitmap);
}
