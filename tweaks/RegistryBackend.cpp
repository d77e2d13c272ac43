#include "tweaks/RegistryBackend.h"

#include "tweaks/NameFolding.h"

#include <algorithm>

namespace tessel {

std::string_view AnsiName(std::string_view name)
{
    return name.substr(0, name.find('\0'));
}

std::size_t AnsiCharCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto byte = static_cast<unsigned char>(text[i]);
        i += (byte >= 0x81 && byte <= 0xFE && i + 1 < text.size()) ? 2 : 1;
    }
    return count;
}

namespace {

bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// Offset of the next separator at or after `pos`, walking whole characters:
// the second byte of a GBK character may be 0x5C without being one.
std::size_t FindSeparator(std::string_view path, std::size_t pos)
{
    while (pos < path.size()) {
        const auto byte = static_cast<unsigned char>(path[pos]);
        if (byte == '\\')
            return pos;
        pos += (IsLeadByte(byte) && pos + 1 < path.size()) ? 2 : 1;
    }
    return path.size();
}

} // namespace

std::vector<std::string_view> SplitKeyPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos < path.size()) {
        const std::size_t end = FindSeparator(path, pos);
        if (end > pos)
            parts.push_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

long NormaliseKeyPath(std::string_view path, std::string& normalised)
{
    normalised.clear();
    if (!path.empty() && path.front() == '\\')
        return status::BadPathName;
    // The A calls convert the path into a buffer of MAX_PATH wide characters.
    if (AnsiCharCount(path) > limits::KeyPathChars)
        return status::MoreData;
    for (const std::string_view part : SplitKeyPath(path)) {
        if (AnsiCharCount(part) > limits::KeyNameChars || !IsValidAnsiName(part))
            return status::InvalidParameter;
        if (!normalised.empty())
            normalised += '\\';
        normalised += part;
    }
    return status::Success;
}

namespace {

// A name beyond the limit can never exist: reading or deleting it finds
// nothing, while storing it is refused.
long CheckValueName(std::string_view name, long tooLong)
{
    if (AnsiCharCount(name) > limits::ValueNameChars)
        return tooLong;
    return IsValidAnsiName(name) ? status::Success : status::InvalidParameter;
}

} // namespace

long RegistryBackend::CreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key)
{
    std::string normalised;
    if (const long rc = NormaliseKeyPath(AnsiName(path), normalised); rc != status::Success)
        return rc;
    return DoCreateKey(hive, normalised, access, key);
}

long RegistryBackend::OpenKey(Hive hive, std::string_view path, Handle& key)
{
    std::string normalised;
    if (const long rc = NormaliseKeyPath(AnsiName(path), normalised); rc != status::Success)
        return rc;
    return DoOpenKey(hive, normalised, key);
}

long RegistryBackend::QueryValue(Handle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size)
{
    name = AnsiName(name);
    if (const long rc = CheckValueName(name, status::FileNotFound); rc != status::Success)
        return rc;
    if (data && !size)
        return status::InvalidParameter;
    RegValue value;
    if (const long rc = DoQueryValue(key, name, value); rc != status::Success)
        return rc;
    if (type)
        *type = value.type;
    const auto needed = value.unloadedSize.value_or(static_cast<std::uint32_t>(value.data.size()));
    if (!size)
        return status::Success;
    if (data) {
        if (*size < needed) {
            *size = needed;
            return status::MoreData;
        }
        if (value.unloadedSize)
            return status::NotEnoughMemory;
        std::copy(value.data.begin(), value.data.end(), data);
    }
    *size = needed;
    return status::Success;
}

long RegistryBackend::SetValue(Handle key, std::string_view name, std::uint32_t type,
                               const std::uint8_t* data, std::size_t size)
{
    name = AnsiName(name);
    if (const long rc = CheckValueName(name, status::InvalidParameter); rc != status::Success)
        return rc;
    if (size > limits::ValueDataBytes || (size > 0 && !data))
        return status::InvalidParameter;
    return DoSetValue(key, name, type, data, static_cast<std::uint32_t>(size));
}

long RegistryBackend::DeleteValue(Handle key, std::string_view name)
{
    name = AnsiName(name);
    if (const long rc = CheckValueName(name, status::FileNotFound); rc != status::Success)
        return rc;
    return DoDeleteValue(key, name);
}

long RegistryBackend::QueryWholeValue(Handle key, std::string_view name, RegValue& value)
{
    name = AnsiName(name);
    value = RegValue{};
    if (const long rc = CheckValueName(name, status::FileNotFound); rc != status::Success)
        return rc;
    if (const long rc = DoQueryValue(key, name, value); rc != status::Success)
        return rc;
    return value.unloadedSize ? status::NotEnoughMemory : status::Success;
}

long RegistryBackend::CloseKey(Handle key)
{
    return DoCloseKey(key);
}

} // namespace tessel
