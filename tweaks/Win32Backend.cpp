#include "tweaks/Win32Backend.h"

#include "tweaks/GbkCodec.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tessel {
namespace {

constexpr UINT kCodePage = 936;

HKEY ToHkey(RegistryBackend::Handle key)
{
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}

// Names reach here checked as code page 936 text.
std::wstring Wide(std::string_view gbk)
{
    std::u16string utf16;
    GbkToUtf16(gbk, utf16);
    return std::wstring(utf16.begin(), utf16.end());
}

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Text data converted as the A calls convert it, but always in code page
// 936, whatever the system's ANSI code page.
std::vector<std::uint8_t> WideDataToGbk(const std::vector<std::uint8_t>& data)
{
    const int units = static_cast<int>(data.size() / 2);
    if (units == 0)
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(data.data());
    const int n = WideCharToMultiByte(kCodePage, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(n > 0 ? n : 0));
    if (n > 0)
        WideCharToMultiByte(kCodePage, 0, wide, units, reinterpret_cast<char*>(out.data()), n, nullptr,
                            nullptr);
    return out;
}

// Followed by a character that is not zero: the registry adds a terminator
// to text whose next character in memory happens to be zero, and the store
// keeps exactly the bytes it is given.
std::vector<wchar_t> GbkDataToWide(const std::uint8_t* data, std::uint32_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const int n = size ? MultiByteToWideChar(kCodePage, 0, bytes, static_cast<int>(size), nullptr, 0) : 0;
    std::vector<wchar_t> out(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'?');
    if (n > 0)
        MultiByteToWideChar(kCodePage, 0, bytes, static_cast<int>(size), out.data(), n);
    return out;
}

} // namespace

long Win32Backend::DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key)
{
    const HKEY root = hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const std::wstring subKey = Wide(path);
    HKEY result = nullptr;
    DWORD disposition = 0;
    const LONG rc = RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                    nullptr, &result, &disposition);
    if (rc == ERROR_SUCCESS)
        key = reinterpret_cast<std::uintptr_t>(result);
    return rc;
}

long Win32Backend::DoOpenKey(Hive hive, std::string_view path, Handle& key)
{
    const HKEY root = hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const std::wstring subKey = Wide(path);
    HKEY result = nullptr;
    const LONG rc = RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &result);
    if (rc == ERROR_SUCCESS)
        key = reinterpret_cast<std::uintptr_t>(result);
    return rc;
}

long Win32Backend::DoQueryValue(Handle key, std::string_view name, RegValue& value)
{
    const std::wstring valueName = Wide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(ToHkey(key), valueName.c_str(), nullptr, &type, nullptr, &size);
    // Loop in case another program grows the value meanwhile.
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        // Never loaded beyond the registry's limit (text is kept wide: twice it in bytes).
        if (size > (IsText(type) ? 2 : 1) * limits::ValueDataBytes) {
            value.type = type;
            value.unloadedSize = IsText(type) ? size / 2 : size;
            return ERROR_SUCCESS;
        }
        value.data.resize(size);
        rc = RegQueryValueExW(ToHkey(key), valueName.c_str(), nullptr, &type,
                              value.data.empty() ? nullptr : value.data.data(), &size);
        if (rc == ERROR_SUCCESS) {
            value.type = type;
            value.data.resize(size);
            if (IsText(type))
                value.data = WideDataToGbk(value.data);
            return ERROR_SUCCESS;
        }
    }
    return rc;
}

long Win32Backend::DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size)
{
    const std::wstring valueName = Wide(name);
    static const BYTE empty = 0;
    if (IsText(type)) {
        const std::vector<wchar_t> wide = GbkDataToWide(data, size);
        return RegSetValueExW(ToHkey(key), valueName.c_str(), 0, type,
                              reinterpret_cast<const BYTE*>(wide.data()),
                              static_cast<DWORD>((wide.size() - 1) * sizeof(wchar_t)));
    }
    return RegSetValueExW(ToHkey(key), valueName.c_str(), 0, type, data ? data : &empty, size);
}

long Win32Backend::DoDeleteValue(Handle key, std::string_view name)
{
    return RegDeleteValueW(ToHkey(key), Wide(name).c_str());
}

long Win32Backend::DoCloseKey(Handle key)
{
    return RegCloseKey(ToHkey(key));
}

} // namespace tessel
