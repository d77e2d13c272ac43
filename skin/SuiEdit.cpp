#include "skin/SuiEdit.h"

#include "framework/TCanvas.h"
#include "framework/TGbk.h"
#include "skin/SuiScrollBar.h"
#include "skin/Suipublic.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

// The platform styles mask passwords with a bullet or a circle; this edit
// masks with its own PasswordChar and shows nothing of a typed character.
class TsuiEditStyle : public QProxyStyle
{
public:
    QChar Mask = QLatin1Char('*');

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return Mask.unicode();
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

namespace {

constexpr int kFrame = 2;

} // namespace

TsuiEdit::TsuiEdit(QWidget* parent)
    : TControl(parent), m_edit(new QLineEdit(this)), m_style(new TsuiEditStyle)
{
    // Created after the edit, so destroyed after it too.
    m_style->setParent(this);
    m_edit->setStyle(m_style);
    m_edit->setFrame(false);
    m_edit->setGeometry(kFrame, kFrame, 0, 0);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);
    SetColor(clWindow);
    m_borderColor = GetBorderColor(parent ? parent->window() : nullptr);
    resize(121, 21);
    connect(m_edit, &QLineEdit::textChanged, this, [this] {
        // A converted text comes back here once more and reports the change then.
        if (!ConvertText())
            Changed();
    });
    m_edit->installEventFilter(this);
    SetParentFont(true);
    ColorChanged();
    FontChanged();
}

void TsuiEdit::SetCharCase(TEditCharCase value)
{
    m_charCase = value;
    ConvertText();
}

void TsuiEdit::SetOEMConvert(bool value)
{
    m_oemConvert = value;
    ConvertText();
}

bool TsuiEdit::ConvertText()
{
    QString text = m_edit->text();
    if (m_charCase == ecUpperCase)
        text = text.toUpper();
    else if (m_charCase == ecLowerCase)
        text = text.toLower();
    if (m_oemConvert) {
        QString held;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString character = text.mid(i, length);
            held += FromGbk(ToGbk(character)) == character ? character : QStringLiteral("?");
            i += length - 1;
        }
        text = held;
    }
    if (text == m_edit->text())
        return false;
    const int cursor = std::min(m_edit->cursorPosition(), int(text.size()));
    m_edit->setText(text);
    m_edit->setCursorPosition(cursor);
    return true;
}

void TsuiEdit::SetImeMode(TImeMode mode)
{
    m_imeMode = mode;
    m_edit->setAttribute(Qt::WA_InputMethodEnabled, mode != imDisable);
    const bool latin = mode == imClose || mode == imSAlpha || mode == imAlpha;
    m_edit->setInputMethodHints(latin ? Qt::ImhPreferLatin : Qt::ImhNone);
}

bool TsuiEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return TControl::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Qt selects on tab focus only; the edit's own rule decides instead.
        const bool byMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        const int cursor = m_edit->cursorPosition();
        m_edit->event(event);
        if (m_autoSelect && !byMouse)
            m_edit->selectAll();
        else if (!byMouse)
            m_edit->setCursorPosition(cursor);
        return true;
    }
    if (event->type() == QEvent::FocusOut && !m_hideSelection) {
        const int start = m_edit->selectionStart();
        const int length = m_edit->selectionLength();
        m_edit->event(event);
        if (start >= 0)
            m_edit->setSelection(start, length);
        return true;
    }
    return TControl::eventFilter(watched, event);
}

QString TsuiEdit::Text() const
{
    return m_edit->text();
}

void TsuiEdit::SetText(const QString& text)
{
    m_edit->setText(text);
}

void TsuiEdit::SetPasswordChar(QChar mask)
{
    m_passwordChar = mask;
    if (mask.isNull()) {
        m_edit->setEchoMode(QLineEdit::Normal);
        return;
    }
    m_style->Mask = mask;
    // Re-setting the style makes the edit read the mask character again.
    m_edit->setStyle(m_style);
    m_edit->setEchoMode(QLineEdit::Password);
}

void TsuiEdit::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

int TsuiEdit::MaxLength() const
{
    return m_edit->maxLength();
}

void TsuiEdit::SetMaxLength(int length)
{
    m_edit->setMaxLength(length);
}

bool TsuiEdit::ReadOnly() const
{
    return m_edit->isReadOnly();
}

void TsuiEdit::SetReadOnly(bool value)
{
    m_edit->setReadOnly(value);
}

void TsuiEdit::Paint(TCanvas& canvas)
{
    DrawControlBorder(canvas, m_borderColor, Color());
}

void TsuiEdit::ColorChanged()
{
    ApplyInnerColors(m_edit, Color(), Font().Color);
    update();
}

void TsuiEdit::FontChanged()
{
    m_edit->setFont(Font().ToQFont());
    ApplyInnerColors(m_edit, Color(), Font().Color);
    update();
}

