#pragma once

#include "controls/SnCommon.h"
#include "framework/TControl.h"

// A label that paints its own caption, centred vertically, with an optional
// one-pixel border and an embossed look when disabled. With AutoSize on (the
// default) a change of caption, font, alignment or the sizing options fits
// the control to its text; a right-justified label keeps its right edge.
class TSnLabel : public TControl
{
    Q_OBJECT

public:
    explicit TSnLabel(QWidget* parent = nullptr);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool ShowBorder() const { return m_showBorder; }
    void SetShowBorder(bool value);
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor value);

    // These three only affect the automatic size; painting always centres
    // vertically, never wraps and always shows '&' as an accelerator.
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);

protected:
    void Paint(TCanvas& canvas) override;
    void CaptionChanged() override;
    void FontChanged() override;

private:
    void AdjustBounds();

    bool m_showBorder = false;
    TColor m_borderColor = RGB(0, 0, 196);
    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = true;
    bool m_transparent = false;
    TTextLayout m_layout = tlTop;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
};
