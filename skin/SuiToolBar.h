#pragma once

#include "framework/TToolBar.h"
#include "skin/Suithemes.h"

// The tool bar with flat buttons in the look's tool-bar colours: a hot,
// pressed or checked button is a filled, framed rectangle with its image and
// caption centred; the bar draws every other button itself.
class TsuiToolBar : public TToolBar
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,ButtonColor,ButtonBorderColor,ButtonDownColor")

public:
    explicit TsuiToolBar(QWidget* parent = nullptr);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // Custom keeps the current colours.
    void SetUIStyle(TsuiUIStyle style);

    TColor ButtonColor() const { return m_buttonColor; }
    void SetButtonColor(TColor color);
    TColor ButtonBorderColor() const { return m_buttonBorderColor; }
    void SetButtonBorderColor(TColor color);
    TColor ButtonDownColor() const { return m_buttonDownColor; }
    void SetButtonDownColor(TColor color);

    // The bar's background and button handlers.
    void DrawBar(TCanvas& canvas, bool& defaultDraw);
    void DrawButton(TCanvas& canvas, int index, TCustomDrawState state, bool& defaultDraw);

protected:
    void DrawHotButton(TCanvas& canvas, int index);
    void DrawDownButton(TCanvas& canvas, int index);

private:
    // Fill, frame, image and caption; the image sits `lift` pixels up and
    // to the left of the pressed place.
    void DrawFilledButton(TCanvas& canvas, int index, TColor fill, int lift);

    TsuiUIStyle m_uiStyle = Custom;
    TColor m_buttonColor = clBtnFace;
    TColor m_buttonBorderColor = clBtnShadow;
    TColor m_buttonDownColor = clBtnShadow;
};
