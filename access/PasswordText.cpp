#include "access/PasswordText.h"

#include "skin/SuiEdit.h"
#include "tweaks/GbkCodec.h"

#include <QLineEdit>

#include <algorithm>

namespace {

bool Encode(const QString& text, std::string& bytes)
{
    const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    return tessel::Utf16ToGbk(utf16, bytes);
}

} // namespace

bool IsStorablePassword(const QString& text)
{
    const bool controls =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
    std::string bytes;
    return !controls && Encode(text, bytes);
}

std::string ToStoredPassword(const QString& text)
{
    std::string bytes;
    if (IsStorablePassword(text) && Encode(text, bytes))
        return bytes;
    // A zero can never be part of a stored password, so this matches none
    // (and the store refuses to write it).
    return std::string(1, '\0');
}

QValidator::State TPasswordValidator::validate(QString& input, int&) const
{
    return IsStorablePassword(input) ? Acceptable : Invalid;
}

void RestrictToStorablePasswords(TsuiEdit* edit)
{
    edit->LineEdit()->setValidator(new TPasswordValidator(edit));
}
