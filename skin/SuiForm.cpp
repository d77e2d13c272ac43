#include "skin/SuiForm.h"

#include "framework/TCanvas.h"
#include "skin/Suipublic.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <stdexcept>

namespace {

// Refuses a second frame before this one builds anything.
QWidget* CheckSingle(QWidget* form, const QObject* self)
{
    if (form != nullptr)
        for (QObject* child : form->children())
            if (child != self && dynamic_cast<TsuiForm*>(child) != nullptr)
                throw std::runtime_error("Sorry, You can create only one TsuiForm component in one form!");
    return form;
}

} // namespace

TsuiForm::TsuiForm(QWidget* form) : TControl(form), m_form(CheckSingle(form, this))
{
    if (m_form != nullptr) {
        m_form->setMinimumSize(125, 50);
        if (m_form->isWindow()) {
            const bool shown = m_form->isVisible();
            m_form->setWindowFlag(Qt::FramelessWindowHint, true);
            if (shown)
                m_form->show();
        }
        m_form->installEventFilter(this);
    }
    m_titleBar = new TsuiTitleBar(this);
    m_menuBarColor = Color();
    SetUIStyle(DeepBlue);
    SetCaption(m_form ? m_form->windowTitle() : QString());
    // The frame's font is its title bar's: white bold Tahoma to begin with.
    SetFont(m_titleBar->Font());
    AlignSelf();
}

TsuiForm::~TsuiForm()
{
    if (m_cursorShown)
        QGuiApplication::restoreOverrideCursor();
}

void TsuiForm::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    if (style == Custom)
        return;
    m_borderColor = GetThemeColor(style, 2);
    m_borderWidth = GetThemeInt(style, 4);
    SetColor(GetThemeColor(style, 3));
    m_menuBarColor = Color();
    m_titleBar->SetUIStyle(style);
    if (m_autoUpdateSub) {
        SubContainerApplyUIStyle(this, style);
        ContainerApplyUIStyle(this, style);
    }
    AlignSelf();
    update();
}

void TsuiForm::SetBorderColor(TColor color)
{
    m_borderColor = color;
    AlignSelf();
}

void TsuiForm::SetBorderWidth(int width)
{
    m_borderWidth = std::max(width, 0);
    AlignSelf();
}

void TsuiForm::SetTitleBarVisible(bool value)
{
    m_titleBarVisible = value;
    m_titleBar->setVisible(value);
    m_titleBar->move(0, 0);
    AlignSelf();
}

void TsuiForm::AlignSelf()
{
    if (m_form == nullptr)
        return;
    const int b = m_borderWidth;
    const int top = m_titleBarVisible ? 0 : b;
    setGeometry(b, top, std::max(m_form->width() - 2 * b, 0), std::max(m_form->height() - b - top, 0));
    // Resize events of a hidden window wait until it is shown; place the bar now.
    m_titleBar->setGeometry(0, 0, width(), m_titleBar->height());
    m_form->update();
}

void TsuiForm::CaptionChanged()
{
    m_titleBar->SetCaption(Caption());
    if (m_form != nullptr)
        m_form->setWindowTitle(Caption());
}

void TsuiForm::FontChanged()
{
    if (m_titleBar != nullptr)
        m_titleBar->SetFont(Font());
}

void TsuiForm::Paint(TCanvas& canvas)
{
    if (m_uiStyle == MacOS || m_uiStyle == Protein) {
        const TBitmap& tile = SkinBitmap(m_uiStyle == MacOS ? QStringLiteral("MACOS_FORM_BACKGROUND")
                                                            : QStringLiteral("PROTEIN_FORM_BACKGROUND"));
        TileDraw(canvas, tile, ClientRect());
    }
    // Any other style keeps the Color() the canvas arrives filled with.
}

void TsuiForm::PaintFormBorder()
{
    const int b = m_borderWidth;
    if (b <= 0)
        return;
    const int cw = m_form->width();
    const int ch = m_form->height();
    const QColor color = ToQColor(ColorToRGB(m_borderColor));
    QPainter painter(m_form);
    painter.fillRect(QRect(0, 0, b, ch), color);
    painter.fillRect(QRect(0, ch - b, cw, b), color);
    painter.fillRect(QRect(cw - b, 0, b, ch), color);
    // A pen of width b along the top edge: half of it lies above the window.
    painter.fillRect(QRect(0, 0, cw, (b + 1) / 2), color);
}

