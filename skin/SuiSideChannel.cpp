#include "skin/SuiSideChannel.h"

#include "framework/TCanvas.h"
#include "skin/SuiButton.h"
#include "skin/Suipublic.h"

#include <QCoreApplication>
#include <QCursor>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kStep = 15;
constexpr int kStripHeight = 16;
constexpr int kPinWidth = 20;
constexpr int kMinOpenWidth = 50;

const QString kGlyphOnTop = QStringLiteral("SIDECHANNEL_BTN_ONTOP");
const QString kGlyphNoOnTop = QStringLiteral("SIDECHANNEL_BTN_NOONTOP");

} // namespace

// --- pin ---------------------------------------------------------------------

TsuiSideChannelPin::TsuiSideChannelPin(QWidget* parent) : TControl(parent)
{
    SetParentColor(true);
    resize(kPinWidth, kStripHeight);
}

void TsuiSideChannelPin::SetDown(bool value)
{
    m_down = value;
    update();
}

void TsuiSideChannelPin::SetGlyphName(const QString& name)
{
    m_glyphName = name;
    update();
}

void TsuiSideChannelPin::Click()
{
    SetDown(!m_down);
    TControl::Click();
}

void TsuiSideChannelPin::Paint(TCanvas& canvas)
{
    const TRect r = ClientRect();
    if (m_down || MouseInControl())
        canvas.DrawButtonEdge(r, m_down);
    TBitmap glyph = SkinBitmap(m_glyphName);
    if (glyph.Empty())
        return;
    glyph.SetTransparent(true);
    const int offset = m_down ? 1 : 0;
    canvas.Draw((r.Width() - glyph.Width()) / 2 + offset, (r.Height() - glyph.Height()) / 2 + offset, glyph);
}

// --- side channel ------------------------------------------------------------

TsuiSideChannel::TsuiSideChannel(QWidget* parent)
    : TControl(parent), m_sideBar(new TsuiCustomPanel(this)), m_captionStrip(new TsuiCustomPanel(this)),
      m_pin(new TsuiSideChannelPin(m_captionStrip)), m_barButton(new TsuiButton(m_sideBar)),
      m_timer(new QTimer(this))
{
    PointerPos = [] { return QCursor::pos(); };

    m_sideBar->resize(10, 0);
    m_sideBar->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, int, int) { PopupByMouse(); };
    m_sideBar->OnClick = [this](QObject*) { PopupByClick(); };

    m_captionStrip->SetAlignment(Qt::AlignHCenter);
    m_captionStrip->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, int, int) { PopupByMouse(); };

    m_pin->SetGlyphName(kGlyphNoOnTop);
    m_pin->OnClick = [this](QObject*) { PinClick(); };

    m_barButton->SetPicNormalResName(QStringLiteral("SIDECHANNEL_BAR_NORMAL"));
    m_barButton->SetPicMouseOnResName(QStringLiteral("SIDECHANNEL_BAR_MOUSEON"));
    m_barButton->SetPicMouseDownResName(QStringLiteral("SIDECHANNEL_BAR_MOUSEON"));
    m_barButton->SetTabStop(false);
    m_barButton->SetAutoSize(true);
    m_barButton->move(0, 0);
    m_barButton->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, int, int) { PopupByMouse(); };
    m_barButton->OnClick = [this](QObject*) { PopupByClick(); };

    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &TsuiSideChannel::CheckPointer);

    if (parent)
        parent->installEventFilter(this);

    SetSideColor(clBtnFace);
    SetColor(GetSUIFormColor(parent ? parent->window() : nullptr));
    SetSideColor(Color());
    resize(m_fullWidth, parent ? parent->height() : 300);
    Push(true);
}

void TsuiSideChannel::SetWidth(int value)
{
    m_fullWidth = value;
}

void TsuiSideChannel::SetSideColor(TColor color)
{
    m_sideColor = color;
    m_sideBar->SetColor(color);
    m_captionStrip->SetColor(color);
}

int TsuiSideChannel::SideBarWidth() const
{
    return m_sideBar->width();
}

void TsuiSideChannel::SetSideWidth(int value)
{
    m_sideBar->resize(std::max(value, 0), m_sideBar->height());
    Push(true);
}

void TsuiSideChannel::SetCaption(const QString& caption)
{
    m_caption = caption;
    // A collapsed strip is as narrow as the bar and shows no text.
    if (!m_pin->isHidden())
        m_captionStrip->SetCaption(caption);
}

Qt::Alignment TsuiSideChannel::Alignment() const
{
    return m_captionStrip->Alignment();
}

void TsuiSideChannel::SetAlignment(Qt::Alignment alignment)
{
    m_captionStrip->SetAlignment(alignment);
}

void TsuiSideChannel::SetAlign(TsuiSideChannelAlign align)
{
    m_align = align;
    ApplyAlign();
}

void TsuiSideChannel::SetStayOn(bool value)
{
    m_stayOn = value;
    if (value) {
        Pop(m_quickMove);
        m_pin->SetDown(true);
    } else {
        m_pin->SetDown(false);
        Push(true);
    }
    PinClick();
}

