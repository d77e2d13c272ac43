// Prints every value the tweaks write and every mirror value, from this
// platform's registry (the hives of $TESSEL_HKCU_DB/$TESSEL_HKLM_DB, or the
// real one on Windows), one line each in the order of the catalogue:
//   HIVE\KEY|NAME|TYPE|DATA        or        HIVE\KEY|NAME|(missing)
// as `reg query KEY /v NAME` shows them, so the Windows job can compare a
// session's registry on Wine with the same session's hives here.
#include "tweaks/DefaultBackend.h"
#include "tweaks/GbkCodec.h"
#include "tweaks/TweakCatalogue.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tessel;

std::string Utf8(const std::string& gbk)
{
    std::u16string utf16;
    if (!GbkToUtf16(gbk, utf16))
        return "(not GBK)";
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        std::uint32_t c = utf16[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Data(std::uint32_t type, const std::vector<std::uint8_t>& bytes)
{
    char buffer[16];
    switch (type) {
    case regtype::Dword: {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
            v |= std::uint32_t(bytes[i]) << (8 * i);
        std::snprintf(buffer, sizeof buffer, "0x%x", v);
        return bytes.size() == 4 ? buffer : "(bad dword)";
    }
    case regtype::Sz:
    case regtype::ExpandSz: {
        std::string text(bytes.begin(), bytes.end());
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        return Utf8(text);
    }
    default: {
        std::string hex;
        for (std::uint8_t b : bytes) {
            std::snprintf(buffer, sizeof buffer, "%02X", b);
            hex += buffer;
        }
        return hex;
    }
    }
}

const char* TypeName(std::uint32_t type)
{
    switch (type) {
    case regtype::Sz:
        return "REG_SZ";
    case regtype::ExpandSz:
        return "REG_EXPAND_SZ";
    case regtype::Binary:
        return "REG_BINARY";
    case regtype::Dword:
        return "REG_DWORD";
    case regtype::MultiSz:
        return "REG_MULTI_SZ";
    default:
        return "REG_NONE";
    }
}

void Print(RegistryBackend& registry, Hive hive, std::string_view key, std::string_view name)
{
    const char* root = hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
    std::printf("%s\\%.*s|%.*s|", root, int(key.size()), key.data(), int(name.size()), name.data());
    RegistryBackend::Handle handle = 0;
    std::uint32_t type = 0, size = 0;
    if (registry.OpenKey(hive, key, handle) != status::Success) {
        std::printf("(missing)\n");
        return;
    }
    std::vector<std::uint8_t> bytes;
    long result = registry.QueryValue(handle, name, &type, nullptr, &size);
    if (result == status::Success) {
        bytes.resize(size);
        result = registry.QueryValue(handle, name, &type, bytes.data(), &size);
        bytes.resize(size);
    }
    registry.CloseKey(handle);
    if (result != status::Success)
        std::printf("(missing)\n");
    else
        std::printf("%s|%s\n", TypeName(type), Data(type, bytes).c_str());
}

} // namespace

int main()
{
    const std::unique_ptr<RegistryBackend> registry = MakeDefaultBackend();
    for (const TweakEntry& tweak : Catalogue())
        for (const TweakWrite& write : tweak.writes)
            Print(*registry, tweak.hive, write.keyPath, write.valueName);
    for (const TweakEntry& tweak : Catalogue())
        Print(*registry, Hive::CurrentUser, kMirrorKey, tweak.mirrorValue);
    return 0;
}
