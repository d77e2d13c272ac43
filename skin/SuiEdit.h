#pragma once

#include "framework/TControl.h"

#include <QChar>
#include <QString>

class QLineEdit;
class TsuiEditStyle;

// Single-line edit with the skin's frame: a native line edit inset by two
// pixels, and around it one pixel in BorderColor outside one pixel in the
// face colour. The focus passes straight to the inner edit, so the control
// takes part in tab order like any edit.
class TsuiEdit : public TControl
{
    Q_OBJECT

public:
    explicit TsuiEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

    // QChar() shows the text as typed; any other character masks every
    // typed character with it.
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar mask);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);

    int MaxLength() const;
    void SetMaxLength(int length);
    bool ReadOnly() const;
    void SetReadOnly(bool value);

    // The inner edit, for selection, cursor and simulated typing.
    QLineEdit* LineEdit() const { return m_edit; }

protected:
    void Paint(TCanvas& canvas) override;
    void ColorChanged() override;
    void FontChanged() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_edit;
    TsuiEditStyle* m_style;
    QChar m_passwordChar;
    TColor m_borderColor = clBlack;
};
