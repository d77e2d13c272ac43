#include "cli/FleetExport.h"

#include "tweaks/GbkCodec.h"
#include "tweaks/NameFolding.h"
#include "tweaks/TweakCatalogue.h"
#include "tweaks/TweakDescriptions.h"

#include <cstdio>

namespace tessel {
namespace {

// What the pass stores for an action; empty for a deletion.
std::optional<RegValue> ValueOf(const TweakAction& action)
{
    RegValue value;
    if (!ActionValue(action, value))
        return std::nullopt;
    return value;
}

std::u16string Wide(std::string_view ansi)
{
    // What a pass writes comes from the catalogue, whose texts code page 936 always holds.
    std::u16string wide;
    GbkToUtf16(ansi, wide);
    return wide;
}

std::u16string Ascii(std::string_view text)
{
    return {text.begin(), text.end()};
}

// Text as regedit quotes it: backslash and quotation mark are escaped.
std::u16string Quoted(std::u16string_view text)
{
    std::u16string out = u"\"";
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    return out + u"\"";
}

// REG_SZ data that reads back exactly from a quoted string: one final zero,
// none inside, no line breaks (which a quoted string cannot carry).
bool QuotableText(const std::vector<std::uint8_t>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n')
            return false;
    return true;
}

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text)
{
    std::vector<std::uint8_t> out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

// "hex:" or "hex(N):" and comma-separated bytes, wrapped as regedit wraps them:
// a line ends in ",\" before it passes 80 columns and goes on indented by two.
std::u16string HexData(std::uint32_t type, const std::vector<std::uint8_t>& bytes, std::size_t column)
{
    char prefix[16];
    if (type == regtype::Binary)
        std::snprintf(prefix, sizeof prefix, "hex:");
    else
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
    std::u16string out = Ascii(prefix);
    column += out.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char byte[3];
        std::snprintf(byte, sizeof byte, "%02x", bytes[i]);
        out += Ascii(byte);
        if (i + 1 == bytes.size())
            break;
        out += u',';
        column += 3;
        if (column >= 77) {
            out += u"\\\r\n  ";
            column = 2;
        }
    }
    return out;
}

std::u16string RegData(const RegValue& value, std::size_t column)
{
    switch (value.type) {
    case regtype::Sz:
        if (QuotableText(value.data))
            return Quoted(Wide({reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1}));
        break;
    case regtype::Dword:
        if (value.data.size() == 4) {
            char text[16];
            std::snprintf(text, sizeof text, "dword:%08x",
                          static_cast<unsigned>(DwordFromBytes(value.data.data())));
            return Ascii(text);
        }
        break;
    case regtype::Binary:
        return HexData(value.type, value.data, column);
    default:
        break;
    }
    // Text kinds travel as UTF-16, as regedit stores them through the W calls.
    if (value.type == regtype::Sz || value.type == regtype::ExpandSz)
        return HexData(
            value.type,
            Utf16Bytes(Wide({reinterpret_cast<const char*>(value.data.data()), value.data.size()})), column);
    return HexData(value.type, value.data, column);
}

// Single-quoted YAML: only the quote itself is doubled.
std::string Yaml(std::string_view text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

std::string TaskName(const PlannedValue& v)
{
    if (!v.row)
        return "First-run marker " + std::string(kFirstRunMarker);
    const std::string row = "Row " + std::to_string(RowIndex(*v.row) + 1) + " " +
                            std::string(v.row->caption) + " (" + std::string(v.row->mirrorValue) + ")";
    if (v.keyPath == kMirrorKey)
        return row + ": state mirror";
    const std::string name = v.valueName.empty() ? "(Default)" : AnsiToUtf8(v.valueName);
    return row + ": " + name;
}

std::string AnsibleData(const RegValue& value)
{
    const auto& d = value.data;
    switch (value.type) {
    case regtype::Dword:
        return std::to_string(DwordFromBytes(d.data()));
    case regtype::Sz:
    case regtype::ExpandSz: {
        std::string_view text(reinterpret_cast<const char*>(d.data()), d.size());
        text = text.substr(0, text.find('\0'));
        return Yaml(AnsiToUtf8(text));
    }
    default: {
        std::string hex = "hex:";
        char byte[4];
        for (std::size_t i = 0; i < d.size(); ++i) {
            std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", d[i]);
            hex += byte;
        }
        return Yaml(hex);
    }
    }
}

const char* AnsibleType(std::uint32_t type)
{
    switch (type) {
    case regtype::Sz:
        return "string";
    case regtype::ExpandSz:
        return "expandstring";
    case regtype::Dword:
        return "dword";
    default:
        return "binary";
    }
}

} // namespace

std::vector<PlannedValue> PlanApply(const TweakTicks& ticks)
{
    std::vector<PlannedValue> out;
    out.push_back(
        {nullptr, Hive::CurrentUser, kProgramKey, kFirstRunMarker, ValueOf({ActionKind::Text, 0, "1"})});
    for (const TweakEntry& row : Catalogue()) {
        const bool apply = ticks.IsTicked(row);
        for (const TweakWrite& write : row.writes) {
            out.push_back({&row, row.hive, write.keyPath, write.valueName,
                           ValueOf(apply ? write.applied : write.reverted)});
        }
        out.push_back({&row, Hive::CurrentUser, kMirrorKey, row.mirrorValue,
                       ValueOf({ActionKind::Dword, apply ? 1 : 0, {}})});
    }
    return out;
}

std::string ToRegFile(std::span<const PlannedValue> values)
{
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n";
    const PlannedValue* section = nullptr;
    for (const PlannedValue& v : values) {
        if (!section || section->hive != v.hive || section->keyPath != v.keyPath) {
            text += u"\r\n[" + Ascii(HiveName(v.hive)) + u"\\" + Wide(v.keyPath) + u"]\r\n";
            section = &v;
        }
        std::u16string line = v.valueName.empty() ? u"@" : Quoted(Wide(v.valueName));
        line += u'=';
        line += v.value ? RegData(*v.value, line.size()) : u"-";
        text += line + u"\r\n";
    }
    text += u"\r\n";
    std::string bytes = "\xFF\xFE";
    for (std::uint8_t b : Utf16Bytes(text))
        bytes += static_cast<char>(b);
    return bytes;
}

std::string ToAnsiblePlaybook(std::span<const PlannedValue> values)
{
    std::string out = "---\n"
                      "# What `tessel apply` with these ticks writes, as ansible.windows.win_regedit tasks.\n"
                      "# HKCU tasks act on the user Ansible connects as (that account's HKEY_CURRENT_USER),\n"
                      "# not on the other users of a machine; HKLM tasks need an administrator.\n"
                      "- name: Tessel tweaks\n"
                      "  hosts: all\n"
                      "  gather_facts: false\n"
                      "  tasks:\n";
    for (const PlannedValue& v : values) {
        out += "    - name: " + Yaml(TaskName(v)) + "\n";
        out += "      ansible.windows.win_regedit:\n";
        out += "        path: " +
               Yaml((v.hive == Hive::CurrentUser ? "HKCU:\\" : "HKLM:\\") + AnsiToUtf8(v.keyPath)) + "\n";
        if (!v.valueName.empty())
            out += "        name: " + Yaml(AnsiToUtf8(v.valueName)) + "\n";
        if (v.value) {
            out += "        data: " + AnsibleData(*v.value) + "\n";
            out += std::string("        type: ") + AnsibleType(v.value->type) + "\n";
            out += "        state: present\n";
        } else {
            out += "        state: absent\n";
            // Without a name, absent would remove the whole key.
            if (v.valueName.empty())
                out += "        delete_key: false\n";
        }
    }
    return out;
}

} // namespace tessel
