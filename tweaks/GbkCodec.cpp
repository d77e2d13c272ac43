#include "tweaks/GbkCodec.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <memory>
#include <unicode/ucnv.h>
#endif

namespace tessel {

#ifdef _WIN32

namespace {
constexpr UINT kCodePage = 936;
}

bool GbkToUtf16(std::string_view gbk, std::u16string& utf16)
{
    utf16.clear();
    if (gbk.empty())
        return true;
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, gbk.data(),
                                      static_cast<int>(gbk.size()), nullptr, 0);
    if (n <= 0)
        return false;
    utf16.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, gbk.data(), static_cast<int>(gbk.size()),
                        reinterpret_cast<wchar_t*>(utf16.data()), n);
    return true;
}

bool Utf16ToGbk(std::u16string_view utf16, std::string& gbk)
{
    gbk.clear();
    if (utf16.empty())
        return true;
    const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(utf16.size()),
                                      nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy)
        return false;
    gbk.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(utf16.size()), gbk.data(), n,
                        nullptr, nullptr);
    // The mapping has to hold both ways, or the text would read back differently.
    std::u16string back;
    return GbkToUtf16(gbk, back) && back == utf16;
}

#else

namespace {

struct ConverterClose
{
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// ICU's table for code page 936, stopping at anything it cannot map exactly.
// Converters keep state, so each thread has its own.
UConverter* Converter()
{
    thread_local std::unique_ptr<UConverter, ConverterClose> converter = [] {
        UErrorCode error = U_ZERO_ERROR;
        std::unique_ptr<UConverter, ConverterClose> c(ucnv_open("windows-936", &error));
        if (U_SUCCESS(error)) {
            ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
            ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
            ucnv_setFallback(c.get(), false);
        }
        if (U_FAILURE(error))
            c.reset();
        return c;
    }();
    return converter.get();
}

} // namespace

bool GbkToUtf16(std::string_view gbk, std::u16string& utf16)
{
    utf16.clear();
    if (gbk.empty())
        return true;
    UConverter* c = Converter();
    if (!c)
        return false;
    ucnv_resetToUnicode(c);
    utf16.resize(gbk.size());
    UErrorCode error = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(c, utf16.data(), static_cast<int32_t>(utf16.size()), gbk.data(),
                                    static_cast<int32_t>(gbk.size()), &error);
    // Every byte gives at most one UTF-16 unit, so the buffer is large enough.
    if (U_FAILURE(error))
        return false;
    utf16.resize(static_cast<std::size_t>(n));
    return true;
}

bool Utf16ToGbk(std::u16string_view utf16, std::string& gbk)
{
    gbk.clear();
    if (utf16.empty())
        return true;
    UConverter* c = Converter();
    if (!c)
        return false;
    ucnv_resetFromUnicode(c);
    gbk.resize(utf16.size() * 2 + 1);
    UErrorCode error = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(c, gbk.data(), static_cast<int32_t>(gbk.size()), utf16.data(),
                                      static_cast<int32_t>(utf16.size()), &error);
    if (U_FAILURE(error))
        return false;
    gbk.resize(static_cast<std::size_t>(n));
    std::u16string back;
    return GbkToUtf16(gbk, back) && back == utf16;
}

#endif

} // namespace tessel