void TsuiSideChannel::Pop(bool quick)
{
    m_moving = true;
    m_pin->show();
    if (!quick) {
        // Counted here rather than read back, so that a refused step cannot stall the loop.
        const QPointer<TsuiSideChannel> self(this);
        for (int w = width(); w + kStep < m_fullWidth;) {
            w += kStep;
            StepTo(w);
            QCoreApplication::processEvents();
            // The pending events may have closed the window that owned the panel.
            if (!self)
                return;
        }
    }
    StepTo(m_fullWidth);
    if (!m_pin->Down())
        m_timer->start();
    m_moving = false;
    m_captionStrip->SetCaption(m_caption);
    Fire(OnPop);
}

void TsuiSideChannel::Push(bool quick)
{
    m_moving = true;
    m_timer->stop();
    const int side = SideBarWidth();
    if (!quick) {
        const QPointer<TsuiSideChannel> self(this);
        for (int w = width(); side < w - kStep;) {
            w -= kStep;
            StepTo(w);
            QCoreApplication::processEvents();
            if (!self)
                return;
        }
    }
    StepTo(side);
    m_pin->hide();
    m_captionStrip->SetCaption(QString());
    m_moving = false;
    Fire(OnPush);
}

void TsuiSideChannel::StepTo(int width)
{
    const QWidget* parent = parentWidget();
    const int h = parent ? parent->height() : height();
    if (m_align == TsuiSideChannelAlign::suiRight && parent)
        setGeometry(parent->width() - width, 0, width, h);
    else
        setGeometry(parent ? 0 : x(), parent ? 0 : y(), width, h);
    repaint();
}

void TsuiSideChannel::ApplyAlign()
{
    if (const QWidget* parent = parentWidget())
        setGeometry(m_align == TsuiSideChannelAlign::suiRight ? parent->width() - width() : 0, 0, width(),
                    parent->height());
}

void TsuiSideChannel::CheckPointer()
{
    // A tick already queued when the pin went down closes nothing.
    if (m_pin->Down())
        return;
    if (parentWidget() == nullptr) {
        Push(true);
        return;
    }
    const QPoint p = PointerPos();
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    const QPoint bottomRight = mapToGlobal(QPoint(width(), height()));
    const bool inside =
        topLeft.x() < p.x() && p.x() < bottomRight.x() && topLeft.y() < p.y() && p.y() < bottomRight.y();
    if (!inside)
        Push(m_quickMove);
}

void TsuiSideChannel::PopupByMouse()
{
    if (!m_moving && Collapsed() && m_popupMode == suiMouseOn)
        Pop(m_quickMove);
}

void TsuiSideChannel::PopupByClick()
{
    if (!m_moving && m_popupMode == suiMouseClick)
        Pop(m_quickMove);
}

void TsuiSideChannel::PinClick()
{
    if (m_pin->Down())
        m_timer->stop();
    else if (!m_pin->isHidden())
        m_timer->start();
    m_pin->SetGlyphName(m_pin->Down() ? kGlyphOnTop : kGlyphNoOnTop);
    m_stayOn = m_pin->Down();
}

void TsuiSideChannel::FontChanged()
{
    m_captionStrip->SetFont(Font());
    update();
}

bool TsuiSideChannel::CanResize(int& newWidth, int& newHeight)
{
    bool resize = true;
    if (OnCanResize)
        OnCanResize(this, newWidth, newHeight, resize);
    if (!m_moving && !m_pin->isHidden() && newWidth < kMinOpenWidth)
        resize = false;
    return resize;
}

void TsuiSideChannel::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    if (!m_restoring && event->oldSize().isValid() && event->size() != event->oldSize()) {
        int w = width();
        int h = height();
        const bool allowed = CanResize(w, h);
        if (!allowed || w != width() || h != height()) {
            // A refused size is put back; a size the handler changed is taken instead.
            m_restoring = true;
            if (allowed)
                resize(w, h);
            else
                resize(event->oldSize());
            m_restoring = false;
            if (!allowed)
                return;
        }
    }
    const int side = SideBarWidth();
    m_captionStrip->setGeometry(0, 0, width(), kStripHeight);
    m_sideBar->setGeometry(0, kStripHeight, side, std::max(height() - kStripHeight, 0));
    m_pin->move(width() - kPinWidth, 0);
    if (!m_moving && side < width())
        m_fullWidth = width();
    if (m_align == TsuiSideChannelAlign::suiRight && !m_restoring)
        ApplyAlign();
    Fire(OnResize);
}

bool TsuiSideChannel::event(QEvent* event)
{
    // The panel follows the size of whatever it is docked in.
    if (event->type() == QEvent::ParentAboutToChange && parentWidget())
        parentWidget()->removeEventFilter(this);
    if (event->type() == QEvent::ParentChange && parentWidget()) {
        parentWidget()->installEventFilter(this);
        ApplyAlign();
    }
    return TControl::event(event);
}

bool TsuiSideChannel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        ApplyAlign();
    return TControl::eventFilter(watched, event);
}
