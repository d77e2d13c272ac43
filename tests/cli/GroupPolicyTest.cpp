#include "cli/GroupPolicy.h"
#include "cli/CommandLine.h"
#include "cli/ExportFiles.h"
#include "tests/support/TestBackends.h"
#include "tweaks/TweakCatalogue.h"
#include "tweaks/TweakDescriptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace tessel::test {
namespace {

using namespace std::string_literals;

RegValue Value(std::uint32_t type, const std::string& bytes)
{
    RegValue value;
    value.type = type;
    value.data.assign(bytes.begin(), bytes.end());
    return value;
}

// Text as UTF-16LE with its terminating zero, for ASCII.
std::string U16(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += {c, '\0'};
    return out + "\0\0"s;
}

std::string Dword(std::uint32_t v)
{
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string Entry(std::string_view key, const std::string& name, std::uint32_t type, const std::string& data)
{
    return "[\0"s + U16(key) + ";\0"s + name + ";\0"s + Dword(type) + ";\0"s +
           Dword(std::uint32_t(data.size())) + ";\0"s + data + "]\0"s;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(RegistryPol, EntriesAreTheExactBytesOfEachValueAndRemoval)
{
    const TweakEntry* row = &Row("NoViewContextMenu");
    struct Case
    {
        const char* name;
        std::optional<RegValue> value;
        std::string entryName;
        std::uint32_t type;
        std::string data;
    };
    const Case cases[] = {
        {"NoDrives", Value(4, "\xFF\xFF\xFF\xFF"), U16("NoDrives"), 4, "\xFF\xFF\xFF\xFF"},
        {"NoLogOff", Value(3, "\x01\0\0\0"s), U16("NoLogOff"), 3, "\x01\0\0\0"s},
        {"", Value(1, "txtfile\0"s), U16(""), 1, U16("txtfile")},
        // GBK text becomes UTF-16: 中文 is U+4E2D U+6587.
        {"Text", Value(1, "\xD6\xD0\xCE\xC4\0"s), U16("Text"), 1, "\x2D\x4E\x87\x65\0\0"s},
        {"Path", Value(2, "%a%\0"s), U16("Path"), 2, U16("%a%")},
        {"NoRun", std::nullopt, U16("**del.NoRun"), 1, U16(" ")},
        {"", std::nullopt, U16("**del."), 1, U16(" ")},
    };
    for (const Case& c : cases) {
        const PlannedValue values[] = {{row, Hive::CurrentUser, "Software\\T", c.name, c.value},
                                       {row, Hive::LocalMachine, "Software\\M", "Other", c.value}};
        EXPECT_EQ(Hex(ToRegistryPol(values, Hive::CurrentUser)),
                  Hex("PReg\x01\0\0\0"s + Entry("Software\\T", c.entryName, c.type, c.data)))
            << c.name;
    }
    EXPECT_EQ(GptIni(), "[General]\r\nVersion=65537\r\n");
}

TEST(GroupPolicyExport, FoldersHoldTheirFilesAndFailuresNameTheFile)
{
    TempDir dir;
    const TickSet ticks = TickSet::All();
    std::ofstream(dir.File("gpo-other.txt")) << "kept";
    const std::vector<ExportFile> pol = ExportFiles(ExportFormat::Pol, ticks);
    WriteExport(dir.File("gpo"), pol);
    const std::vector<PlannedValue> plan = PlanApply(ticks);
    EXPECT_EQ(ReadAll(dir.File("gpo/Machine/Registry.pol")), ToRegistryPol(plan, Hive::LocalMachine));
    EXPECT_EQ(ReadAll(dir.File("gpo/User/Registry.pol")), ToRegistryPol(plan, Hive::CurrentUser));
    EXPECT_EQ(ReadAll(dir.File("gpo/GPT.INI")), GptIni());
    EXPECT_EQ(ReadAll(dir.File("gpo-other.txt")), "kept");

    const std::vector<ExportFile> admx = ExportFiles(ExportFormat::Admx, ticks);
    WriteExport(dir.File("admx"), admx);
    const AdministrativeTemplate files = ToAdministrativeTemplate();
    EXPECT_EQ(ReadAll(dir.File("admx/tessel.admx")), files.admx);
    EXPECT_EQ(ReadAll(dir.File("admx/zh-CN/tessel.adml")), files.chinese);
    EXPECT_EQ(ReadAll(dir.File("admx/en-US/tessel.adml")), files.english);

    // A file format writes the one file; a folder that is a file, or a file in a missing folder, fails.
    WriteExport(dir.File("office.reg"), ExportFiles(ExportFormat::Reg, ticks));
    EXPECT_EQ(ReadAll(dir.File("office.reg")), ToRegFile(plan));
    try {
        WriteExport(dir.File("office.reg"), pol);
        ADD_FAILURE() << "a file taken for a folder";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("office.reg"), std::string::npos) << error.what();
    }
    EXPECT_THROW(WriteExport(dir.File("missing/office.reg"), ExportFiles(ExportFormat::Reg, ticks)),
                 std::runtime_error);
}

TEST(GroupPolicyExport, CommandLineWritesFoldersAndRefusesWhatCannotBe)
{
    BackendUnderTest backend(PlatformBackends().front());
    TempDir dir;
    auto tessel = [&](std::vector<std::string> args) {
        std::istringstream in;
        std::ostringstream out, err;
        CommandIo io{in, out, err, [&] { return std::make_unique<FailingBackend>(backend.Get()); },
                     [] { return std::optional<std::string>(); }};
        const int code = RunCommandLine(args, io);
        return std::pair(code, err.str());
    };
    const std::string before = Snapshot(backend.Get());
    EXPECT_EQ(tessel({"export", "--format", "pol", "--on", "NoDrives", "-o", dir.File("gpo")}).first,
              exitcode::Done);
    TickSet ticks;
    ticks.ticked = {"NoDrives"};
    EXPECT_EQ(ReadAll(dir.File("gpo/User/Registry.pol")), ToRegistryPol(PlanApply(ticks), Hive::CurrentUser));
    EXPECT_EQ(tessel({"export", "--format", "admx", "-o", dir.File("admx")}).first, exitcode::Done);
    EXPECT_EQ(ReadAll(dir.File("admx/en-US/tessel.adml")), ToAdministrativeTemplate().english);

    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"export", "--format", "pol", "--on", "all"}, "writes a folder; name it with -o DIR"},
        {{"export", "--format", "admx", "-o", "-"}, "writes a folder"},
        {{"export", "--format", "admx", "--current", "-o", dir.File("x")}, "takes no --on"},
    };
    for (const auto& [args, message] : refused) {
        const auto [code, err] = tessel(args);
        EXPECT_EQ(code, exitcode::Usage) << err;
        EXPECT_NE(err.find(message), std::string::npos) << err;
    }
    EXPECT_EQ(tessel({"export", "--format", "pol", "-o", dir.File("gpo/GPT.INI")}).first,
              exitcode::StoreError);
    EXPECT_EQ(Snapshot(backend.Get()), before);
}

