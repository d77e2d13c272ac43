#include "skin/SuiProgressBar.h"

#include "framework/TAccessible.h"
#include "framework/TCanvas.h"
#include "skin/SuiImagePanel.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QEvent>
#include <algorithm>

// --- progress bar ------------------------------------------------------------

TsuiProgressBar::TsuiProgressBar(QWidget* parent) : TControl(parent)
{
    SetColor(clBtnFace);
    UpdateBar(150);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
    UpdateProgress();
}

void TsuiProgressBar::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    UpdatePicture();
}

void TsuiProgressBar::SetOrientation(TsuiProgressBarOrientation orientation)
{
    m_orientation = orientation;
    UpdatePicture();
    UpdateBar(std::max(width(), height()));
}

void TsuiProgressBar::UpdateBar(int length)
{
    // The thickness is fixed; a resize to another one is refused.
    if (m_orientation == suiVertical) {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setFixedWidth(Thickness);
        resize(Thickness, length);
    } else {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
        setFixedHeight(Thickness);
        resize(length, Thickness);
    }
}

void TsuiProgressBar::UpdatePicture()
{
    if (m_uiStyle != Custom) {
        m_picture.Assign(LoadSkinBitmap(
            GetThemeString(m_uiStyle, m_orientation == suiVertical ? teProgressBarVertical : teProgressBar)));
        SetColor(GetThemeColor(m_uiStyle, teControlColor));
        m_borderColor = GetThemeColor(m_uiStyle, teControlBorderColor);
    }
    update();
}

void TsuiProgressBar::SetMin(int value)
{
    m_min = value;
    UpdateProgress();
}

void TsuiProgressBar::SetMax(int value)
{
    m_max = value;
    UpdateProgress();
}

void TsuiProgressBar::SetPosition(int value)
{
    m_position = value;
    UpdateProgress();
    AnnounceValueChange(this, m_position);
}

void TsuiProgressBar::UpdateProgress()
{
    SetCaption(QString::number(GetPercentFromPosition()) + QLatin1Char('%'));
    update();
}

void TsuiProgressBar::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TsuiProgressBar::SetCaptionColor(TColor color)
{
    m_captionColor = color;
    update();
}

void TsuiProgressBar::SetShowCaption(bool value)
{
    m_showCaption = value;
    update();
}

void TsuiProgressBar::SetSmartShowCaption(bool value)
{
    m_smartShowCaption = value;
    update();
}

void TsuiProgressBar::SetPicture(const TPicture& picture)
{
    m_picture = picture;
    update();
}

int TsuiProgressBar::GetPercentFromPosition() const
{
    if (m_max == m_min)
        return 0;
    return (m_position - m_min) * 100 / (m_max - m_min);
}

int TsuiProgressBar::GetWidthFromPosition(int length) const
{
    if (m_min >= m_max || m_position <= m_min)
        return 0;
    if (m_position > m_max)
        return length;
    return length * (m_position - m_min) / (m_max - m_min);
}

void TsuiProgressBar::Paint(TCanvas& canvas)
{
    // With a picture the bar is as thick as the picture plus the frame.
    int w = width();
    int h = height();
    const TBitmap& picture = m_picture.Bitmap();
    if (m_orientation == suiHorizontal) {
        const int e = std::max(GetWidthFromPosition(w - 1), 1);
        if (m_picture.HasGraphic()) {
            h = picture.Height() + 2;
            canvas.StretchDraw(Rect(1, 1, e, h - 1), picture);
        }
        canvas.Brush = {Color(), bsSolid};
        canvas.FillRect(Rect(e, 1, w - 1, h - 1));
    } else {
        const int s = std::max((h - 1) - GetWidthFromPosition(h - 1), 1);
        if (m_picture.HasGraphic()) {
            w = picture.Width() + 2;
            // Drawn bottom-up: the picture is mirrored and grows from the bottom.
            const TRect fill = Rect(1, s, w - 1, h - 1);
            if (!fill.IsEmpty())
                canvas.DrawImage(fill,
                                 StretchImage(picture.Image(), Rect(0, 0, picture.Width(), picture.Height()),
                                              fill.Width(), fill.Height())
                                     .mirrored(false, true),
                                 Rect(0, 0, fill.Width(), fill.Height()));
        }
        canvas.Brush = {Color(), bsSolid};
        canvas.FillRect(Rect(1, 1, w - 1, s));
        m_showCaption = false;
    }

    if (m_showCaption && (!m_smartShowCaption || m_position != m_min)) {
        canvas.Brush.Style = bsClear;
        canvas.Font = Font();
        canvas.Font.Color = m_captionColor;
        const QString text = Caption();
        canvas.TextOut((w - canvas.TextWidth(text)) / 2, (h - canvas.TextHeight(text)) / 2, text);
    }

    canvas.Brush = {m_borderColor, bsSolid};
    canvas.FrameRect(ClientRect());
}
