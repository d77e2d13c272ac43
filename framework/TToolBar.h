#pragma once

#include "framework/TControl.h"
#include "framework/TImageList.h"

#include <QString>
#include <functional>
#include <vector>

class TCanvas;

enum TToolButtonStyle
{
    tbsButton,
    tbsCheck,
    tbsSeparator
};

// One button of a tool bar. The bar lays its buttons out and draws them.
struct TToolButton
{
    QString Caption;
    int ImageIndex = -1;
    TToolButtonStyle Style = tbsButton;
    // The checked state of a tbsCheck button.
    bool Down = false;
    bool Enabled = true;
    TNotifyEvent OnClick;
};

// What a custom-draw handler is told about a button.
enum TCustomDrawStateItem : unsigned
{
    cdsSelected = 0x01, // pressed with the pointer over it
    cdsDisabled = 0x04,
    cdsChecked = 0x08,
    cdsHot = 0x40, // under the pointer
};
using TCustomDrawState = unsigned;

enum TEdgeStyle
{
    esNone,
    esRaised,
    esLowered
};

class TToolBar;
// The handler draws what it wants and clears defaultDraw to keep the bar's
// own drawing out.
using TToolBarCustomDrawEvent =
    std::function<void(TToolBar* sender, TCanvas& canvas, const TRect& rect, bool& defaultDraw)>;
using TToolBarCustomDrawButtonEvent = std::function<void(TToolBar* sender, TCanvas& canvas, int index,
                                                         TCustomDrawState state, bool& defaultDraw)>;

// A row of flat buttons with images from an image list and optional
// captions under them. Buttons are as wide as the widest caption needs and
// start at the bar's top (below its top edge while edges are drawn).
class TToolBar : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Align,Anchors,ButtonHeight,ButtonWidth,Color,EdgeInner,EdgeOuter,Flat,"
                             "HotImages,Images,ShowCaptions,Transparent,OnClick,OnCustomDraw,"
                             "OnCustomDrawButton")

public:
    explicit TToolBar(QWidget* parent = nullptr);

    int AddButton(const QString& caption, int imageIndex = -1, TToolButtonStyle style = tbsButton);
    int ButtonCount() const { return int(m_buttons.size()); }
    // Out of range yields a null pointer.
    TToolButton* Button(int index);
    const TToolButton* Button(int index) const;
    // The button's bounds within the bar.
    TRect ButtonRect(int index) const;
    // The button at a point of the bar, -1 for none (separators count as none).
    int ButtonAt(int x, int y) const;
    // Repaint after a button's fields were changed.
    void ButtonsChanged();

    // Not owned; the list must outlive the bar or be unset first.
    const TImageList* Images() const { return m_images; }
    void SetImages(const TImageList* images);
    const TImageList* HotImages() const { return m_hotImages; }
    void SetHotImages(const TImageList* images);

    bool ShowCaptions() const { return m_showCaptions; }
    void SetShowCaptions(bool value);
    int ButtonWidth() const { return m_buttonWidth; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return m_buttonHeight; }
    void SetButtonHeight(int value);
    bool Flat() const { return m_flat; }
    void SetFlat(bool value);
    // Read by the bar's background handler; the bar itself fills with Color.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    // The etched line along the top; none when both edges are esNone.
    TEdgeStyle EdgeInner() const { return m_edgeInner; }
    void SetEdgeInner(TEdgeStyle edge);
    TEdgeStyle EdgeOuter() const { return m_edgeOuter; }
    void SetEdgeOuter(TEdgeStyle edge);

    // The button under the pointer and the one held down, -1 for none.
    int HotIndex() const { return m_hot; }
    int PressedIndex() const { return m_pressed; }
    TCustomDrawState ButtonState(int index) const;

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

    // The bar's own drawing of a button in a state.
    void DefaultDrawButton(TCanvas& canvas, int index, TCustomDrawState state);

protected:
    void Paint(TCanvas& canvas) override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void FontChanged() override { update(); }

private:
    int EdgeHeight() const;
    int CellWidth() const;
    int CellHeight() const;

    std::vector<TToolButton> m_buttons;
    const TImageList* m_images = nullptr;
    const TImageList* m_hotImages = nullptr;
    bool m_showCaptions = false;
    int m_buttonWidth = 23;
    int m_buttonHeight = 22;
    bool m_flat = false;
    bool m_transparent = false;
    TEdgeStyle m_edgeInner = esRaised;
    TEdgeStyle m_edgeOuter = esLowered;
    int m_hot = -1;
    int m_pressed = -1;
};
