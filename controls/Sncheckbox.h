#pragma once

#include "controls/SnCommon.h"
#include "framework/TBitmap.h"
#include "framework/TControl.h"

#include <cstdint>

// A check box that paints its own 13 x 13 gradient box, a green tick when
// checked and its caption beside the box. It keeps its own enabled flag: the
// widget itself stays enabled, so it still receives the mouse and the focus,
// and only the control's handlers ignore input while the flag is off.
class TSnCheckBox : public TControl
{
    Q_OBJECT

public:
    static constexpr int BoxSize = 13;

    // Hover, press and focus state, as bits of one byte.
    static constexpr std::uint8_t StateMouseOver = 1;
    static constexpr std::uint8_t StateMouseOut = 2;
    static constexpr std::uint8_t StatePressed = 4;
    static constexpr std::uint8_t StateInitial = 16;
    static constexpr std::uint8_t StateFocused = 32;

    explicit TSnCheckBox(QWidget* parent = nullptr);

    bool Checked() const { return m_checked; }
    // Repaints; raises no OnClick.
    void SetChecked(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);

    // The control's own flag; hides TControl's, which would disable the widget.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);

    std::uint8_t State() const { return m_state; }

    // The stored box images: normal, mouse-over and pressed.
    const TBitmap& NormalImage() const { return m_normalImage; }
    const TBitmap& HotImage() const { return m_hotImage; }
    const TBitmap& PressedImage() const { return m_pressedImage; }

protected:
    void Paint(TCanvas& canvas) override;

    // Only the left-button release raises OnClick (from MouseUp); the click the
    // base class derives from a press and release does nothing here.
    void Click() override {}
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers, int, int) override {}
    void CaptionChanged() override;

    // Renders one box image: 30 colour bands from start to end, then the frame.
    virtual void CreateGradientRect(int width, int height, TColor startColor, TColor endColor,
                                    TBitmap& image);
    // Applies auto size and rebuilds the three box images.
    virtual void Resized();

    void DrawCheckMark(TCanvas& canvas, int x, int y);
    void DrawParentImage(TCanvas& canvas);

    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const TBitmap& BoxImage() const;
    // Tells screen readers that the tick changed.
    void AnnounceChecked();

    bool m_checked = false;
    bool m_transparent = false;
    bool m_enabled = true;
    bool m_autoSize = false;
    TAlignment m_alignment = taRightJustify;
    std::uint8_t m_state = StateInitial;
    TBitmap m_normalImage;
    TBitmap m_pressedImage;
    TBitmap m_hotImage;
    bool m_inResized = false;
};
