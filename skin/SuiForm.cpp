#include "skin/SuiForm.h"

#include "framework/TCanvas.h"
#include "skin/Suipublic.h"

#include <QEvent>
#include <QPainter>
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
    m_titleBar->SetFont(Font());
    AlignSelf();
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
        const TBitmap tile = LoadSkinBitmap(m_uiStyle == MacOS ? QStringLiteral("MACOS_FORM_BACKGROUND")
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
