#pragma once

#include "framework/TControl.h"
#include "skin/SuiScrollBar.h"

#include <QChar>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <algorithm>

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

    // Typed and set text is upper- or lower-cased; setting it cases the text there is.
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase value);
    // Gaining the focus other than by a click selects the whole text.
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }
    // False keeps the selection, and shows it, while the edit has no focus.
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value) { m_hideSelection = value; }
    // Characters the ANSI (GBK) code page cannot hold become "?".
    bool OEMConvert() const { return m_oemConvert; }
    void SetOEMConvert(bool value);
    // imDisable turns input methods off for the edit; the Latin modes ask
    // for Latin input. Qt cannot choose an input method by name: ImeName is
    // kept for the form's description only.
    TImeMode ImeMode() const { return m_imeMode; }
    void SetImeMode(TImeMode mode);
    QString ImeName() const { return m_imeName; }
    void SetImeName(const QString& name) { m_imeName = name; }

    // The inner edit, for selection, cursor and simulated typing.
    QLineEdit* LineEdit() const { return m_edit; }

protected:
    void Paint(TCanvas& canvas) override;
    void ColorChanged() override;
    void FontChanged() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Cases and converts the text as the properties say; true when it changed.
    bool ConvertText();

    TCustomEdit* m_edit;
    TsuiEditStyle* m_style;
    QChar m_passwordChar;
    TColor m_borderColor = clBlack;
    TEditCharCase m_charCase = ecNormal;
    bool m_autoSelect = true;
    bool m_hideSelection = true;
    bool m_oemConvert = false;
    TImeMode m_imeMode = imDontCare;
    QString m_imeName;
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
    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter for every line.
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);
    // False passes Enter on to the window (a default button) instead of
    // starting a line.
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool value) { m_wantReturns = value; }
    // False, the default, lets Tab move the focus instead of typing a tab.
    bool WantTabs() const;
    void SetWantTabs(bool value);
    // The most characters the user can type or paste; 0 for no limit. Text
    // set by the program is not cut.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length) { m_maxLength = std::max(length, 0); }
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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LimitTyping();
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
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_wantReturns = true;
    int m_maxLength = 0;
    bool m_settingText = false;
    // Where the last edit put its characters: the ones MaxLength cuts.
    int m_lastEditEnd = 0;
    int m_lastEditAdded = 0;
};
