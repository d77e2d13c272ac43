#pragma once

#include "tweaks/RegistryBackend.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessel {

// Raised by failed reads and writes; the message (UTF-8) names the value.
class ERegistryException final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One short step of registry work: select a hive, open one key, read or write
// a few values, close. Opening never raises; failed reads and writes do.
class TRegistry final
{
public:
    explicit TRegistry(RegistryBackend& backend);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    void SelectRoot(Hive hive);
    Hive Root() const { return root_; }

    // The path is taken from the root of the selected hive; one leading
    // backslash is dropped. On failure nothing changes.
    bool OpenKeyCreating(std::string_view path);
    bool HasCurrentKey() const { return key_.has_value(); }
    const std::string& CurrentPath() const { return currentPath_; }

    bool HasValue(std::string_view name);
    std::int32_t ReadDword(std::string_view name);
    // ReadDword of a value that may be missing, in one query: empty where
    // HasValue would be false, and the same errors as ReadDword otherwise.
    std::optional<std::int32_t> ReadDwordIfPresent(std::string_view name);
    std::string ReadText(std::string_view name);
    void WriteDword(std::string_view name, std::int32_t value);
    void WriteText(std::string_view name, std::string_view text);
    void WriteBytes(std::string_view name, const void* data, std::size_t count);
    // Stores the kind and bytes exactly as given.
    void WriteValue(std::string_view name, const RegValue& value);
    // Never raises; callers are free to ignore the result.
    bool RemoveValue(std::string_view name);
    void CloseCurrentKey();

private:
    void Write(std::string_view name, std::uint32_t type, const std::uint8_t* data, std::size_t size);

    RegistryBackend& backend_;
    Hive root_ = Hive::CurrentUser;
    std::optional<RegistryBackend::Handle> key_;
    std::string currentPath_;
    std::uint32_t access_ = KeyAllAccess;
};

} // namespace tessel