TEST(GroupPolicyExport, EnglishExplainTextsCarryTheCataloguesValues)
{
    for (const TweakEntry& tweak : Catalogue()) {
        const std::string text = DescriptionText(tweak, Language::English);
        EXPECT_GT(Describe(tweak).englishTitle.size(), 8u) << tweak.mirrorValue;
        EXPECT_EQ(text.find("\nScope: "), Describe(tweak).englishText.size()) << text;
        EXPECT_NE(text.find(std::string("Applied: ")), std::string::npos) << text;
        // The words around the values are English too.
        const std::string rest = text.substr(Describe(tweak).englishText.size());
        EXPECT_TRUE(std::all_of(rest.begin(), rest.end(), [](char c) { return (c & 0x80) == 0; })) << rest;
    }
    const TweakEntry& reg = Row("reg");
    EXPECT_EQ(DescriptionText(reg, Language::English).substr(Describe(reg).englishText.size()),
              "\nScope: this computer (needs administrator rights)\nTakes effect: at once\n"
              "HKEY_LOCAL_MACHINE\\Software\\CLASSES\\.reg\\(Default)\n"
              "    Applied: REG_SZ \"txtfile\"\n    Reverted: REG_SZ \"regfile\"");
    EXPECT_EQ(TabTitle(2, Language::English), "Network security");
    EXPECT_EQ(TweakTitle(reg, Language::Chinese), "禁止使用Reg文件");
}

} // namespace
} // namespace tessel::test