void TsuiEdit::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    m_edit->setGeometry(kFrame, kFrame, std::max(width() - 2 * kFrame, 0),
                        std::max(height() - 2 * kFrame, 0));
}

// --- memo --------------------------------------------------------------------

TsuiMemo::TsuiMemo(QWidget* parent)
    : TControl(parent), m_edit(new QPlainTextEdit(this)), m_barStyle(new TsuiNativeBarStyle)
{
    // Created after the edit, so destroyed after it too.
    m_barStyle->setParent(this);
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->setGeometry(kFrame, kFrame, 0, 0);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);
    SetColor(clWindow);
    m_borderColor = GetBorderColor(parent ? parent->window() : nullptr);
    resize(185, 89);
    SetScrollBars(ssNone);
    // Every way the text scrolls ends in the native bars' signals.
    for (QScrollBar* native : {m_edit->horizontalScrollBar(), m_edit->verticalScrollBar()}) {
        connect(native, &QScrollBar::valueChanged, this, [this] { UpdateScrollBars(); });
        connect(native, &QScrollBar::rangeChanged, this, [this] { UpdateScrollBars(); });
    }
    connect(m_edit->document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        m_lastEditEnd = position + added;
        m_lastEditAdded = added;
    });
    connect(m_edit, &QPlainTextEdit::textChanged, this, [this] {
        LimitTyping();
        Changed();
    });
    m_edit->installEventFilter(this);
    SetWantTabs(false);
    SetParentFont(true);
    ColorChanged();
    FontChanged();
}

TsuiMemo::~TsuiMemo()
{
    // The bars outlive the memo on their form: they must not call back.
    for (QScrollBar* native : {m_edit->horizontalScrollBar(), m_edit->verticalScrollBar()})
        native->disconnect(this);
    for (TsuiScrollBar* bar : {m_vScrollBar.data(), m_hScrollBar.data()})
        if (bar != nullptr)
            bar->SetOnChange(nullptr);
}

QString TsuiMemo::Text() const
{
    return m_edit->toPlainText();
}

void TsuiMemo::SetText(const QString& text)
{
    m_settingText = true;
    m_edit->setPlainText(text);
    SetAlignment(m_alignment);
    m_settingText = false;
}

void TsuiMemo::LimitTyping()
{
    if (m_settingText || m_maxLength <= 0)
        return;
    // The paragraph separator the document always ends with is no character.
    const int excess = m_edit->document()->characterCount() - 1 - m_maxLength;
    const int cut = std::min(excess, m_lastEditAdded);
    if (cut <= 0)
        return;
    m_lastEditAdded = 0;
    QTextCursor cursor(m_edit->document());
    cursor.setPosition(m_lastEditEnd - cut);
    cursor.setPosition(m_lastEditEnd, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TsuiMemo::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    QTextOption option = m_edit->document()->defaultTextOption();
    option.setAlignment(alignment);
    m_edit->document()->setDefaultTextOption(option);
}

bool TsuiMemo::WantTabs() const
{
    return !m_edit->tabChangesFocus();
}

void TsuiMemo::SetWantTabs(bool value)
{
    m_edit->setTabChangesFocus(!value);
}

bool TsuiMemo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress && !m_wantReturns) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & Qt::ControlModifier)) {
            // Ignored, so that it travels on to the memo's parents.
            event->ignore();
            return true;
        }
    }
    return TControl::eventFilter(watched, event);
}

