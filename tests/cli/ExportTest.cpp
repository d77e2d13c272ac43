#include "cli/FleetExport.h"
#include "cli/Profile.h"
#include "tests/support/TestBackends.h"
#include "tweaks/TweakCatalogue.h"

#include <gtest/gtest.h>

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

// The .reg bytes as UTF-8 text, after checking the byte-order mark and the UTF-16 shape.
std::string RegText(const std::string& bytes)
{
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::string out;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i + 1], '\0') << "non-ASCII at " << i;
        out += bytes[i];
    }
    return out;
}

TEST(RegFile, ValuesAreWrittenAsRegeditWritesThem)
{
    const TweakEntry* row = &Row("NoViewContextMenu");
    struct Case
    {
        const char* name;
        std::optional<RegValue> value;
        const char* line;
    };
    const Case cases[] = {
        {"NoDrives", Value(4, "\xFF\xFF\xFF\xFF"), "\"NoDrives\"=dword:ffffffff"},
        {"", Value(1, "txtfile\0"s), "@=\"txtfile\""},
        {"a\\b\"c", Value(1, "C:\\x \"y\"\0"s), "\"a\\\\b\\\"c\"=\"C:\\\\x \\\"y\\\"\""},
        {"NoLogOff", Value(3, "\x01\0\0\0"s), "\"NoLogOff\"=hex:01,00,00,00"},
        {"NoRun", std::nullopt, "\"NoRun\"=-"},
        {"", std::nullopt, "@=-"},
        {"Path", Value(2, "%a%\0"s), "\"Path\"=hex(2):25,00,61,00,25,00,00,00"},
        // Text a quoted string cannot carry goes as UTF-16 bytes.
        {"Two", Value(1, "a\nb\0"s), "\"Two\"=hex(1):61,00,0a,00,62,00,00,00"},
        {"Odd", Value(1, "ab"), "\"Odd\"=hex(1):61,00,62,00"},
        {"Big", Value(4, "\1\2\3\4\5"), "\"Big\"=hex(4):01,02,03,04,05"},
        {"Long", Value(3, std::string(30, '\x7F')),
         "\"Long\"=hex:7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,7f,\\\r\n"
         "  7f,7f,7f,7f,7f,7f,7f,7f"},
    };
    for (const Case& c : cases) {
        const PlannedValue v{row, Hive::CurrentUser, "Software\\T", c.name, c.value};
        EXPECT_EQ(RegText(ToRegFile({&v, 1})), "Windows Registry Editor Version 5.00\r\n\r\n"
                                               "[HKEY_CURRENT_USER\\Software\\T]\r\n" +
                                                   std::string(c.line) + "\r\n\r\n");
    }
}

TEST(RegFile, SectionsFollowThePassAndTheMirrorAndMarkerComeAlong)
{
    TickSet ticks;
    ticks.ticked = {"NoDrives", "reg"};
    const std::string text = RegText(ToRegFile(PlanApply(ticks)));
    const char* expected[] = {
        "Windows Registry Editor Version "
        "5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\vardo]\r\n"
        "\"Frist\"=\"1\"\r\n\r\n",
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
        "\"NoViewContextMenu\"=-\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\vardo\\zhuangtai]"
        "\r\n"
        "\"NoViewContextMenu\"=dword:00000000\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
        "\"NoDrives\"=dword:ffffffff\r\n",
        "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\.reg]\r\n@=\"txtfile\"\r\n\r\n",
        "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP]\r\n\"DefaultRcvWindow\"=-\r\n"
        "\"DefaultTTL\"=-\r\n\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\NetTrans]"
        "\r\n"
        "\"MaxMTU\"=-\r\n\"MaxMSS\"=-\r\n\r\n",
        "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"AutoEndTasks\"=\"0\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\vardo\\zhuangtai]\r\n"
        "\"AutoEndTasks\"=dword:00000000\r\n\r\n",
    };
    for (const char* part : expected)
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
    EXPECT_EQ(PlanApply(ticks).size(), 1u + 30u + 27u);
}

