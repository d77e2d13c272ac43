#include "skin/SuiCustomPanel.h"

#include "framework/TCanvas.h"
#include "skin/Suipublic.h"

TsuiCustomPanel::TsuiCustomPanel(QWidget* parent) : TControl(parent) {}

void TsuiCustomPanel::SetPicture(const TPicture& picture)
{
    m_picture = picture;
    PictureChanged();
}

void TsuiCustomPanel::PictureChanged()
{
    if (m_picture.HasGraphic())
        ApplyAutoSize();
    update();
}

void TsuiCustomPanel::SetDrawStyle(TsuiDrawStyle style)
{
    m_drawStyle = style;
    update();
}

void TsuiCustomPanel::SetTransparent(bool value)
{
    m_transparent = value;
    update();
}

void TsuiCustomPanel::SetAutoSize(bool value)
{
    m_autoSize = value;
    if (m_picture.HasGraphic())
        ApplyAutoSize();
}

void TsuiCustomPanel::ApplyAutoSize()
{
    if (m_autoSize)
        resize(m_picture.Width(), m_picture.Height());
}

void TsuiCustomPanel::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void TsuiCustomPanel::SetCaptionPosX(int x)
{
    m_captionPosX = x;
    update();
}

void TsuiCustomPanel::SetCaptionPosY(int y)
{
    m_captionPosY = y;
    update();
}

void TsuiCustomPanel::Paint(TCanvas& canvas)
{
    // The canvas arrives filled with Color().
    if (m_transparent)
        DoTrans(canvas, this);
    if (m_picture.HasGraphic()) {
        TBitmap bitmap = m_picture.Bitmap();
        bitmap.SetTransparent(m_transparent);
        switch (m_drawStyle) {
        case suiStretch:
            canvas.StretchDraw(ClientRect(), bitmap);
            break;
        case suiTile:
            TileDraw(canvas, bitmap, ClientRect());
            break;
        case suiNormal:
            canvas.Draw(0, 0, bitmap);
            break;
        }
    }

    const QString text = PanelText();
    if (text.trimmed().isEmpty())
        return;
    canvas.Brush.Style = bsClear;
    canvas.Font = Font();
    if (m_captionPosX == -1 || m_captionPosY == -1) {
        unsigned flags = DT_SINGLELINE | DT_VCENTER;
        if (m_alignment & Qt::AlignRight)
            flags |= DT_RIGHT;
        else if (m_alignment & Qt::AlignHCenter)
            flags |= DT_CENTER;
        canvas.DrawText(text, ClientRect(), flags);
    } else {
        canvas.TextOut(m_captionPosX, m_captionPosY, text);
    }
}
