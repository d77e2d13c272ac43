#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"
#include "skin/Suithemes.h"

#include <QPointer>
#include <QString>

class QAction;
class QShortcut;
class QTimer;

enum TButtonLayout
{
    blGlyphLeft,
    blGlyphRight,
    blGlyphTop,
    blGlyphBottom
};

// Owner-drawn push button with three picture states (normal, mouse over,
// pressed), keyboard activation, a focus rectangle and a repeat timer while
// the left button is held. Subclasses choose the pictures (SetButtonPic) and
// may replace any of the painting steps.
class TsuiCustomButton : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "BiDiMode,Anchors,ParentColor,UIStyle,Font,PopupMenu,ShowHint,Caption,"
                             "AutoSize,ParentShowHint,ParentBiDiMode,ParentFont,OnEnter,OnExit")

public:
    explicit TsuiCustomButton(QWidget* parent = nullptr);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    // Paint the parent behind the picture.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);
    // Enter anywhere in the window clicks a Default button, Escape a Cancel one.
    bool Default() const { return m_default; }
    void SetDefault(bool value);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value);
    int MouseContinuouslyDownInterval() const { return m_repeatInterval; }
    void SetMouseContinuouslyDownInterval(int ms) { m_repeatInterval = ms; }
    // Set on the window (a TForm) when the button is clicked; mrNone by default.
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }
    // Where the state pictures are loaded from; 0 is the program's own bitmaps.
    TResHandle ResHandle() const { return m_resHandle; }
    virtual void SetResHandle(TResHandle module);
    // The action gives the caption, enabled and visible state, and runs on a
    // click when no OnClick is set.
    QAction* Action() const { return m_action; }
    void SetAction(QAction* action);

    // The current state, as painted.
    bool Pressed() const { return m_pressed; }
    bool MouseOver() const { return m_mouseOver; }

    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    void Paint(TCanvas& canvas) override;
    // Sets the window's modal result, then runs OnClick (or the action).
    void Click() override;
    // The action changed: take over its text and states.
    virtual void ActionChange();

    // Loads the state picture names for a style.
    virtual void SetButtonPic(TsuiUIStyle style) = 0;
    virtual void UIStyleChanged();
    virtual void AutoSizeChanged();
    virtual void TransparentChanged();

    virtual void SetPicNormal(const QString& name);
    virtual void SetPicMouseOn(const QString& name);
    virtual void SetPicMouseDown(const QString& name);
    QString PicNormalName() const { return m_picNormal; }
    QString PicMouseOnName() const { return m_picMouseOn; }
    QString PicMouseDownName() const { return m_picMouseDown; }

    // The state bitmap for each state, as loaded when its name was set; a
    // picture that does not load is a blank 74 x 21 bitmap.
    virtual TBitmap PaintButtonNormal();
    virtual TBitmap PaintButtonMouseOn();
    virtual TBitmap PaintButtonMouseDown();
    virtual TBitmap PaintButtonDisabled();
    virtual void PaintPic(TCanvas& canvas, const TBitmap& picture);
    virtual void PaintText(TCanvas& canvas, const QString& text);
    virtual void PaintFocus(TCanvas& canvas);

    bool PictureTransparent() const { return m_picTransparent; }
    void SetPictureTransparent(bool value) { m_picTransparent = value; }
    TBitmap LoadStatePicture(const QString& name) const;

    bool event(QEvent* event) override;
    void CaptionChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void StopRepeat();
    void Accelerate();
    void DialogKey(bool enter);

    TsuiUIStyle m_uiStyle = Custom;
    QString m_picNormal;
    QString m_picMouseOn;
    QString m_picMouseDown;
    TBitmap m_bmpNormal;
    TBitmap m_bmpMouseOn;
    TBitmap m_bmpMouseDown;
    TResHandle m_resHandle = 0;
    int m_modalResult = 0;
    QPointer<QAction> m_action;
    bool m_autoSize = false;
    bool m_transparent = false;
    bool m_picTransparent = false;
    bool m_tabStop = true;
    bool m_default = false;
    bool m_cancel = false;
    int m_repeatInterval = 100;
    bool m_mouseOver = false;
    bool m_pressed = false;
    QTimer* m_repeat;
    QShortcut* m_accelerator;
    QShortcut* m_enterKey = nullptr;
    QShortcut* m_escapeKey = nullptr;
};

// The push button of every window: the style's state bitmap stretched by
// nine-slice drawing to any size, with an optional glyph beside the caption.
class TsuiButton : public TsuiCustomButton
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Cancel,Default,Action,TabStop,TabOrder,Transparent,ModalResult,Glyph,"
                             "Layout,Spacing,ResHandle,PicNormalResName,PicMouseDownResName,"
                             "PicMouseOnResName,MouseContinuouslyDownInterval,OnClick,OnMouseMove,"
                             "OnMouseDown,OnMouseUp,OnKeyDown,OnKeyUp,OnKeyPress,OnMouseEnter,"
                             "OnMouseExit,OnMouseContinuouslyDown")

public:
    explicit TsuiButton(QWidget* parent = nullptr);

    // Setting a picture name switches the button to Custom; while a style is
    // set the names read as empty.
    QString PicNormalResName() const;
    QString PicMouseOnResName() const;
    QString PicMouseDownResName() const;
    void SetPicNormalResName(const QString& name);
    void SetPicMouseOnResName(const QString& name);
    void SetPicMouseDownResName(const QString& name);

    // A glyph twice as wide as high holds an enabled and a disabled image.
    const TBitmap& Glyph() const { return m_glyph; }
    void SetGlyph(const TBitmap& glyph);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);

