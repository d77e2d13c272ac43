#pragma once

#include "controls/SnCommon.h"
#include "framework/TControl.h"

#include <QStringList>

class QAbstractScrollArea;
class QStyle;

// The frame shared by TSnMemo and TSnRichEdit: a control that holds its
// editor inset by 2 pixels and paints a 2-pixel frame around it. The outer
// ring shows the mouse-enter colour while the mouse is over the control or it
// has the focus, else the mouse-leave colour; the inner ring is the control's
// colour. With both scroll bars a button-face square covers their corner.
class TSnEditFrame : public TControl
{
    Q_OBJECT

public:
    TColor MouseEnterColor() const { return m_mouseEnterColor; }
    void SetMouseEnterColor(TColor value);
    TColor MouseLeaveColor() const { return m_mouseLeaveColor; }
    void SetMouseLeaveColor(TColor value);
    bool Hot() const { return m_hot; }

    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);

    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    QString Text() const { return EditorText(); }
    void SetText(const QString& text) { SetEditorText(text); }

    // True while the editor inside has the focus.
    bool Focused() const;
    QAbstractScrollArea* Editor() const { return m_editor; }

protected:
    explicit TSnEditFrame(QWidget* parent);

    // Takes the editor (a child of this control) and lays it out.
    void AttachEditor(QAbstractScrollArea* editor);

    virtual QString EditorText() const = 0;
    virtual void SetEditorText(const QString& text) = 0;
    virtual void ApplyWordWrap(bool wrap) = 0;
    virtual void ApplyReadOnly(bool readOnly) = 0;
    // Whether the corner square is painted for the current settings.
    virtual bool CornerSquareShown() const { return m_scrollBars == ssBoth; }

    void Paint(TCanvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void ColorChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    // The editor gained or lost the focus; the default paints the frame at once.
    virtual void FocusChanged() { repaint(); }
    void UpdateCorner();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyPalette();
    void LayoutChildren();

    TColor m_mouseEnterColor = RGB(123, 158, 189);
    TColor m_mouseLeaveColor = RGB(123, 158, 189);
    bool m_hot = false;
    TScrollStyle m_scrollBars = ssNone;
    bool m_wordWrap = true;
    bool m_readOnly = false;
    QAbstractScrollArea* m_editor = nullptr;
    QWidget* m_corner = nullptr;
    QStyle* m_scrollBarStyle = nullptr;
};
