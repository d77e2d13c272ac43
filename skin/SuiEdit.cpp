#include "skin/SuiEdit.h"

#include "framework/TCanvas.h"
#include "skin/Suipublic.h"

#include <QLineEdit>
#include <QProxyStyle>
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
    static const bool registered = (RegisterBorderColorRule<TsuiEdit>(), true);
    Q_UNUSED(registered);
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
    connect(m_edit, &QLineEdit::textChanged, this, [this] { Changed(); });
    ColorChanged();
    FontChanged();
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
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, ToQColor(ColorToRGB(Color())));
    m_edit->setPalette(palette);
    update();
}

void TsuiEdit::FontChanged()
{
    const TFont font = Font();
    m_edit->setFont(font.ToQFont());
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Text, ToQColor(ColorToRGB(font.Color)));
    m_edit->setPalette(palette);
    update();
}

void TsuiEdit::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    m_edit->setGeometry(kFrame, kFrame, std::max(width() - 2 * kFrame, 0),
                        std::max(height() - 2 * kFrame, 0));
}
