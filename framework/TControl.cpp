#include "framework/TControl.h"

#include "framework/TAccessible.h"
#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "framework/TForm.h"

#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <utility>

namespace {

TMouseButton ToMouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

} // namespace

void PaintParentBackground(TCanvas& canvas, const QWidget* control)
{
    if (control == nullptr || control->parentWidget() == nullptr)
        return;
    QWidget* parent = control->parentWidget();
    // Only the pixels under the control are painted: the parent's own paint,
    // clipped, or Qt's rendering of that part of a plain widget.
    const TCanvasView view(canvas, control->x(), control->y(), parent->width(), parent->height());
    if (view.Bounds().isEmpty())
        return;
    if (auto* face = qobject_cast<TControl*>(parent)) {
        canvas.Pen = TPen{};
        canvas.Brush = {face->Color(), bsSolid};
        canvas.Font = face->Font();
        canvas.Painter().fillRect(view.Bounds(), ToQColor(face->Color()));
        face->Paint(canvas);
        return;
    }
    // Without DrawChildren: this control and its siblings stay out.
    parent->render(&canvas.Painter(), view.Bounds().topLeft(), QRegion(view.Bounds()),
                   QWidget::DrawWindowBackground);
}

TControl::TControl(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    // We paint every pixel ourselves from the off-screen picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TControl* TControl::ParentControl() const
{
    return qobject_cast<TControl*>(parentWidget());
}

void TControl::SetCaption(const TCaption& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    CaptionChanged();
    AnnounceNameChange(this);
}

TColor TControl::Color() const
{
    if (m_parentColor) {
        if (const TControl* parent = ParentControl())
            return parent->Color();
        if (const QWidget* parent = parentWidget())
            return FromQColor(parent->palette().color(parent->backgroundRole()));
    }
    return m_color;
}

void TControl::SetColor(TColor color)
{
    const bool changed = color != Color();
    m_color = color;
    m_parentColor = false;
    if (changed) {
        ColorChanged();
        NotifyChildrenColor();
    }
}

void TControl::SetParentColor(bool value)
{
    if (value == m_parentColor)
        return;
    const TColor before = Color();
    m_parentColor = value;
    if (Color() != before) {
        ColorChanged();
        NotifyChildrenColor();
    }
}

void TControl::NotifyChildrenColor()
{
    for (QObject* child : children()) {
        auto* control = qobject_cast<TControl*>(child);
        if (control && control->m_parentColor) {
            control->ColorChanged();
            control->NotifyChildrenColor();
        }
    }
}

TFont TControl::Font() const
{
    if (m_parentFont) {
        if (const TControl* parent = ParentControl())
            return parent->Font();
        if (const auto* form = qobject_cast<const TForm*>(parentWidget()))
            return form->Font();
    }
    // Built before it is copied, so that every copy shares the one QFont and
    // the widths it has measured instead of building its own on each paint.
    m_font.ToQFont();
    return m_font;
}

void TControl::SetFont(const TFont& font)
{
    const bool changed = !(font == Font());
    m_font = font;
    m_parentFont = false;
    if (changed) {
        FontChanged();
        NotifyChildrenFont();
    }
}

void TControl::SetParentFont(bool value)
{
    if (value == m_parentFont)
        return;
    const TFont before = Font();
    m_parentFont = value;
    if (!(Font() == before)) {
        FontChanged();
        NotifyChildrenFont();
    }
}

void TControl::ParentFontChanged()
{
    if (!m_parentFont)
        return;
    FontChanged();
    NotifyChildrenFont();
}

void TControl::NotifyChildrenFont()
{
    for (QObject* child : children()) {
        auto* control = qobject_cast<TControl*>(child);
        if (control && control->m_parentFont) {
            control->FontChanged();
            control->NotifyChildrenFont();
        }
    }
}

void TControl::SetEnabled(bool value)
{
    setEnabled(value);
}

void TControl::SetVisible(bool value)
{
    setVisible(value);
}

QImage TControl::PaintToImage(qreal ratio)
{
    QImage image = DeviceImage(size(), ratio);
    Compose(image);
    return image;
}

void TControl::Compose(QImage& image)
{
    if (image.isNull())
        return;
    image.fill(ToQColor(Color()));
    TCanvas canvas(image);
    canvas.Font = Font();
    canvas.Brush.Color = Color();
    Paint(canvas);
}

void TControl::Paint(TCanvas& canvas)
{
    Q_UNUSED(canvas);
}

void TControl::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    const QSize device = DeviceSize(size(), ratio);
    const int w = device.width();
    const int h = device.height();
    if (w == 0 || h == 0)
        return;
    // Controls paint one after another on the one GUI thread, so one buffer,
    // grown to the largest control, serves them all: a repaint allocates
    // nothing. A paint inside a paint (a plain parent rendered behind a
    // control) gets a buffer of its own.
    static QImage shared;
    static bool sharedInUse = false;
    QImage own;
    QImage* buffer = &own;
    if (!sharedInUse) {
        if (shared.width() < w || shared.height() < h)
            shared = QImage(std::max(w, shared.width()), std::max(h, shared.height()), kPaintFormat);
        buffer = &shared;
    } else {
        own = QImage(w, h, kPaintFormat);
    }
    QImage image(buffer->bits(), w, h, buffer->bytesPerLine(), kPaintFormat);
    image.setDevicePixelRatio(ratio);
    const bool wasInUse = std::exchange(sharedInUse, true);
    RunGuarded([&] { Compose(image); });
    sharedInUse = wasInUse;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image);
}

