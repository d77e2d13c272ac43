#pragma once

#include "tweaks/RegistryBackend.h"

namespace tessel {

// The real registry, through advapi32's wide calls: names and text are
// converted from code page 936 here, so it behaves alike on every Windows.
class Win32Backend final : public RegistryBackend
{
protected:
    long DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key) override;
    long DoOpenKey(Hive hive, std::string_view path, Handle& key) override;
    long DoQueryValue(Handle key, std::string_view name, RegValue& value) override;
    long DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    long DoDeleteValue(Handle key, std::string_view name) override;
    long DoCloseKey(Handle key) override;
};

} // namespace tessel
