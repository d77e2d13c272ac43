#include "cli/GroupPolicy.h"

#include "tweaks/GbkCodec.h"
#include "tweaks/NameFolding.h"
#include "tweaks/TweakCatalogue.h"
#include "tweaks/TweakDescriptions.h"

#include <stdexcept>

namespace tessel {
namespace {

void PutChar(std::string& out, char16_t c)
{
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
}

void PutDword(std::string& out, std::uint32_t value)
{
    for (std::uint8_t byte : DwordBytes(value))
        out += static_cast<char>(byte);
}

std::u16string Wide(std::string_view ansi)
{
    std::u16string wide;
    if (!GbkToUtf16(ansi, wide))
        throw std::runtime_error("text that is not code page 936 cannot go into Registry.pol");
    return wide;
}

// A string with its terminating zero.
void PutText(std::string& out, std::u16string_view text)
{
    for (char16_t c : text)
        PutChar(out, c);
    PutChar(out, 0);
}

std::string PolData(const RegValue& value)
{
    if (value.type != regtype::Sz && value.type != regtype::ExpandSz)
        return {value.data.begin(), value.data.end()};
    // The ANSI bytes as they stand, their final zero included, become UTF-16LE.
    std::string out;
    for (char16_t c : Wide({reinterpret_cast<const char*>(value.data.data()), value.data.size()}))
        PutChar(out, c);
    return out;
}

void PutEntry(std::string& out, std::string_view key, std::u16string_view name, std::uint32_t type,
              std::string_view data)
{
    PutChar(out, u'[');
    PutText(out, Wide(key));
    PutChar(out, u';');
    PutText(out, name);
    PutChar(out, u';');
    PutDword(out, type);
    PutChar(out, u';');
    PutDword(out, static_cast<std::uint32_t>(data.size()));
    PutChar(out, u';');
    out += data;
    PutChar(out, u']');
}

// ---- The administrative template.

class AllTicks final : public TweakTicks
{
public:
    explicit AllTicks(bool ticked) : ticked_(ticked) {}
    bool IsTicked(const TweakEntry&) const override { return ticked_; }
    void SetTicked(const TweakEntry&, bool) override {}

private:
    bool ticked_;
};

// One row's values, applied and reverted, as the pass writes them.
struct RowValues
{
    const TweakEntry* row;
    std::vector<PlannedValue> applied;
    std::vector<PlannedValue> reverted;
};

std::vector<PlannedValue> ValuesOf(const std::vector<PlannedValue>& plan, const TweakEntry& row)
{
    std::vector<PlannedValue> out;
    for (const PlannedValue& v : plan)
        if (v.row == &row && v.keyPath != kMirrorKey)
            out.push_back(v);
    return out;
}

std::vector<RowValues> PlannedRows()
{
    const std::vector<PlannedValue> on = PlanApply(AllTicks(true));
    const std::vector<PlannedValue> off = PlanApply(AllTicks(false));
    std::vector<RowValues> out;
    for (const TweakEntry& row : Catalogue())
        out.push_back({&row, ValuesOf(on, row), ValuesOf(off, row)});
    return out;
}

constexpr std::size_t kTemplateTextLimit = 255;

// The text of a REG_SZ that a template's <string> states exactly, if any.
std::optional<std::string> TemplateText(const RegValue& value)
{
    const auto& d = value.data;
    if (value.type != regtype::Sz || d.empty() || d.back() != 0)
        return std::nullopt;
    const std::string_view ansi(reinterpret_cast<const char*>(d.data()), d.size() - 1);
    // One line of characters that XML can carry.
    for (char c : ansi)
        if (static_cast<unsigned char>(c) < 0x20)
            return std::nullopt;
    std::u16string wide;
    if (!GbkToUtf16(ansi, wide) || wide.size() > kTemplateTextLimit)
        return std::nullopt;
    return AnsiToUtf8(ansi);
}

bool Expressible(const PlannedValue& v)
{
    if (v.valueName.empty())
        return false;
    if (!v.value)
        return true;
    if (v.value->type == regtype::Dword)
        return v.value->data.size() == 4;
    return TemplateText(*v.value).has_value();
}

bool Expressible(const RowValues& row)
{
    for (const auto* list : {&row.applied, &row.reverted})
        for (const PlannedValue& v : *list)
            if (!Expressible(v))
                return false;
    return !row.applied.empty() && row.applied.size() == row.reverted.size();
}

std::string Xml(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Utf8(std::string_view ansi)
{
    return IsValidAnsiName(ansi) ? AnsiToUtf8(ansi) : std::string(ansi);
}

// <delete/>, <decimal value="..."/> or <string>...</string>.
std::string ValueElement(const PlannedValue& v)
{
    if (!v.value)
        return "<delete />";
    const auto& d = v.value->data;
    if (v.value->type == regtype::Dword)
        return "<decimal value=\"" + std::to_string(DwordFromBytes(d.data())) + "\" />";
    return "<string>" + Xml(*TemplateText(*v.value)) + "</string>";
}

std::string ValueList(const char* element, const std::vector<PlannedValue>& values)
{
    std::string out = std::string("      <") + element + ">\n";
    for (const PlannedValue& v : values)
        out += "        <item key=\"" + Xml(Utf8(v.keyPath)) + "\" valueName=\"" + Xml(Utf8(v.valueName)) +
               "\"><value>" + ValueElement(v) + "</value></item>\n";
    return out + "      </" + element + ">\n";
}

std::string TabCategory(int tab)
{
    return "Tab" + std::to_string(tab);
}

std::string PolicyName(const TweakEntry& row)
{
    return std::string(row.mirrorValue);
}

constexpr const char* kNamespaces =
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "revision=\"1.0\" schemaVersion=\"1.0\" "
    "xmlns=\"http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions\"";

std::string Admx(const std::vector<RowValues>& rows)
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<!-- What `tessel apply` writes, as Group Policy settings: enabled applies a row, "
        "disabled reverts it. -->\n"
        "<policyDefinitions " +
        std::string(kNamespaces) +
        ">\n"
        "  <policyNamespaces>\n"
        "    <target prefix=\"tessel\" namespace=\"Tessel.Policies.Tessel\" />\n"
        "  </policyNamespaces>\n"
        "  <resources minRequiredRevision=\"1.0\" />\n"
        "  <supportedOn>\n"
        "    <definitions>\n"
        "      <definition name=\"SUPPORTED_Tessel\" displayName=\"$(string.SUPPORTED_Tessel)\" />\n"
        "    </definitions>\n"
        "  </supportedOn>\n"
        "  <categories>\n"
        "    <category name=\"Tessel\" displayName=\"$(string.Tessel)\" />\n";
    for (int tab = 1; tab <= 3; ++tab)
        out += "    <category name=\"" + TabCategory(tab) + "\" displayName=\"$(string." + TabCategory(tab) +
               ")\">\n      <parentCategory ref=\"Tessel\" />\n    </category>\n";
    out += "  </categories>\n  <policies>\n";
    for (const RowValues& row : rows) {
        if (!Expressible(row))
            continue;
        const std::string name = PolicyName(*row.row);
        const PlannedValue& first = row.applied.front();
        const bool single = row.applied.size() == 1;
        out += "    <policy name=\"" + name + "\" class=\"" +
               (row.row->hive == Hive::CurrentUser ? "User" : "Machine") + "\" displayName=\"$(string." +
               name + ")\" explainText=\"$(string." + name + "_Help)\" key=\"" + Xml(Utf8(first.keyPath)) +
               "\"";
        if (single)
            out += " valueName=\"" + Xml(Utf8(first.valueName)) + "\"";
        out += ">\n      <parentCategory ref=\"" + TabCategory(row.row->tab) +
               "\" />\n      <supportedOn ref=\"SUPPORTED_Tessel\" />\n";
        if (single) {
            out += "      <enabledValue>" + ValueElement(first) + "</enabledValue>\n";
            out += "      <disabledValue>" + ValueElement(row.reverted.front()) + "</disabledValue>\n";
        } else {
            out += ValueList("enabledList", row.applied);
            out += ValueList("disabledList", row.reverted);
        }
        out += "    </policy>\n";
    }
    return out + "  </policies>\n</policyDefinitions>\n";
}

// The template's own words, per language.
struct TemplateTexts
{
    Language language;
    const char* supportedOn;
    const char* states;    // ends every explain text
    const char* summary;   // %1: rows in the template, %2: all rows
    const char* leftOut;   // before the list of rows left out
    const char* separator; // between them
    const char* quoteOpen; // around each row's title
    const char* quoteClose;
    const char* afterward; // after the list
};

constexpr TemplateTexts kTexts[] = {
    {Language::Chinese, "Tessel 1.2 写入的 Windows 注册表值",
     "\n启用此策略即应用此项（写入“应用”的值），禁用即撤消此项（写入“撤消”的值或删除）。",
     "Tessel 的设置，与“确定”按钮应用和撤消的注册表值相同。模板包含 %1 项（共 %2 项）。"
     "策略改回“未配置”时，Policies 键以外的值仍留在注册表中；要撤消某项，请把它设为“已禁用”。",
     "以下各项写入二进制数据或键的默认值，管理模板无法准确表达，因此不在模板中：", "、", "“", "”",
     "。它们随 Registry.pol 和 .reg 导出（tessel export --format pol 或 reg）。"},
    {Language::English, "Windows registry values that Tessel 1.2 writes",
     "\nEnabling this policy applies the setting (writes the Applied values); disabling it reverts "
     "the setting (writes the Reverted values or deletes them).",
     "Tessel's settings: the registry values that its OK button applies and reverts. The template "
     "holds %1 of the %2 rows. Setting a policy back to Not Configured leaves values outside the "
     "Policies keys in the registry; set it to Disabled to revert a row. ",
     "These rows write binary data or a key's default value, which an administrative template cannot "
     "state exactly, so they are left out: ",
     ", ", "\"", "\"", ". They travel in Registry.pol and .reg files (tessel export --format pol or reg)."},
};

std::string Replace(std::string text, std::string_view mark, const std::string& with)
{
    const std::size_t at = text.find(mark);
    if (at != std::string::npos)
        text.replace(at, mark.size(), with);
    return text;
}

std::string StringEntry(std::string_view id, std::string_view text)
{
    return "      <string id=\"" + std::string(id) + "\">" + Xml(text) + "</string>\n";
}

std::string Adml(const std::vector<RowValues>& rows, const TemplateTexts& texts)
{
    std::string leftOut;
    int inTemplate = 0;
    for (const RowValues& row : rows) {
        if (Expressible(row)) {
            ++inTemplate;
            continue;
        }
        if (!leftOut.empty())
            leftOut += texts.separator;
        leftOut += texts.quoteOpen + std::string(TweakTitle(*row.row, texts.language)) + texts.quoteClose;
    }
    std::string description =
        Replace(Replace(texts.summary, "%1", std::to_string(inTemplate)), "%2", std::to_string(rows.size()));
    if (!leftOut.empty())
        description += std::string(texts.leftOut) + leftOut + texts.afterward;

    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<policyDefinitionResources " +
                      std::string(kNamespaces) + ">\n  <displayName>Tessel</displayName>\n  <description>" +
                      Xml(description) + "</description>\n  <resources>\n    <stringTable>\n";
    out += StringEntry("Tessel", "Tessel");
    out += StringEntry("SUPPORTED_Tessel", texts.supportedOn);
    for (int tab = 1; tab <= 3; ++tab)
        out += StringEntry(TabCategory(tab), TabTitle(tab, texts.language));
    for (const RowValues& row : rows) {
        if (!Expressible(row))
            continue;
        const std::string name = PolicyName(*row.row);
        out += StringEntry(name, TweakTitle(*row.row, texts.language));
        out += StringEntry(name + "_Help", DescriptionText(*row.row, texts.language) + texts.states);
    }
    return out + "    </stringTable>\n  </resources>\n</policyDefinitionResources>\n";
}

// Windows' own template files end their lines with CR LF.
std::string WindowsLines(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

std::string ToRegistryPol(std::span<const PlannedValue> values, Hive hive)
{
    std::string out = "PReg";
    PutDword(out, 1);
    for (const PlannedValue& v : values) {
        if (v.hive != hive)
            continue;
        if (v.value) {
            PutEntry(out, v.keyPath, Wide(v.valueName), v.value->type, PolData(*v.value));
        } else {
            std::string space;
            PutText(space, u" ");
            PutEntry(out, v.keyPath, u"**del." + Wide(v.valueName), regtype::Sz, space);
        }
    }
    return out;
}

std::string GptIni()
{
    // The user version in the high word, the machine version in the low one.
    return "[General]\r\nVersion=" + std::to_string((1u << 16) | 1u) + "\r\n";
}

AdministrativeTemplate ToAdministrativeTemplate()
{
    const std::vector<RowValues> rows = PlannedRows();
    return {WindowsLines(Admx(rows)), WindowsLines(Adml(rows, kTexts[0])),
            WindowsLines(Adml(rows, kTexts[1]))};
}

} // namespace tessel
