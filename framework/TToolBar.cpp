#include "framework/TToolBar.h"

#include "framework/TCanvas.h"

#include <algorithm>

namespace {

constexpr int kSeparatorWidth = 8;

} // namespace

TToolBar::TToolBar(QWidget* parent) : TControl(parent)
{
    resize(150, 29);
}

int TToolBar::AddButton(const QString& caption, int imageIndex, TToolButtonStyle style)
{
    TToolButton button;
    button.Caption = caption;
    button.ImageIndex = imageIndex;
    button.Style = style;
    m_buttons.push_back(std::move(button));
    update();
    return ButtonCount() - 1;
}

TToolButton* TToolBar::Button(int index)
{
    return index >= 0 && index < ButtonCount() ? &m_buttons[std::size_t(index)] : nullptr;
}

const TToolButton* TToolBar::Button(int index) const
{
    return index >= 0 && index < ButtonCount() ? &m_buttons[std::size_t(index)] : nullptr;
}

void TToolBar::ButtonsChanged()
{
    update();
}

void TToolBar::SetImages(const TImageList* images)
{
    m_images = images;
    update();
}

void TToolBar::SetHotImages(const TImageList* images)
{
    m_hotImages = images;
    update();
}

void TToolBar::SetShowCaptions(bool value)
{
    m_showCaptions = value;
    update();
}

void TToolBar::SetButtonWidth(int value)
{
    m_buttonWidth = std::max(value, 0);
    update();
}

void TToolBar::SetButtonHeight(int value)
{
    m_buttonHeight = std::max(value, 0);
    update();
}

void TToolBar::SetFlat(bool value)
{
    m_flat = value;
    update();
}

void TToolBar::SetTransparent(bool value)
{
    m_transparent = value;
    update();
}

void TToolBar::SetEdgeInner(TEdgeStyle edge)
{
    m_edgeInner = edge;
    update();
}

void TToolBar::SetEdgeOuter(TEdgeStyle edge)
{
    m_edgeOuter = edge;
    update();
}

int TToolBar::EdgeHeight() const
{
    return (m_edgeInner != esNone || m_edgeOuter != esNone) ? 2 : 0;
}

int TToolBar::CellWidth() const
{
    int w = m_buttonWidth;
    if (m_images)
        w = std::max(w, m_images->Width() + 7);
    if (m_showCaptions) {
        for (const TToolButton& button : m_buttons)
            if (button.Style != tbsSeparator)
                w = std::max(w, Font().Advance(button.Caption) + 8);
    }
    return w;
}

int TToolBar::CellHeight() const
{
    const int image = m_images ? m_images->Height() : 0;
    const int text = m_showCaptions ? Font().Metrics().height() : 0;
    return std::max(m_buttonHeight, image + text + (text > 0 ? 8 : 6));
}

TRect TToolBar::ButtonRect(int index) const
{
    if (Button(index) == nullptr)
        return {};
    const int cell = CellWidth();
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_buttons[std::size_t(i)].Style == tbsSeparator ? kSeparatorWidth : cell;
    const int w = m_buttons[std::size_t(index)].Style == tbsSeparator ? kSeparatorWidth : cell;
    return Bounds(left, EdgeHeight(), w, CellHeight());
}

int TToolBar::ButtonAt(int x, int y) const
{
    for (int i = 0; i < ButtonCount(); ++i) {
        const TRect r = ButtonRect(i);
        if (m_buttons[std::size_t(i)].Style != tbsSeparator && x >= r.Left && x < r.Right && y >= r.Top &&
            y < r.Bottom)
            return i;
    }
    return -1;
}

TCustomDrawState TToolBar::ButtonState(int index) const
{
    const TToolButton* button = Button(index);
    if (button == nullptr)
        return 0;
    TCustomDrawState state = 0;
    if (!button->Enabled || !isEnabled())
        return cdsDisabled | (button->Down ? cdsChecked : 0u);
    if (index == m_hot)
        state |= cdsHot;
    if (index == m_pressed && index == m_hot)
        state |= cdsSelected;
    if (button->Style == tbsCheck && button->Down)
        state |= cdsChecked;
    return state;
}

