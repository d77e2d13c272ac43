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

long NormaliseKeyPath(std::string_view path, std::string& normalised)
{
    normalised.clear();
    if (!path.empty() && path.front() == '\\')
        return status::BadPathName;
    if (AnsiCharCount(path) > limits::KeyPathChars)
        return status::InvalidParameter;
    std::size_t pos = 0;
    while (pos < path.size()) {
        const std::size_t end = std::min(path.find('\\', pos), path.size());
        if (end > pos) {
            const std::string_view part = path.substr(pos, end - pos);
            if (AnsiCharCount(part) > limits::KeyNameChars || !IsValidAnsiName(part))
                return status::InvalidParameter;
            if (!normalised.empty())
                normalised += '\\';
            normalised += part;
        }
        pos = end + 1;
    }
    return status::Success;
}

namespace {

long CheckValueName(std::string_view name)
{
    if (AnsiCharCount(name) > limits::ValueNameChars || !IsValidAnsiName(name))
        return status::InvalidParameter;
    return status::Success;
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
    if (const long rc = CheckValueName(name); rc != status::Success)
        return rc;
    if (data && !size)
        return status::InvalidParameter;
    RegValue value;
    if (const long rc = DoQueryValue(key, name, value); rc != status::Success)
        return rc;
    // The ANSI query hands back a text that was stored without its terminator
    // with one added.
    const bool text =
        value.type == regtype::Sz || value.type == regtype::ExpandSz || value.type == regtype::MultiSz;
    if (text && !value.data.empty() && value.data.back() != 0)
        value.data.push_back(0);
    if (type)
        *type = value.type;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (!size)
        return status::Success;
    if (data) {
        if (*size < needed) {
            *size = needed;
            return status::MoreData;
        }
        std::copy(value.data.begin(), value.data.end(), data);
    }
    *size = needed;
    return status::Success;
}

long RegistryBackend::SetValue(Handle key, std::string_view name, std::uint32_t type,
                               const std::uint8_t* data, std::size_t size)
{
    name = AnsiName(name);
    if (const long rc = CheckValueName(name); rc != status::Success)
        return rc;
    if (size > limits::ValueDataBytes || (size > 0 && !data))
        return status::InvalidParameter;
    return DoSetValue(key, name, type, data, static_cast<std::uint32_t>(size));
}

long RegistryBackend::DeleteValue(Handle key, std::string_view name)
{
    name = AnsiName(name);
    if (const long rc = CheckValueName(name); rc != status::Success)
        return rc;
    return DoDeleteValue(key, name);
}

long RegistryBackend::CloseKey(Handle key)
{
    return DoCloseKey(key);
}

} // namespace tessel
