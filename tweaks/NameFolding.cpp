#include "tweaks/NameFolding.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cwctype>
#include <iconv.h>
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

#ifdef _WIN32
constexpr UINT kGbk = 936;

std::wstring Widen(std::string_view ansi, bool strict)
{
    if (ansi.empty())
        return {};
    const int n = MultiByteToWideChar(kGbk, strict ? MB_ERR_INVALID_CHARS : 0, ansi.data(),
                                      static_cast<int>(ansi.size()), nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kGbk, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

char32_t Upper(char32_t c)
{
    if (c > 0xFFFF)
        return c;
    return static_cast<char32_t>(reinterpret_cast<std::uintptr_t>(CharUpperW(reinterpret_cast<LPWSTR>(c))));
}
#else
// Decoding GBK; one converter per thread, created on first use.
class GbkDecoder
{
public:
    GbkDecoder() : cd_(iconv_open("UTF-8", "GBK")) {}
    ~GbkDecoder()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    GbkDecoder(const GbkDecoder&) = delete;
    GbkDecoder& operator=(const GbkDecoder&) = delete;

    bool Decode(std::string_view in, std::string& out)
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("GBK conversion is not available");
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.assign(in.size() * 3 + 4, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1))
            return false;
        out.resize(out.size() - dstLeft);
        return true;
    }

private:
    iconv_t cd_;
};

bool DecodeGbk(std::string_view ansi, std::string& utf8)
{
    thread_local GbkDecoder decoder;
    return decoder.Decode(ansi, utf8);
}

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
#ifdef _WIN32
    return !Widen(ansi, true).empty();
#else
    std::string utf8;
    return DecodeGbk(ansi, utf8);
#endif
}

std::string AnsiToUtf8(std::string_view ansi)
{
    if (IsAscii(ansi))
        return std::string(ansi);
#ifdef _WIN32
    const std::wstring wide = Widen(ansi, false);
    std::string out;
    for (wchar_t w : wide)
        AppendUtf8(out, static_cast<char32_t>(w));
    return out;
#else
    std::string utf8;
    if (!DecodeGbk(ansi, utf8))
        throw std::invalid_argument("name is not GBK text");
    return utf8;
#endif
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

} // namespace tessel
