#include "controls/Snrichedit.h"

#include <QTextEdit>

TSnRichEdit::TSnRichEdit(QWidget* parent) : TSnEditFrame(parent)
{
    m_edit = new QTextEdit(this);
    // Lines are plain text; pasted markup arrives as text too.
    m_edit->setAcceptRichText(false);
    AttachEditor(m_edit);
}

QString TSnRichEdit::EditorText() const
{
    return m_edit->toPlainText();
}

void TSnRichEdit::SetEditorText(const QString& text)
{
    m_edit->setPlainText(text);
}

void TSnRichEdit::ApplyWordWrap(bool wrap)
{
    m_edit->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TSnRichEdit::ApplyReadOnly(bool readOnly)
{
    m_edit->setReadOnly(readOnly);
}
