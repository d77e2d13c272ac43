#include "tweaks/TRegistry.h"

#include "tweaks/NameFolding.h"

#include <array>
#include <vector>

namespace tessel {
namespace {

[[noreturn]] void Raise(const char* format, std::string_view name)
{
    std::string message(format);
    // Messages travel as UTF-8 like every other text of the program.
    message.replace(message.find("%s"), 2, IsValidAnsiName(name) ? AnsiToUtf8(name) : std::string(name));
    throw ERegistryException(message);
}

constexpr const char* kGetFailed = "Failed to get data for '%s'";
constexpr const char* kSetFailed = "Failed to set data for '%s'";
constexpr const char* kBadType = "Invalid data type for '%s'";

} // namespace

TRegistry::TRegistry(RegistryBackend& backend) : backend_(backend) {}

TRegistry::~TRegistry()
{
    CloseCurrentKey();
}

void TRegistry::SelectRoot(Hive hive)
{
    if (hive == root_)
        return;
    CloseCurrentKey();
    root_ = hive;
}

bool TRegistry::OpenKeyCreating(std::string_view path)
{
    if (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    RegistryBackend::Handle key = 0;
    if (backend_.CreateKey(root_, path, access_, key) != status::Success)
        return false;
    CloseCurrentKey();
    key_ = key;
    currentPath_ = std::string(path);
    return true;
}

bool TRegistry::HasValue(std::string_view name)
{
    if (!key_)
        return false;
    std::uint32_t size = 0;
    return backend_.QueryValue(*key_, name, nullptr, nullptr, &size) == status::Success;
}

std::int32_t TRegistry::ReadDword(std::string_view name)
{
    std::array<std::uint8_t, 4> bytes{};
    std::uint32_t size = bytes.size();
    std::uint32_t type = regtype::None;
    if (!key_ || backend_.QueryValue(*key_, name, &type, bytes.data(), &size) != status::Success)
        Raise(kGetFailed, name);
    if (type != regtype::Dword)
        Raise(kBadType, name);
    return static_cast<std::int32_t>(DwordFromBytes(bytes.data()));
}

std::optional<std::int32_t> TRegistry::ReadDwordIfPresent(std::string_view name)
{
    std::array<std::uint8_t, 4> bytes{};
    std::uint32_t size = bytes.size();
    std::uint32_t type = regtype::None;
    if (!key_)
        Raise(kGetFailed, name);
    const long rc = backend_.QueryValue(*key_, name, &type, bytes.data(), &size);
    // Present but longer than four bytes.
    if (rc == status::MoreData)
        Raise(kGetFailed, name);
    if (rc != status::Success)
        return std::nullopt;
    if (type != regtype::Dword)
        Raise(kBadType, name);
    return static_cast<std::int32_t>(DwordFromBytes(bytes.data()));
}

std::string TRegistry::ReadText(std::string_view name)
{
    if (!key_)
        return {};
    std::uint32_t size = 0;
    const long found = backend_.QueryValue(*key_, name, nullptr, nullptr, &size);
    // Only a value that is not there reads as empty text; one that cannot be
    // read (too large, a damaged hive) must not pass for an empty password.
    if (found == status::FileNotFound || found == status::KeyDeleted ||
        (found == status::Success && size == 0))
        return {};
    // Nor is a value beyond the registry's limit ever loaded.
    if (found != status::Success || size > limits::ValueDataBytes)
        Raise(kGetFailed, name);
    std::vector<std::uint8_t> data(size);
    std::uint32_t type = regtype::None;
    // Another program may grow the value between the two queries.
    long rc = backend_.QueryValue(*key_, name, &type, data.data(), &size);
    if (rc == status::MoreData) {
        data.resize(size);
        rc = backend_.QueryValue(*key_, name, &type, data.data(), &size);
    }
    if (rc != status::Success)
        Raise(kGetFailed, name);
    if (type != regtype::Sz && type != regtype::ExpandSz)
        Raise(kBadType, name);
    std::string text(data.begin(), data.begin() + size);
    return text.substr(0, text.find('\0'));
}

void TRegistry::Write(std::string_view name, std::uint32_t type, const std::uint8_t* data, std::size_t size)
{
    if (!key_ || backend_.SetValue(*key_, name, type, data, size) != status::Success)
        Raise(kSetFailed, name);
}

void TRegistry::WriteDword(std::string_view name, std::int32_t value)
{
    const auto bytes = DwordBytes(static_cast<std::uint32_t>(value));
    Write(name, regtype::Dword, bytes.data(), bytes.size());
}

void TRegistry::WriteText(std::string_view name, std::string_view text)
{
    // The text reads back only up to its first zero: never store more.
    if (text.find('\0') != std::string_view::npos)
        Raise(kSetFailed, name);
    std::string stored(text);
    stored += '\0';
    Write(name, regtype::Sz, reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size());
}

void TRegistry::WriteBytes(std::string_view name, const void* data, std::size_t count)
{
    Write(name, regtype::Binary, static_cast<const std::uint8_t*>(data), count);
}

void TRegistry::WriteValue(std::string_view name, const RegValue& value)
{
    Write(name, value.type, value.data.data(), value.data.size());
}

bool TRegistry::RemoveValue(std::string_view name)
{
    return key_ && backend_.DeleteValue(*key_, name) == status::Success;
}

void TRegistry::CloseCurrentKey()
{
    if (!key_)
        return;
    backend_.CloseKey(*key_);
    key_.reset();
    currentPath_.clear();
}

} // namespace tessel
