#include "controls/Snlabel.h"

#include "framework/TCanvas.h"

TSnLabel::TSnLabel(QWidget* parent) : TControl(parent)
{
    SetParentColor(true);
    SetParentFont(true);
    resize(65, 13);
    AdjustBounds();
}

void TSnLabel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    AdjustBounds();
    update();
}

void TSnLabel::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    AdjustBounds();
}

void TSnLabel::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    update();
}

void TSnLabel::SetShowBorder(bool value)
{
    m_showBorder = value;
    update();
}

void TSnLabel::SetBorderColor(TColor value)
{
    if (value == m_borderColor)
        return;
    m_borderColor = value;
    update();
}

void TSnLabel::SetLayout(TTextLayout value)
{
    if (value == m_layout)
        return;
    m_layout = value;
    AdjustBounds();
    update();
}

void TSnLabel::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    AdjustBounds();
    update();
}

void TSnLabel::SetShowAccelChar(bool value)
{
    if (value == m_showAccelChar)
        return;
    m_showAccelChar = value;
    AdjustBounds();
    update();
}

void TSnLabel::CaptionChanged()
{
    update();
    AdjustBounds();
}

void TSnLabel::FontChanged()
{
    AdjustBounds();
    update();
}

void TSnLabel::AdjustBounds()
{
    if (!m_autoSize)
        return;
    QString text = Caption();
    // An empty caption (or a lone accelerator mark) still keeps one line.
    if (text.isEmpty() || (m_showAccelChar && text == QStringLiteral("&")))
        text += u' ';
    unsigned flags = 0;
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    else if (!text.contains(u'\n') && !text.contains(u'\r'))
        flags |= DT_SINGLELINE;
    if (!m_showAccelChar)
        flags |= DT_NOPREFIX;
    const TRect extent = MeasureText(Font(), text, Rect(0, 0, m_wordWrap ? width() : 0, 0), flags);
    // Paint insets a left- or right-justified caption by 2 pixels; the size
    // includes that inset so the inset never clips the end of the text.
    const int newWidth = extent.Width() + (m_alignment == taCenter ? 0 : 2);
    int left = x();
    if (m_alignment == taRightJustify)
        left += width() - newWidth;
    setGeometry(left, y(), newWidth, extent.Height());
}

void TSnLabel::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Font = Font();
    if (m_transparent) {
        PaintParentBackground(canvas, this);
    } else {
        canvas.Brush = TBrush{Color(), bsSolid};
        canvas.FillRect(r);
    }
    if (m_showBorder) {
        canvas.Pen = TPen{m_borderColor, 1, psSolid};
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(r);
    }

    const int textHeight = canvas.TextHeight(QStringLiteral("A"));
    if (textHeight < height())
        r.Top = (height() - textHeight) / 2;
    unsigned flags = DT_LEFT;
    switch (m_alignment) {
    case taLeftJustify:
        r.Left += 2;
        break;
    case taCenter:
        flags = DT_CENTER;
        break;
    case taRightJustify:
        r.Right -= 2;
        flags = DT_RIGHT;
        break;
    }
    DrawCaption(canvas, Caption(), r, flags, isEnabled());
}
