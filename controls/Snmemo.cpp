#include "controls/Snmemo.h"

#include <QPlainTextEdit>

TSnMemo::TSnMemo(QWidget* parent) : TSnEditFrame(parent)
{
    m_edit = new QPlainTextEdit(this);
    AttachEditor(m_edit);
}

QString TSnMemo::EditorText() const
{
    return m_edit->toPlainText();
}

void TSnMemo::SetEditorText(const QString& text)
{
    m_edit->setPlainText(text);
}

void TSnMemo::ApplyWordWrap(bool wrap)
{
    m_edit->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TSnMemo::ApplyReadOnly(bool readOnly)
{
    m_edit->setReadOnly(readOnly);
}

void TSnMemo::FocusChanged()
{
    if (!Focused())
        repaint();
}
