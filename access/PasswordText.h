#pragma once

#include <QValidator>

#include <string>

class TsuiEdit;

// Passwords cross between the edits and the store here, through the core's
// code page 936 converter, so what is stored is exactly what was typed.

// True when the text holds no control character and code page 936 maps every
// character of it both ways.
bool IsStorablePassword(const QString& text);

// The password's stored bytes. Only for storable text; anything else gives
// bytes that no stored password equals.
std::string ToStoredPassword(const QString& text);

// Lets into a password edit only what IsStorablePassword accepts: a paste that
// holds anything else is refused whole, a typed character is not inserted.
class TPasswordValidator final : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

void RestrictToStorablePasswords(TsuiEdit* edit);