protected:
    void SetButtonPic(TsuiUIStyle style) override;
    void UIStyleChanged() override;
    void PaintPic(TCanvas& canvas, const TBitmap& picture) override;
    void PaintText(TCanvas& canvas, const QString& text) override;
    void PaintFocus(TCanvas& canvas) override;
    // Also takes the action's icon as the glyph while there is none.
    void ActionChange() override;

private:
    TBitmap m_glyph;
    TButtonLayout m_layout = blGlyphLeft;
    int m_spacing = 4;
    TPoint m_captionPos;
};

// A button drawn from four pictures of its own; a state without a picture
// shows the normal one. The style is not used.
class TsuiImageButton : public TsuiCustomButton
{
    Q_OBJECT
    Q_CLASSINFO("Published", "PicNormal,PicMouseOn,PicMouseDown,PicDisabled,Stretch,Cancel,Default,"
                             "MouseContinuouslyDownInterval,Action,TabStop,TabOrder,Transparent,"
                             "ModalResult,OnClick,OnMouseMove,OnMouseDown,OnMouseUp,OnKeyDown,OnKeyUp,"
                             "OnKeyPress,OnMouseEnter,OnMouseExit,OnMouseContinuouslyDown")

public:
    explicit TsuiImageButton(QWidget* parent = nullptr);

    const TPicture& PicNormal() const { return m_picNormal; }
    const TPicture& PicMouseOn() const { return m_picMouseOn; }
    const TPicture& PicMouseDown() const { return m_picMouseDown; }
    const TPicture& PicDisabled() const { return m_picDisabled; }
    void SetPicNormal(const TPicture& picture);
    void SetPicMouseOn(const TPicture& picture);
    void SetPicMouseDown(const TPicture& picture);
    void SetPicDisabled(const TPicture& picture);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);

protected:
    void SetButtonPic(TsuiUIStyle) override {}
    void AutoSizeChanged() override;
    TBitmap PaintButtonNormal() override;
    TBitmap PaintButtonMouseOn() override;
    TBitmap PaintButtonMouseDown() override;
    TBitmap PaintButtonDisabled() override;
    void PaintPic(TCanvas& canvas, const TBitmap& picture) override;

private:
    void SetPicture(TPicture& slot, const TPicture& picture);
    TBitmap StateOrNormal(const TPicture& picture) const;

    TPicture m_picNormal;
    TPicture m_picMouseOn;
    TPicture m_picMouseDown;
    TPicture m_picDisabled;
    bool m_stretch = false;
};

// A small state picture at the left and the caption beside it; a click
// (mouse, Space, Enter or the accelerator) changes the state once.
class TsuiCustomButtonEx : public TsuiCustomButton
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Checked,Color,Transparent,TabStop,TabOrder,OnClick,OnDblClick,OnMouseMove,"
                             "OnMouseDown,OnMouseUp,OnKeyDown,OnKeyUp,OnKeyPress")

public:
    explicit TsuiCustomButtonEx(QWidget* parent = nullptr);

    bool Checked() const { return m_checked; }
    void SetChecked(bool value);

    // Size and place of the state picture; 0 without a style.
    virtual int GetPicWidth() const = 0;
    virtual int GetPicHeight() const = 0;
    // Where the caption goes: right of the picture, vertically centred.
    TRect CaptionArea() const;

protected:
    virtual void DoClick() {}
    virtual void CheckStateChanged() {}

    void Click() override;
    void UIStyleChanged() override;
    void AutoSizeChanged() override;
    void CaptionChanged() override;
    void FontChanged() override;
    void PaintPic(TCanvas& canvas, const TBitmap& picture) override;
    void PaintText(TCanvas& canvas, const QString& text) override;
    void PaintFocus(TCanvas& canvas) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_checked = false;
    bool m_sizing = false;
};

enum TCheckBoxState
{
    cbUnchecked,
    cbChecked,
    cbGrayed
};

// The skinned check box: the style's pictures for checked and unchecked in
// the normal, hover, pressed and disabled states.
class TsuiCheckBox : public TsuiCustomButtonEx
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TsuiCheckBox(QWidget* parent = nullptr);

    TCheckBoxState State() const { return Checked() ? cbChecked : cbUnchecked; }
    // Anything but cbChecked unchecks.
    void SetState(TCheckBoxState state) { SetChecked(state == cbChecked); }

    int GetPicWidth() const override { return m_picSize.width(); }
    int GetPicHeight() const override { return m_picSize.height(); }

protected:
    virtual const TsuiCheckElements& PictureElements() const { return kCheckBoxElements; }
    virtual void Toggle() {}

    void SetButtonPic(TsuiUIStyle style) override;
    void UIStyleChanged() override;
    void TransparentChanged() override;
    void CheckStateChanged() override;
    void EnabledChanged() override;
    void DoClick() override;

private:
    QSize m_picSize{0, 0};
};

// A check box that a click only ever checks; checking it unchecks the radio
// buttons of the same parent and GroupIndex.
class TsuiRadioButton : public TsuiCheckBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "GroupIndex")

public:
    explicit TsuiRadioButton(QWidget* parent = nullptr);

    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int index) { m_groupIndex = index; }

protected:
    const TsuiCheckElements& PictureElements() const override { return kRadioButtonElements; }
    void TransparentChanged() override;
    void CheckStateChanged() override;
    void DoClick() override;

private:
    int m_groupIndex = 0;
};