TEST(AnsiblePlaybook, TasksCarryPathNameDataTypeAndState)
{
    TickSet ticks;
    ticks.ticked = {"NoDrives", "reg", "NoLogOff", "AutoShareWks"};
    const std::string playbook = ToAnsiblePlaybook(PlanApply(ticks));
    const char* expected[] = {
        "HKCU tasks act on the user Ansible connects as",
        "    - name: 'Row 2 隐藏所有驱动器 (NoDrives): NoDrives'\n      ansible.windows.win_regedit:\n"
        "        path: 'HKCU:\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer'\n"
        "        name: 'NoDrives'\n        data: 4294967295\n        type: dword\n        state: present\n",
        // The default value goes without a name.
        "        path: 'HKLM:\\Software\\CLASSES\\.reg'\n        data: 'txtfile'\n        type: string\n",
        "        name: 'NoLogOff'\n        data: 'hex:01,00,00,00'\n        type: binary\n",
        "        name: 'AutoShareWks'\n        data: '0x00'\n        type: string\n",
        "        name: 'NoRun'\n        state: absent\n",
        "    - name: 'Row 8 禁止显示\"开始\"菜单中\"注销\"菜单 (NoLogOff): state mirror'\n",
        "        path: 'HKCU:\\Software\\Microsoft\\Windows\\vardo\\zhuangtai'\n        name: 'NoLogOff'\n"
        "        data: 1\n        type: dword\n",
    };
    for (const char* part : expected)
        EXPECT_NE(playbook.find(part), std::string::npos) << part;

    const PlannedValue unnamed{&Row("reg"), Hive::LocalMachine, "K", "", std::nullopt};
    EXPECT_NE(ToAnsiblePlaybook({&unnamed, 1}).find("state: absent\n        delete_key: false\n"),
              std::string::npos);
    const PlannedValue quoted{&Row("NoViewContextMenu"), Hive::CurrentUser, "K", "it's", std::nullopt};
    EXPECT_NE(ToAnsiblePlaybook({&quoted, 1}).find("name: 'it''s'\n"), std::string::npos);
}

TEST(Profile, RoundTripsAndRefusesWhatIsNotAProfileWithTheLine)
{
    TickChoice ticks;
    SetRows(ticks, "1,reg,1803,autoendtasks", true, "--on");
    EXPECT_EQ(ReadProfile(WriteProfile(ticks), "p").Ticked(), ticks.Ticked());
    EXPECT_TRUE(
        ReadProfile(R"({"format": "tessel-profile", "version": 1, "ticked": []})", "p").Ticked().empty());

    using namespace std::literals;
    struct Case
    {
        std::string_view text;
        const char* error;
    };
    const Case cases[] = {
        {"{\n\"format\": \"tessel-profile\",\n\"version\": 1,\n\"ticked\": [\"NoDrives\" \"reg\"]}",
         "p:4: syntax error while parsing array - unexpected string literal; expected ']'"},
        {"", "p:1: syntax error while parsing value - unexpected end of input"},
        {"{\"format\": \"tessel-profile\", \"version\": 1,\n\"ticked\": [\n\"NoDrives\",\n\"Nope\"]}",
         "p:4: \"Nope\" is not a row's name"},
        {"{\"format\": \"tessel-profile\", \"version\": 1, \"ticked\": [\"3\"]}",
         "p:1: \"3\" is not a row's name"},
        {"{\"format\": \"other\"}", "p:1: \"format\" is \"other\", not \"tessel-profile\""},
        {"{\"format\": \"tessel-profile\",\n \"version\": 2}", "p:2: version 2 is not supported"},
        {"{\"format\": \"tessel-profile\", \"version\": 1, \"ticked\": [], \"extra\": 1}",
         "p:1: unknown key \"extra\""},
        {"{\"format\": \"tessel-profile\",\n \"version\": 1\n}", "p:3: the key \"ticked\" is missing"},
        {"[\"NoDrives\"]", "p:1: a profile is a JSON object, not a list"},
        {"{\"format\": \"tessel-profile\", \"version\": 1, \"ticked\": [1]}",
         "p:1: \"ticked\" lists mirror names and holds a number"},
        {"{\"format\": \"tessel-profile\", \"version\": 1, \"ticked\": []} []", "p:1: syntax error"},
        {"{\"format\": \"tessel-profile\",\n \"version\": 2\n, \"ticked\": []}",
         "p:2: version 2 is not supported"},
        {"{\"format\": \"tessel-profile\", \"version\": 1, \"ticked\": [\"reg\"],\n\"ticked\": "
         "[\"NoDrives\"]}",
         "p:2: the key \"ticked\" appears twice"},
        {"{\"format\": \"tessel-profile\", \"version\": 1, \"ticked\": []}\n\0{\"ticked\": [\"reg\"]}"sv,
         "p:2: the profile holds a NUL byte"},
    };
    for (const Case& c : cases) {
        try {
            ReadProfile(c.text, "p");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const UsageError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
        }
    }
}

} // namespace
} // namespace tessel::test
