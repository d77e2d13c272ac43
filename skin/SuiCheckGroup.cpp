#include "skin/SuiCheckGroup.h"

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

// --- group boxes ------------------------------------------------------------

TsuiCustomGroupBox::TsuiCustomGroupBox(QWidget* parent) : TsuiCustomPanel(parent)
{
    const TsuiUIStyle style = GetSUIFormStyle(parent ? parent->window() : nullptr);
    resize(185, 105);
    m_borderColor = GetThemeColor(style, 8);
    TFont font = Font();
    font.Color = GetThemeColor(style, 10);
    SetFont(font);
    SetTransparent(true);
}

void TsuiCustomGroupBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

TRect TsuiCustomGroupBox::GetClient() const
{
    const TRect r = ClientRect();
    return Rect(r.Left + 3, r.Top + Font().PixelHeight(), r.Right - 2, r.Bottom - 2);
}

void TsuiCustomGroupBox::UpdateUIStyle(TsuiUIStyle style)
{
    ContainerApplyUIStyle(this, style);
}

void TsuiCustomGroupBox::Paint(TCanvas& canvas)
{
    TsuiCustomPanel::Paint(canvas);

    canvas.Font = Font();
    const int h = Font().PixelHeight();
    TRect r = ClientRect();
    r.Top += h / 2 + 1;
    const QString caption = Caption();
    canvas.Pen = {m_borderColor, 1, psSolid};
    canvas.MoveTo(r.Left + 2, r.Top);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Right - 1, r.Top);
    // The gap left in the top edge holds the caption.
    if (caption.isEmpty()) {
        canvas.LineTo(r.Left, r.Top);
        return;
    }
    canvas.LineTo(r.Left + 6 + canvas.TextWidth(caption), r.Top);
    if (!Enabled())
        canvas.Font.Color = clGray;
    canvas.Brush.Style = bsClear;
    canvas.TextOut(5, 0, caption);
}

TsuiGroupBox::TsuiGroupBox(QWidget* parent) : TsuiCustomGroupBox(parent)
{
    static const bool registered = [] {
        RegisterContainerRule<TsuiGroupBox>(TsuiRuleSlot::GroupBox, [](TsuiGroupBox& box, TsuiUIStyle style) {
            box.SetBorderColor(GetThemeColor(style, 8));
            TFont font = box.Font();
            font.Color = GetThemeColor(style, 10);
            box.SetFont(font);
            box.SetColor(GetThemeColor(style, 9));
        });
        RegisterSubContainer<TsuiGroupBox>();
        return true;
    }();
    Q_UNUSED(registered);
}

TsuiCheckGroup::TsuiCheckGroup(QWidget* parent) : TsuiCustomGroupBox(parent)
{
    static const bool registered = (RegisterStyleAlways<TsuiCheckGroup>(), true);
    Q_UNUSED(registered);
    SetCaption(QStringLiteral("suiCheckGroup"));
    SetParentColor(true);
    SetTransparent(false);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
}

void TsuiCheckGroup::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    UpdateUIStyle(style);
}

void TsuiCheckGroup::UpdateUIStyle(TsuiUIStyle style)
{
    SetBorderColor(GetThemeColor(style, 8));
    TFont font = Font();
    font.Color = GetThemeColor(style, 10);
    SetFont(font);
    if (!ParentColor())
        SetColor(GetThemeColor(style, 9));
}
