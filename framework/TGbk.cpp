#include "framework/TGbk.h"

#include "tweaks/GbkCodec.h"

namespace {

bool IsLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

} // namespace

// Text the converter cannot map whole is converted one character at a time, so
// that one bad character costs only itself: '?' on the way out, U+FFFD on the
// way in, as a GDI text call would show it.
std::string ToGbk(const QString& text)
{
    std::string gbk;
    const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                    std::size_t(text.size()));
    if (tessel::Utf16ToGbk(utf16, gbk))
        return gbk;
    gbk.clear();
    std::string one;
    for (std::size_t i = 0; i < utf16.size();) {
        const bool pair =
            QChar::isHighSurrogate(utf16[i]) && i + 1 < utf16.size() && QChar::isLowSurrogate(utf16[i + 1]);
        const std::size_t length = pair ? 2 : 1;
        gbk += tessel::Utf16ToGbk(utf16.substr(i, length), one) ? one : std::string("?");
        i += length;
    }
    return gbk;
}

QString FromGbk(std::string_view bytes)
{
    std::u16string utf16;
    if (tessel::GbkToUtf16(bytes, utf16))
        return QString::fromStdU16String(utf16);
    QString text;
    std::u16string one;
    for (std::size_t i = 0; i < bytes.size();) {
        // A lead byte whose pair is not a character stands alone; the byte after
        // it starts the next character.
        if (IsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() &&
            tessel::GbkToUtf16(bytes.substr(i, 2), one)) {
            text += QString::fromStdU16String(one);
            i += 2;
            continue;
        }
        text += tessel::GbkToUtf16(bytes.substr(i, 1), one) ? QString::fromStdU16String(one)
                                                            : QString(QChar::ReplacementCharacter);
        i += 1;
    }
    return text;
}

int LastGbkCharCode(std::string_view bytes)
{
    // Walk from the start: a trailing byte alone cannot tell whether it is a
    // lead byte or the second half of a pair.
    int last = -1;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        last = b;
        if (IsLeadByte(b) && i + 1 < bytes.size())
            i += 2;
        else
            i += 1;
    }
    return last;
}
