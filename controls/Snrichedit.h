#pragma once

#include "controls/SnEditFrame.h"

class QTextEdit;

// A rich-text edit in the 2-pixel hover frame. With word wrap on the corner
// between the scroll bars stays as the editor draws it. Disabled, it still
// shows its text but takes no input: no caret, no selection, no mouse.
class TSnRichEdit : public TSnEditFrame
{
    Q_OBJECT

public:
    explicit TSnRichEdit(QWidget* parent = nullptr);

    QTextEdit* Edit() const { return m_edit; }

protected:
    QString EditorText() const override;
    void SetEditorText(const QString& text) override;
    void ApplyWordWrap(bool wrap) override;
    void ApplyReadOnly(bool readOnly) override;
    bool CornerSquareShown() const override { return ScrollBars() == ssBoth && !WordWrap(); }

private:
    QTextEdit* m_edit = nullptr;
};
