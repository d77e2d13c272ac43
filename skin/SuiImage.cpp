#include "skin/SuiImage.h"

#include "framework/TCanvas.h"
#include "skin/Suipublic.h"

TImage::TImage(QWidget* parent) : TControl(parent)
{
    SetParentColor(true);
    resize(105, 105);
}

void TImage::SetPicture(const TPicture& picture)
{
    m_picture = picture;
    update();
}

bool TImage::LoadFromFile(const QString& path)
{
    const bool loaded = m_picture.LoadFromFile(path);
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

void TImage::Paint(TCanvas& canvas)
{
    if (m_transparent)
        DoTrans(canvas, this);
    if (!m_picture.HasGraphic())
        return;
    TBitmap bitmap = m_picture.Bitmap();
    bitmap.SetTransparent(m_transparent);
    const TRect dest = DestRect();
    if (m_stretch)
        canvas.StretchDraw(dest, bitmap);
    else
        canvas.Draw(dest.Left, dest.Top, bitmap);
}
