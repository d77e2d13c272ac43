#pragma once

#include "framework/TColor.h"
#include "framework/TFont.h"
#include "framework/TTypes.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

class TCanvas;

// Paints the control's parent (its background and its own picture, not its
// other children) into the canvas at the control's position, so that the
// control can draw over what would show through. Nothing without a parent.
void PaintParentBackground(TCanvas& canvas, const QWidget* control);

// The device pixels a buffer needs to hold `logical` pixels at `ratio`.
QSize DeviceSize(QSize logical, qreal ratio);
// An off-screen buffer for `logical` pixels at `ratio`: DeviceSize with that
// device pixel ratio set, so a canvas on it draws in logical pixels.
QImage DeviceImage(QSize logical, qreal ratio, QImage::Format format = kPaintFormat);

using TNotifyEvent = std::function<void(QObject* sender)>;

enum TMouseButton
{
    mbLeft,
    mbRight,
    mbMiddle
};

using TMouseEvent =
    std::function<void(QObject* sender, TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)>;

// Base of every self-painting control. It composes its picture off screen in
// Paint() and copies it to the screen in one transfer. Event handlers run
// guarded: an exception is shown by the error display and goes no further.
class TControl : public QWidget
{
    Q_OBJECT
    // Every control class names, next to its Q_OBJECT, the properties it
    // publishes beyond its bases (IsHasProperty reads them).
    Q_CLASSINFO("Published", "Name,Left,Top,Width,Height,Tag,Visible,Enabled,Hint")
    friend void PaintParentBackground(TCanvas& canvas, const QWidget* control);

public:
    explicit TControl(QWidget* parent = nullptr);

    TCaption Caption() const { return m_caption; }
    void SetCaption(const TCaption& caption);

    // With ParentColor the colour follows the parent control's (a plain
    // widget parent gives its background colour); setting a colour switches
    // ParentColor off.
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value);

    TFont Font() const;
    void SetFont(const TFont& font);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool value);
    // The font of the parent (a control or the window) has changed.
    void ParentFontChanged();

    // Virtual so that a control can keep an enabled flag of its own while its
    // window still takes input.
    virtual bool Enabled() const { return isEnabled(); }
    virtual void SetEnabled(bool value);
    // The control's own flag, whether or not its parent is showing.
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool value);

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int value) { move(value, y()); }
    void SetTop(int value) { move(x(), value); }
    void SetWidth(int value) { resize(value, height()); }
    void SetHeight(int value) { resize(width(), value); }
    void SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }
    TRect ClientRect() const { return Rect(0, 0, width(), height()); }

    bool MouseInControl() const { return m_mouseInside; }

    // The picture Paint() composes, at the control's size, in device pixels
    // of that ratio (with that device pixel ratio set).
    QImage PaintToImage(qreal ratio = 1);
    void Invalidate() { update(); }

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnChange;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    // Draws the whole control; the canvas starts filled with Color().
    virtual void Paint(TCanvas& canvas);

    virtual void Click();
    virtual void Changed();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);

    // Notifications after a property changed; the defaults repaint.
    virtual void CaptionChanged() { update(); }
    virtual void ColorChanged() { update(); }
    virtual void FontChanged() { update(); }
    virtual void EnabledChanged() { update(); }
    // The window moved to a screen of another pixel density.
    virtual void RatioChanged() {}

    // Raises an event under the guard.
    void Fire(const TNotifyEvent& event);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Fills the image with Color() and paints the control into it.
    void Compose(QImage& image);
    TControl* ParentControl() const;
    void NotifyChildrenColor();
    void NotifyChildrenFont();

    TCaption m_caption;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    TFont m_font;
    // Windows set one font and every control that sets none of its own shows it.
    bool m_parentFont = true;
    bool m_mouseInside = false;
    bool m_pressed = false;
};

// The framework's panel base: a self-painting control.
using TCustomPanel = TControl;
