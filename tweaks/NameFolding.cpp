#include "tweaks/NameFolding.h"

#include "tweaks/GbkCodec.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cwctype>
#include <locale.h>
#endif

namespace tessel {
namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u32string DecodeUtf8(std::string_view utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < len && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += c;
        i += len;
    }
    return out;
}

bool DecodeGbk(std::string_view ansi, std::string& utf8)
{
    std::u16string wide;
    if (!GbkToUtf16(ansi, wide))
        return false;
    utf8.clear();
    // Code page 936 maps into the basic plane only: no surrogates to join.
    for (char16_t unit : wide)
        AppendUtf8(utf8, unit);
    return true;
}

#ifdef _WIN32
char32_t Upper(char32_t c)
{
    if (c > 0xFFFF)
        return c;
    return static_cast<char32_t>(reinterpret_cast<std::uintptr_t>(CharUpperW(reinterpret_cast<LPWSTR>(c))));
}
#else
char32_t Upper(char32_t c)
{
    // The registry upper-cases UTF-16 units one by one and leaves the rest alone.
    static const locale_t utf8Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (c > 0xFFFF || !utf8Locale)
        return c;
    const auto upper = static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), utf8Locale));
    return upper > 0xFFFF ? c : upper;
}
#endif

} // namespace

bool IsValidAnsiName(std::string_view ansi)
{
    if (IsAscii(ansi))
        return true;
    std::string utf8;
    return DecodeGbk(ansi, utf8);
}

std::string AnsiToUtf8(std::string_view ansi)
{
    if (IsAscii(ansi))
        return std::string(ansi);
    std::string utf8;
    if (!DecodeGbk(ansi, utf8))
        throw std::invalid_argument("name is not GBK text");
    return utf8;
}

std::string FoldUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    if (IsAscii(utf8)) {
        for (char c : utf8)
            out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        return out;
    }
    for (char32_t c : DecodeUtf8(utf8))
        AppendUtf8(out, Upper(c));
    return out;
}

std::string FoldName(std::string_view ansi)
{
    return FoldUtf8(AnsiToUtf8(ansi));
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (c > 0xFFFF) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

} // namespace tessel
