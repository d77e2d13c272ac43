#include "skin/SuiToolBar.h"

#include "framework/TCanvas.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

TsuiToolBar::TsuiToolBar(QWidget* parent) : TToolBar(parent)
{
    OnCustomDrawButton = [this](TToolBar*, TCanvas& canvas, int index, TCustomDrawState state,
                                bool& defaultDraw) { DrawButton(canvas, index, state, defaultDraw); };
    OnCustomDraw = [this](TToolBar*, TCanvas& canvas, const TRect&, bool& defaultDraw) {
        DrawBar(canvas, defaultDraw);
    };
    SetFlat(true);
    SetTransparent(false);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
}

void TsuiToolBar::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    if (style == Custom)
        return;
    m_buttonBorderColor = GetThemeColor(style, teToolButtonBorderColor);
    m_buttonColor = GetThemeColor(style, teToolButtonColor);
    m_buttonDownColor = GetThemeColor(style, teToolButtonDownColor);
    SetColor(GetThemeColor(style, teToolBarColor));
    SetTransparent(SuiLook(style).ToolBarTransparent);
    SetEdgeInner(esNone);
    SetEdgeOuter(esNone);
    update();
}

void TsuiToolBar::SetButtonColor(TColor color)
{
    m_buttonColor = color;
    update();
}

void TsuiToolBar::SetButtonBorderColor(TColor color)
{
    m_buttonBorderColor = color;
    update();
}

void TsuiToolBar::SetButtonDownColor(TColor color)
{
    m_buttonDownColor = color;
    update();
}

void TsuiToolBar::DrawBar(TCanvas& canvas, bool& defaultDraw)
{
    if (Transparent())
        DoTrans(canvas, this);
    defaultDraw = true;
}

void TsuiToolBar::DrawButton(TCanvas& canvas, int index, TCustomDrawState state, bool& defaultDraw)
{
    const bool hot = (state & cdsHot) != 0;
    const bool selected = (state & cdsSelected) != 0;
    const bool checked = (state & cdsChecked) != 0;
    if (hot && selected)
        DrawDownButton(canvas, index);
    else if (hot || selected || checked)
        DrawHotButton(canvas, index);
    else
        return;
    defaultDraw = false;
}

void TsuiToolBar::DrawDownButton(TCanvas& canvas, int index)
{
    DrawFilledButton(canvas, index, m_buttonDownColor, 0);
}

void TsuiToolBar::DrawHotButton(TCanvas& canvas, int index)
{
    DrawFilledButton(canvas, index, m_buttonColor, 1);
}

void TsuiToolBar::DrawFilledButton(TCanvas& canvas, int index, TColor fill, int lift)
{
    const TToolButton* button = Button(index);
    if (button == nullptr)
        return;
    const TRect r = ButtonRect(index);
    canvas.Brush = {fill, bsSolid};
    canvas.Pen = TPen{m_buttonBorderColor, 1, psSolid};
    canvas.Rectangle(r);

    // Heights count from the bar's top, not the button's.
    const TImageList* list = HotImages() ? HotImages() : Images();
    canvas.Font = Font();
    canvas.Brush.Style = bsClear;
    const int textX = r.Left + (r.Width() - canvas.TextWidth(button->Caption)) / 2;
    if (list) {
        list->Draw(canvas, r.Left + (r.Width() - list->Width()) / 2 - lift, 3 - lift, button->ImageIndex);
        if (ShowCaptions())
            canvas.TextOut(textX, list->Height() + 4, button->Caption);
    } else if (ShowCaptions()) {
        canvas.TextOut(textX, 5 - lift, button->Caption);
    }
}
