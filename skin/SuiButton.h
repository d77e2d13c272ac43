#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"
#include "skin/Suithemes.h"

#include <QString>

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

    // The current state, as painted.
    bool Pressed() const { return m_pressed; }
    bool MouseOver() const { return m_mouseOver; }

    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    void Paint(TCanvas& canvas) override;

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

    // The state bitmap for each state, loaded when its name is set; a picture
    // that does not load is a blank 74 x 21 bitmap.
    virtual TBitmap PaintButtonNormal();
    virtual TBitmap PaintButtonMouseOn();
    virtual TBitmap PaintButtonMouseDown();
    virtual TBitmap PaintButtonDisabled();
    virtual void PaintPic(TCanvas& canvas, const TBitmap& picture);
    virtual void PaintText(TCanvas& canvas, const QString& text);
    virtual void PaintFocus(TCanvas& canvas);

    bool PictureTransparent() const { return m_picTransparent; }
    void SetPictureTransparent(bool value) { m_picTransparent = value; }
    static const TBitmap& LoadStatePicture(const QString& name);

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

private:
    TBitmap m_glyph;
    TButtonLayout m_layout = blGlyphLeft;
    int m_spacing = 4;
    TPoint m_captionPos;
};