QStringList TsuiMemo::Lines() const
{
    const QString text = Text();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TsuiMemo::SetLines(const QStringList& lines)
{
    SetText(lines.join(QLatin1Char('\n')));
}

void TsuiMemo::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

bool TsuiMemo::WordWrap() const
{
    return m_edit->lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TsuiMemo::SetWordWrap(bool value)
{
    m_edit->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TsuiMemo::ReadOnly() const
{
    return m_edit->isReadOnly();
}

void TsuiMemo::SetReadOnly(bool value)
{
    m_edit->setReadOnly(value);
}

void TsuiMemo::SetScrollBars(TScrollStyle style)
{
    m_scrollBars = style;
    // A bar that is asked for is always there, disabled while the text fits.
    const bool horizontal = style == ssHorizontal || style == ssBoth;
    const bool vertical = style == ssVertical || style == ssBoth;
    m_edit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_edit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TsuiMemo::ReleaseBar(TsuiScrollBar* bar)
{
    if (bar == nullptr)
        return;
    bar->SetOnChange(nullptr);
    bar->SetLineButton(0);
    bar->SetMax(100);
    bar->SetEnabled(true);
}

void TsuiMemo::SetVScrollBar(TsuiScrollBar* bar)
{
    if (bar == m_vScrollBar)
        return;
    ReleaseBar(m_vScrollBar);
    m_vScrollBar = bar;
    if (bar != nullptr) {
        bar->SetOrientation(suiVertical);
        bar->SetOnChange([this](QObject*) { OnScrollBarChange(m_vScrollBar, m_edit->verticalScrollBar()); });
        bar->raise();
        UpdateInnerScrollBars();
        UpdateScrollBarsPos();
    } else {
        UpdateInnerScrollBars();
    }
}

void TsuiMemo::SetHScrollBar(TsuiScrollBar* bar)
{
    if (bar == m_hScrollBar)
        return;
    ReleaseBar(m_hScrollBar);
    m_hScrollBar = bar;
    if (bar != nullptr) {
        bar->SetOrientation(suiHorizontal);
        bar->SetOnChange(
            [this](QObject*) { OnScrollBarChange(m_hScrollBar, m_edit->horizontalScrollBar()); });
        bar->raise();
        UpdateInnerScrollBars();
        UpdateScrollBarsPos();
    } else {
        UpdateInnerScrollBars();
    }
}

void TsuiMemo::UpdateInnerScrollBars()
{
    if (m_vScrollBar && m_hScrollBar)
        SetScrollBars(ssBoth);
    else if (m_vScrollBar)
        SetScrollBars(ssVertical);
    else if (m_hScrollBar)
        SetScrollBars(ssHorizontal);
    else
        SetScrollBars(ssNone);
}

void TsuiMemo::FitNativeBars()
{
    int extent = 0;
    if (m_vScrollBar)
        extent = std::max(extent, m_vScrollBar->width());
    if (m_hScrollBar)
        extent = std::max(extent, m_hScrollBar->height());
    if (extent == m_barStyle->Extent)
        return;
    m_barStyle->Extent = extent;
    // Setting the style again makes the bars measure themselves anew.
    for (QScrollBar* native : {m_edit->horizontalScrollBar(), m_edit->verticalScrollBar()})
        native->setStyle(m_barStyle);
}

void TsuiMemo::UpdateScrollBarsPos()
{
    FitNativeBars();
    const int l = x();
    const int t = y();
    const int w = width();
    const int h = height();
    if (m_hScrollBar) {
        const int barWidth = m_vScrollBar ? w - m_vScrollBar->width() - 1 : w - 1;
        m_hScrollBar->setGeometry(l + 1, t + h - m_hScrollBar->height() - 2, barWidth,
                                  m_hScrollBar->height());
    }
    if (m_vScrollBar) {
        const int barHeight = m_hScrollBar ? h - m_hScrollBar->height() - 1 : h - 1;
        m_vScrollBar->setGeometry(l + w - m_vScrollBar->width() - 2, t + 1, m_vScrollBar->width(), barHeight);
    }
    UpdateScrollBars();
}

void TsuiMemo::UpdateBar(TsuiScrollBar* bar, QScrollBar* native)
{
    const bool hidden = m_edit->horizontalScrollBar() == native
                            ? m_edit->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                            : m_edit->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff;
    const bool unavailable = native->minimum() == native->maximum() || !native->isEnabled();
    if (hidden || unavailable) {
        bar->SetLineButton(0);
        bar->SetEnabled(false);
        bar->SetSliderVisible(false);
    } else {
        bar->SetLineButton(NativeThumbLength(native));
        bar->SetEnabled(true);
        bar->SetSliderVisible(true);
    }
    // Qt's maximum is already the last first-visible position.
    bar->SetMax(native->maximum());
    bar->SetMin(native->minimum());
    bar->SetPosition(native->value());
}

void TsuiMemo::UpdateScrollBars()
{
    m_synchronising = true;
    if (m_hScrollBar)
        UpdateBar(m_hScrollBar, m_edit->horizontalScrollBar());
    if (m_vScrollBar)
        UpdateBar(m_vScrollBar, m_edit->verticalScrollBar());
    m_synchronising = false;
}

void TsuiMemo::OnScrollBarChange(TsuiScrollBar* bar, QScrollBar* native)
{
    if (m_synchronising || bar == nullptr)
        return;
    native->setValue(bar->Position());
    update();
}

void TsuiMemo::Paint(TCanvas& canvas)
{
    DrawControlBorder(canvas, m_borderColor, Color());
}

void TsuiMemo::ColorChanged()
{
    ApplyInnerColors(m_edit, Color(), Font().Color);
    update();
}

void TsuiMemo::FontChanged()
{
    m_edit->setFont(Font().ToQFont());
    ApplyInnerColors(m_edit, Color(), Font().Color);
    update();
}

void TsuiMemo::EnabledChanged()
{
    UpdateScrollBars();
    update();
}

void TsuiMemo::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    m_edit->setGeometry(kFrame, kFrame, std::max(width() - 2 * kFrame, 0),
                        std::max(height() - 2 * kFrame, 0));
    UpdateScrollBarsPos();
}

void TsuiMemo::moveEvent(QMoveEvent* event)
{
    TControl::moveEvent(event);
    UpdateScrollBarsPos();
}