void TToolBar::Paint(TCanvas& canvas)
{
    // The canvas arrives filled with Color().
    bool defaultDraw = true;
    if (OnCustomDraw)
        OnCustomDraw(this, canvas, ClientRect(), defaultDraw);
    if (defaultDraw && EdgeHeight() > 0) {
        canvas.Pen.Color = clBtnShadow;
        canvas.MoveTo(0, 0);
        canvas.LineTo(width(), 0);
        canvas.Pen.Color = clBtnHighlight;
        canvas.MoveTo(0, 1);
        canvas.LineTo(width(), 1);
    }
    for (int i = 0; i < ButtonCount(); ++i) {
        const TCustomDrawState state = ButtonState(i);
        bool drawButton = true;
        if (OnCustomDrawButton && m_buttons[std::size_t(i)].Style != tbsSeparator)
            OnCustomDrawButton(this, canvas, i, state, drawButton);
        if (drawButton)
            DefaultDrawButton(canvas, i, state);
    }
}

void TToolBar::DefaultDrawButton(TCanvas& canvas, int index, TCustomDrawState state)
{
    const TToolButton* button = Button(index);
    if (button == nullptr)
        return;
    const TRect r = ButtonRect(index);
    if (button->Style == tbsSeparator) {
        const int x = r.Left + r.Width() / 2 - 1;
        canvas.Pen.Color = clBtnShadow;
        canvas.MoveTo(x, r.Top + 2);
        canvas.LineTo(x, r.Bottom - 2);
        canvas.Pen.Color = clBtnHighlight;
        canvas.MoveTo(x + 1, r.Top + 2);
        canvas.LineTo(x + 1, r.Bottom - 2);
        return;
    }

    const bool sunken = (state & (cdsSelected | cdsChecked)) != 0;
    const bool raised = !sunken && (state & cdsHot) != 0;
    if (sunken || raised || !m_flat)
        canvas.DrawButtonEdge(r, sunken);

    const bool enabled = (state & cdsDisabled) == 0;
    const int shift = sunken ? 1 : 0;
    const TImageList* list = (state & cdsHot) && m_hotImages ? m_hotImages : m_images;
    int textTop = r.Top + 4 + shift;
    if (list) {
        list->Draw(canvas, r.Left + (r.Width() - list->Width()) / 2 - 1 + shift, r.Top + 2 + shift,
                   button->ImageIndex, enabled);
        textTop = r.Top + list->Height() + 4 + shift;
    }
    if (m_showCaptions) {
        canvas.Brush.Style = bsClear;
        canvas.Font = Font();
        if (!enabled)
            canvas.Font.Color = clGrayText;
        canvas.TextOut(r.Left + (r.Width() - canvas.TextWidth(button->Caption)) / 2 + shift, textTop,
                       button->Caption);
    }
}

void TToolBar::MouseLeave()
{
    m_hot = -1;
    update();
    TControl::MouseLeave();
}

void TToolBar::MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == mbLeft) {
        const int index = ButtonAt(x, y);
        if (index >= 0 && m_buttons[std::size_t(index)].Enabled) {
            m_pressed = index;
            m_hot = index;
            update();
        }
    }
    TControl::MouseDown(button, shift, x, y);
}

void TToolBar::MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    update();
    TControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || pressed < 0 || ButtonAt(x, y) != pressed)
        return;
    TToolButton& clicked = m_buttons[std::size_t(pressed)];
    if (clicked.Style == tbsCheck)
        clicked.Down = !clicked.Down;
    // A copy: the handler may add buttons and move the one clicked.
    const TNotifyEvent onClick = clicked.OnClick;
    Fire(onClick);
}

void TToolBar::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    const int hot = ButtonAt(x, y);
    if (hot != m_hot) {
        m_hot = hot;
        update();
    }
    TControl::MouseMove(shift, x, y);
}