bool TsuiForm::eventFilter(QObject* watched, QEvent* event)
{
    if (m_sizeable && SizingEvent(watched, event))
        return true;
    if (watched == m_form) {
        switch (event->type()) {
        case QEvent::Resize:
            AlignSelf();
            break;
        case QEvent::Paint:
            // Before the window's own painting, which a plain window does not do.
            PaintFormBorder();
            break;
        case QEvent::ActivationChange:
            m_titleBar->SetFormActive(m_form->isActiveWindow());
            break;
        default:
            break;
        }
    }
    return TControl::eventFilter(watched, event);
}

void TsuiForm::SetSizeable(bool value)
{
    if (value == m_sizeable)
        return;
    m_sizeable = value;
    // The zones lie over the panel and the controls near the edges, so the
    // mouse is watched for the whole application.
    if (value) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        ShowSizingCursor({});
    }
}

Qt::Edges TsuiForm::ResizeEdges(const QPoint& pos) const
{
    if (!m_sizeable || m_form == nullptr || m_form->isMaximized())
        return {};
    const int x = pos.x();
    const int y = pos.y();
    const int cw = m_form->width();
    const int ch = m_form->height();
    if (x < 0 || y < 0 || x >= cw || y >= ch)
        return {};
    if (x <= 4 && y <= 4)
        return Qt::TopEdge | Qt::LeftEdge;
    if (x > cw - 5 && y <= 4)
        return Qt::TopEdge | Qt::RightEdge;
    if (x > cw - 5 && y > ch - 5)
        return Qt::BottomEdge | Qt::RightEdge;
    if (x < 5 && y > ch - 5)
        return Qt::BottomEdge | Qt::LeftEdge;
    if (x <= 4)
        return Qt::LeftEdge;
    if (y <= 4)
        return Qt::TopEdge;
    if (x > cw - 5)
        return Qt::RightEdge;
    if (y > ch - 5)
        return Qt::BottomEdge;
    return {};
}

void TsuiForm::ShowSizingCursor(Qt::Edges edges)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge))
        shape = Qt::SizeFDiagCursor;
    else if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge))
        shape = Qt::SizeBDiagCursor;
    else if (edges == Qt::LeftEdge || edges == Qt::RightEdge)
        shape = Qt::SizeHorCursor;
    else if (edges == Qt::TopEdge || edges == Qt::BottomEdge)
        shape = Qt::SizeVerCursor;
    if (edges == Qt::Edges() && m_cursorShown) {
        QGuiApplication::restoreOverrideCursor();
        m_cursorShown = false;
    } else if (edges != Qt::Edges()) {
        if (m_cursorShown)
            QGuiApplication::changeOverrideCursor(shape);
        else
            QGuiApplication::setOverrideCursor(shape);
        m_cursorShown = true;
    }
}

bool TsuiForm::StartWindowResize(Qt::Edges edges, const QPoint& globalPos)
{
    if (QWindow* handle = m_form->windowHandle())
        if (handle->startSystemResize(edges))
            return true;
    // No window manager to resize us: follow the mouse ourselves.
    m_resizing = edges;
    m_resizeStart = globalPos;
    m_geometryStart = m_form->geometry();
    return false;
}

bool TsuiForm::SizingEvent(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != m_form)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();

    if (m_resizing != Qt::Edges()) {
        if (type == QEvent::MouseButtonRelease) {
            m_resizing = {};
            return true;
        }
        if (type != QEvent::MouseMove)
            return true;
        const QPoint d = global - m_resizeStart;
        const QSize least = m_form->minimumSize();
        QRect g = m_geometryStart;
        if (m_resizing & Qt::LeftEdge)
            g.setLeft(std::min(g.left() + d.x(), g.right() + 1 - least.width()));
        if (m_resizing & Qt::RightEdge)
            g.setRight(std::max(g.right() + d.x(), g.left() - 1 + least.width()));
        if (m_resizing & Qt::TopEdge)
            g.setTop(std::min(g.top() + d.y(), g.bottom() + 1 - least.height()));
        if (m_resizing & Qt::BottomEdge)
            g.setBottom(std::max(g.bottom() + d.y(), g.top() - 1 + least.height()));
        m_form->setGeometry(g);
        return true;
    }

    const Qt::Edges edges = ResizeEdges(m_form->mapFromGlobal(global));
    if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        ShowSizingCursor(edges);
        return false;
    }
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && edges != Qt::Edges()) {
        StartWindowResize(edges, global);
        return true;
    }
    return false;
}
