#pragma once

#include "framework/TControl.h"
#include "skin/SuiCustomPanel.h"

#include <QPoint>
#include <functional>

class QTimer;
class TsuiButton;

// Scoped: the title bar's section alignment uses the same names.
enum class TsuiSideChannelAlign
{
    suiLeft,
    suiRight
};

enum TsuiSideChannelPopupMode
{
    suiMouseOn,
    suiMouseClick
};

using TCanResizeEvent = std::function<void(QObject* sender, int& newWidth, int& newHeight, bool& resize)>;

// The pin of the caption strip: a flat speed button that toggles. Up it
// shows no frame, under the pointer a raised one, down a sunken one with the
// glyph one pixel further right and down.
class TsuiSideChannelPin : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TsuiSideChannelPin(QWidget* parent = nullptr);

    bool Down() const { return m_down; }
    void SetDown(bool value);
    // A glyph of the program's skin bitmaps, its bottom-left colour left out.
    void SetGlyphName(const QString& name);
    QString GlyphName() const { return m_glyphName; }

    // Toggles and raises OnClick, as a click of the user does.
    void Click() override;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseEnter() override { update(); }
    void MouseLeave() override { update(); }

private:
    bool m_down = false;
    QString m_glyphName;
};

// A panel docked at the left or right edge of its parent. Collapsed, only the
// side bar shows; the pointer over the bar (or a click on it) opens it in
// steps to its full width with a caption strip and a pin. A half-second timer
// closes it again once the pointer has left it, unless it is pinned.
class TsuiSideChannel : public TCustomPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "SideBarColor,SideBarWidth,Caption,Alignment,Align,StayOn,Color,PopupMode,"
                             "QuickMove,OnResize,OnCanResize,OnPush,OnPop,Anchors,BiDiMode,Font,"
                             "ParentColor,ParentShowHint,ParentBiDiMode,ParentFont")

public:
    explicit TsuiSideChannel(QWidget* parent = nullptr);

    // The full (open) width; the panel's current width is width().
    int Width() const { return m_fullWidth; }
    void SetWidth(int value);

    TColor SideBarColor() const { return m_sideColor; }
    void SetSideColor(TColor color);
    // Also the collapsed width; setting it collapses the panel at once.
    int SideBarWidth() const;
    void SetSideWidth(int value);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment alignment);

    TsuiSideChannelAlign Align() const { return m_align; }
    void SetAlign(TsuiSideChannelAlign align);

    // Pinned open.
    bool StayOn() const { return m_stayOn; }
    void SetStayOn(bool value);

    TsuiSideChannelPopupMode PopupMode() const { return m_popupMode; }
    void SetPopupMode(TsuiSideChannelPopupMode mode) { m_popupMode = mode; }
    bool QuickMove() const { return m_quickMove; }
    void SetQuickMove(bool value) { m_quickMove = value; }

    // Opening and collapsing; both run to the end before they return, letting
    // pending events through between the steps.
    void Pop(bool quick = false);
    void Push(bool quick = false);

    // The close timer's check: collapses unless the pointer lies strictly
    // inside the panel.
    void CheckPointer();
    QTimer* CloseTimer() const { return m_timer; }
    bool Moving() const { return m_moving; }

    // The parts, for input and inspection.
    TsuiCustomPanel* SideBar() const { return m_sideBar; }
    TsuiCustomPanel* CaptionStrip() const { return m_captionStrip; }
    TsuiSideChannelPin* Pin() const { return m_pin; }
    TsuiButton* BarButton() const { return m_barButton; }

    // Where the pointer is, in screen coordinates; tests put it anywhere.
    std::function<QPoint()> PointerPos;

    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TNotifyEvent OnPush;
    TNotifyEvent OnPop;

protected:
    void FontChanged() override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool CanResize(int& newWidth, int& newHeight);
    // Moves to the width through the resize handling, and shows it at once.
    void StepTo(int width);
    void ApplyAlign();
    void PopupByMouse();
    void PopupByClick();
    void PinClick();
    bool Collapsed() const { return SideBarWidth() >= width(); }

    TsuiCustomPanel* m_sideBar;
    TsuiCustomPanel* m_captionStrip;
    TsuiSideChannelPin* m_pin;
    TsuiButton* m_barButton;
    QTimer* m_timer;
    QString m_caption;
    TColor m_sideColor = clBtnFace;
    TsuiSideChannelAlign m_align = TsuiSideChannelAlign::suiLeft;
    TsuiSideChannelPopupMode m_popupMode = suiMouseOn;
    int m_fullWidth = 185;
    bool m_stayOn = false;
    bool m_quickMove = false;
    bool m_moving = false;
    // Set while a refused size is put back.
    bool m_restoring = false;
};
