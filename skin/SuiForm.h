#pragma once

#include "framework/TControl.h"
#include "skin/SuiStyleRules.h"
#include "skin/SuiTitleBar.h"
#include "skin/Suithemes.h"

// The skinned frame of a window. Created with the window as parent, it makes
// the window frameless, covers it but for a frame of BorderWidth pixels in
// BorderColor (no top band while the title bar shows), owns the title bar at
// its top and carries the window's controls, placed relative to its own
// top-left. One per window: a second one throws.
class TsuiForm : public TControl, public TsuiStyledForm
{
    Q_OBJECT

public:
    explicit TsuiForm(QWidget* form);
    ~TsuiForm() override;

    QWidget* Form() const { return m_form; }
    TsuiTitleBar* TitleBar() const { return m_titleBar; }

    // Frame colour and width, face colour and the title bar's look; with
    // UIStyleAutoUpdateSub the children follow too.
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    bool UIStyleAutoUpdateSub() const { return m_autoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool value) { m_autoUpdateSub = value; }

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    bool TitleBarVisible() const { return m_titleBarVisible; }
    void SetTitleBarVisible(bool value);

    // The bar that stands in for a menu, once a menu is attached.
    TColor MenuBarColor() const { return m_menuBarColor; }
    void SetMenuBarColor(TColor color) { m_menuBarColor = color; }
    int MenuBarHeight() const { return m_menuBarHeight; }
    void SetMenuBarHeight(int height) { m_menuBarHeight = height; }

    TsuiTitleBarButtons& TitleBarButtons() { return m_titleBar->Buttons(); }
    TsuiTitleBarSections& TitleBarSections() { return m_titleBar->Sections(); }
    bool TitleBarDrawAppIcon() const { return m_titleBar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool value) { m_titleBar->SetDrawAppIcon(value); }

    // A sizeable window resizes from zones 5 pixels deep along its edges
    // (corners 5 x 5 move two edges); a fixed one, the default, does not.
    bool Sizeable() const { return m_sizeable; }
    void SetSizeable(bool value);
    // The edges a press at this point of the window would move; none while
    // the window is fixed or maximised.
    Qt::Edges ResizeEdges(const QPoint& pos) const;

    // Lays the panel over the window's client area inside the frame.
    void AlignSelf();

    TsuiUIStyle FormUIStyle() const override { return m_uiStyle; }
    TColor FormColor() const override { return Color(); }

protected:
    void Paint(TCanvas& canvas) override;
    // The caption goes to the title bar and the window; the font is the title bar's.
    void CaptionChanged() override;
    void FontChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The frame bands, drawn on the window around the panel.
    virtual void PaintFormBorder();
    // Starts resizing the window; true when the platform took over.
    virtual bool StartWindowResize(Qt::Edges edges, const QPoint& globalPos);

private:
    bool SizingEvent(QObject* watched, QEvent* event);
    void ShowSizingCursor(Qt::Edges edges);

    QWidget* m_form;
    TsuiTitleBar* m_titleBar = nullptr;
    TsuiUIStyle m_uiStyle = Custom;
    bool m_autoUpdateSub = false;
    TColor m_borderColor = clBlack;
    int m_borderWidth = 1;
    bool m_titleBarVisible = true;
    TColor m_menuBarColor = clBtnFace;
    int m_menuBarHeight = 22;

    bool m_sizeable = false;
    bool m_cursorShown = false;
    Qt::Edges m_resizing;
    QPoint m_resizeStart;
    QRect m_geometryStart;
};
