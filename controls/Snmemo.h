#pragma once

#include "controls/SnEditFrame.h"

class QPlainTextEdit;

// A plain multi-line edit in the 2-pixel hover frame. 185 x 89 at (0, 0)
// until placed; word wrap on, no scroll bars.
class TSnMemo : public TSnEditFrame
{
    Q_OBJECT

public:
    explicit TSnMemo(QWidget* parent = nullptr);

    QPlainTextEdit* Edit() const { return m_edit; }

protected:
    QString EditorText() const override;
    void SetEditorText(const QString& text) override;
    void ApplyWordWrap(bool wrap) override;
    void ApplyReadOnly(bool readOnly) override;
    // Only losing the focus repaints the frame at once.
    void FocusChanged() override;

private:
    QPlainTextEdit* m_edit = nullptr;
};
