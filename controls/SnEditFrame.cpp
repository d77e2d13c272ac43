#include "controls/SnEditFrame.h"

#include "framework/TCanvas.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>

namespace {

constexpr int kFrameWidth = 2;
constexpr int kCornerSize = 16;

// Scroll bars as wide as the corner square, so the square covers exactly the
// corner between them.
class TScrollBarStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarExtent)
            return kCornerSize;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

class TCornerSquare : public QWidget
{
public:
    explicit TCornerSquare(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(clBtnFace));
    }
};

} // namespace

TSnEditFrame::TSnEditFrame(QWidget* parent) : TControl(parent)
{
    SetParentFont(true);
    SetColor(clWindow);
    setGeometry(0, 0, 185, 89);
}

void TSnEditFrame::AttachEditor(QAbstractScrollArea* editor)
{
    m_editor = editor;
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->installEventFilter(this);
    setFocusProxy(m_editor);
    // Created after the editor, so deleted after it: the scroll bars use it
    // until then.
    m_scrollBarStyle = new TScrollBarStyle;
    m_scrollBarStyle->setParent(this);
    m_editor->verticalScrollBar()->setStyle(m_scrollBarStyle);
    m_editor->horizontalScrollBar()->setStyle(m_scrollBarStyle);
    m_corner = new TCornerSquare(this);
    ApplyPalette();
    SetScrollBars(m_scrollBars);
    ApplyWordWrap(m_wordWrap);
    LayoutChildren();
}

void TSnEditFrame::SetMouseEnterColor(TColor value)
{
    if (value == m_mouseEnterColor)
        return;
    m_mouseEnterColor = value;
    update();
}

void TSnEditFrame::SetMouseLeaveColor(TColor value)
{
    if (value == m_mouseLeaveColor)
        return;
    m_mouseLeaveColor = value;
    update();
}

void TSnEditFrame::SetScrollBars(TScrollStyle value)
{
    m_scrollBars = value;
    if (m_editor) {
        const bool horizontal = value == ssHorizontal || value == ssBoth;
        const bool vertical = value == ssVertical || value == ssBoth;
        m_editor->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        m_editor->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    UpdateCorner();
}

void TSnEditFrame::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    ApplyWordWrap(value);
    UpdateCorner();
}

void TSnEditFrame::SetReadOnly(bool value)
{
    if (value == m_readOnly)
        return;
    m_readOnly = value;
    ApplyReadOnly(value);
}

QStringList TSnEditFrame::Lines() const
{
    const QString text = EditorText();
    if (text.isEmpty())
        return {};
    return text.split(u'\n');
}

void TSnEditFrame::SetLines(const QStringList& lines)
{
    SetEditorText(lines.join(u'\n'));
}

bool TSnEditFrame::Focused() const
{
    return m_editor && m_editor->hasFocus();
}

void TSnEditFrame::UpdateCorner()
{
    if (!m_corner)
        return;
    m_corner->setVisible(CornerSquareShown());
    m_corner->raise();
    update();
}

void TSnEditFrame::LayoutChildren()
{
    if (m_editor)
        m_editor->setGeometry(kFrameWidth, kFrameWidth, std::max(width() - 2 * kFrameWidth, 0),
                              std::max(height() - 2 * kFrameWidth, 0));
    // The square runs from 17 pixels inside the inner ring's right and bottom
    // edges to 1 pixel inside them.
    if (m_corner)
        m_corner->setGeometry(width() - 1 - 17, height() - 1 - 17, kCornerSize, kCornerSize);
}

void TSnEditFrame::resizeEvent(QResizeEvent* event)
{
    LayoutChildren();
    TControl::resizeEvent(event);
}

void TSnEditFrame::ApplyPalette()
{
    if (!m_editor)
        return;
    const TFont font = Font();
    QPalette palette = m_editor->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, ToQColor(Color()));
        // A disabled editor still shows its text as it is: it only stops taking input.
        palette.setColor(group, QPalette::Text, ToQColor(font.Color));
    }
    m_editor->setPalette(palette);
    m_editor->setFont(font.ToQFont());
}

void TSnEditFrame::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Brush = TBrush{m_hot || Focused() ? m_mouseEnterColor : m_mouseLeaveColor, bsSolid};
    canvas.FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    canvas.Brush.Color = Color();
    canvas.FrameRect(r);
    if (CornerSquareShown()) {
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(Rect(r.Right - 17, r.Bottom - 17, r.Right - 1, r.Bottom - 1));
    }
}

void TSnEditFrame::MouseEnter()
{
    if (!isEnabled())
        return;
    m_hot = true;
    repaint();
}

void TSnEditFrame::MouseLeave()
{
    if (!isEnabled())
        return;
    m_hot = false;
    repaint();
}

void TSnEditFrame::ColorChanged()
{
    ApplyPalette();
    update();
}

void TSnEditFrame::FontChanged()
{
    ApplyPalette();
    update();
}

void TSnEditFrame::EnabledChanged()
{
    // A control disabled under the mouse gets no leave; it must not stay hot.
    if (!isEnabled())
        m_hot = false;
    repaint();
}

bool TSnEditFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        FocusChanged();
    return TControl::eventFilter(watched, event);
}
