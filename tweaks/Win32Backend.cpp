#include "tweaks/Win32Backend.h"

#include <windows.h>

#include <string>

namespace tessel {
namespace {

HKEY ToHkey(RegistryBackend::Handle key)
{
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}

} // namespace

long Win32Backend::DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key)
{
    const HKEY root = hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const std::string subKey(path);
    HKEY result = nullptr;
    DWORD disposition = 0;
    const LONG rc = RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                    nullptr, &result, &disposition);
    if (rc == ERROR_SUCCESS)
        key = reinterpret_cast<std::uintptr_t>(result);
    return rc;
}

long Win32Backend::DoOpenKey(Hive hive, std::string_view path, Handle& key)
{
    const HKEY root = hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const std::string subKey(path);
    HKEY result = nullptr;
    const LONG rc = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &result);
    if (rc == ERROR_SUCCESS)
        key = reinterpret_cast<std::uintptr_t>(result);
    return rc;
}

long Win32Backend::DoQueryValue(Handle key, std::string_view name, RegValue& value)
{
    const std::string valueName(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &type, nullptr, &size);
    // The size asked for first may be larger than the data (strings are kept
    // wide); loop in case another program grows the value meanwhile.
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        value.data.resize(size);
        rc = RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &type,
                              value.data.empty() ? nullptr : value.data.data(), &size);
        if (rc == ERROR_SUCCESS) {
            value.type = type;
            value.data.resize(size);
            return ERROR_SUCCESS;
        }
    }
    return rc;
}

long Win32Backend::DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size)
{
    const std::string valueName(name);
    static const BYTE empty = 0;
    return RegSetValueExA(ToHkey(key), valueName.c_str(), 0, type, data ? data : &empty, size);
}

long Win32Backend::DoDeleteValue(Handle key, std::string_view name)
{
    const std::string valueName(name);
    return RegDeleteValueA(ToHkey(key), valueName.c_str());
}

long Win32Backend::DoCloseKey(Handle key)
{
    return RegCloseKey(ToHkey(key));
}

} // namespace tessel