QSize DeviceSize(QSize logical, qreal ratio)
{
    auto device = [ratio](int extent) { return extent > 0 ? int(std::ceil(extent * ratio - 1e-6)) : 0; };
    return {device(logical.width()), device(logical.height())};
}

QImage DeviceImage(QSize logical, qreal ratio, QImage::Format format)
{
    QImage image(DeviceSize(logical, ratio), format);
    image.setDevicePixelRatio(ratio);
    return image;
}

void TControl::Fire(const TNotifyEvent& event)
{
    if (event)
        RunGuarded([&] { event(this); });
}

void TControl::Click()
{
    Fire(OnClick);
}

void TControl::Changed()
{
    Fire(OnChange);
}

void TControl::MouseEnter()
{
    Fire(OnMouseEnter);
}

void TControl::MouseLeave()
{
    Fire(OnMouseLeave);
}

void TControl::MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (OnMouseDown)
        RunGuarded([&] { OnMouseDown(this, button, shift, x, y); });
}

void TControl::MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (OnMouseUp)
        RunGuarded([&] { OnMouseUp(this, button, shift, x, y); });
}

void TControl::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    if (OnMouseMove)
        RunGuarded([&] { OnMouseMove(this, shift, x, y); });
}

void TControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (m_mouseInside)
        return;
    m_mouseInside = true;
    MouseEnter();
}

void TControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_mouseInside)
        return;
    m_mouseInside = false;
    MouseLeave();
}

void TControl::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    MouseDown(ToMouseButton(event->button()), event->modifiers(), p.x(), p.y());
}

void TControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const bool wasPressed = m_pressed && event->button() == Qt::LeftButton;
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    MouseUp(ToMouseButton(event->button()), event->modifiers(), p.x(), p.y());
    // A click is a left press and release both on the control.
    if (wasPressed && rect().contains(p))
        Click();
}

void TControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseMove(event->modifiers(), p.x(), p.y());
}

bool TControl::event(QEvent* event)
{
    // On a screen of another pixel density the picture is composed again at
    // its ratio; pictures kept at device size are dropped first.
    if (event->type() == QEvent::ScreenChangeInternal) {
        RatioChanged();
        update();
    }
    return QWidget::event(event);
}

void TControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        EnabledChanged();
    else if (event->type() == QEvent::ParentChange) {
        if (m_parentColor)
            ColorChanged();
        if (m_parentFont)
            FontChanged();
    }
}
