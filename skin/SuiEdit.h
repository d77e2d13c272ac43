#pragma once

#include "framework/TControl.h"
#include "skin/SuiScrollBar.h"

#include <QChar>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QScrollBar;
class TsuiEditStyle;
class TsuiNativeBarStyle;

// Single-line edit with the skin's frame: a native line edit inset by two
// pixels, and around it one pixel in BorderColor outside one pixel in the
// face colour. The focus passes straight to the inner edit, so the control
// takes part in tab order like any edit. It writes in its parent's font
// until it is given one of its own.
class TsuiEdit : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "BorderColor,Text,PasswordChar,MaxLength,ReadOnly,CharCase,AutoSelect,"
                             "AutoSize,HideSelection,OEMConvert,ImeMode,ImeName,Color,Font,Enabled,"
                             "TabOrder,TabStop,ParentColor,ParentFont,ParentCtl3D,ParentShowHint,"
                             "ParentBiDiMode,Anchors,Constraints,PopupMenu,ShowHint,Visible,OnChange,"
                             "OnClick,OnDblClick,OnEnter,OnExit,OnKeyDown,OnKeyPress,OnKeyUp,OnMouseDown,"
                             "OnMouseMove,OnMouseUp,OnDragDrop,OnDragOver,OnEndDock,OnEndDrag,"
                             "OnStartDock,OnStartDrag")

public:
    explicit TsuiEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

    // QChar() shows the text as typed; any other character masks every
    // typed character with it.
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar mask);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);

    int MaxLength() const;
    void SetMaxLength(int length);
    bool ReadOnly() const;
    void SetReadOnly(bool value);

    // The inner edit, for selection, cursor and simulated typing.
    QLineEdit* LineEdit() const { return m_edit; }

protected:
    void Paint(TCanvas& canvas) override;
    void ColorChanged() override;
    void FontChanged() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TCustomEdit* m_edit;
    TsuiEditStyle* m_style;
    QChar m_passwordChar;
    TColor m_borderColor = clBlack;
};

// Multi-line edit with the edit's frame. Up to two skinned scroll bars placed
// beside it on the same parent can be linked: each lies over the memo's
// native bar on that side and follows it both ways (native scrolling moves
// the slider; moving the slider scrolls the text).
class TsuiMemo : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "BorderColor,VScrollBar,HScrollBar,Lines,Alignment,ScrollBars,WordWrap,"
                             "WantReturns,WantTabs,MaxLength,ReadOnly,ImeMode,ImeName,Color,Font,Enabled,"
                             "TabOrder,TabStop,ParentColor,ParentFont,ParentCtl3D,ParentShowHint,"
                             "ParentBiDiMode,Anchors,Constraints,PopupMenu,ShowHint,Visible,OnChange,"
                             "OnClick,OnDblClick,OnEnter,OnExit,OnKeyDown,OnKeyPress,OnKeyUp,OnMouseDown,"
                             "OnMouseMove,OnMouseUp,OnDragDrop,OnDragOver,OnEndDock,OnEndDrag,"
                             "OnStartDock,OnStartDrag")

public:
    explicit TsuiMemo(QWidget* parent = nullptr);
    ~TsuiMemo() override;

    QString Text() const;
    void SetText(const QString& text);
    QStringList Lines() const;
    void SetLines(const QStringList& lines);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    // The native bars; linking skinned bars sets it.
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle style);

    // Weak links: the bars belong to the form and may go away at any time.
    TsuiScrollBar* VScrollBar() const { return m_vScrollBar; }
    TsuiScrollBar* HScrollBar() const { return m_hScrollBar; }
    void SetVScrollBar(TsuiScrollBar* bar);
    void SetHScrollBar(TsuiScrollBar* bar);

    // The inner edit, for typing, selection and the native bars.
    QPlainTextEdit* Edit() const { return m_edit; }

    // Native scroll state to the linked bars.
    void UpdateScrollBars();
    // Places the linked bars over the native ones, in the parent's coordinates.
    void UpdateScrollBarsPos();

protected:
    void Paint(TCanvas& canvas) override;
    void ColorChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void UpdateInnerScrollBars();
    void FitNativeBars();
    void UpdateBar(TsuiScrollBar* bar, QScrollBar* native);
    void ReleaseBar(TsuiScrollBar* bar);
    void OnScrollBarChange(TsuiScrollBar* bar, QScrollBar* native);

    TCustomMemo* m_edit;
    TsuiNativeBarStyle* m_barStyle;
    // Set while the native state is copied to the bars, so that their change
    // events do not scroll the memo back.
    bool m_synchronising = false;
    TColor m_borderColor = clBlack;
    TScrollStyle m_scrollBars = ssNone;
    QPointer<TsuiScrollBar> m_vScrollBar;
    QPointer<TsuiScrollBar> m_hScrollBar;
};
