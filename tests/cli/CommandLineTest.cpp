#include "cli/CommandLine.h"
#include "cli/Profile.h"
#include "tests/support/TestBackends.h"
#include "tweaks/Originals.h"
#include "tweaks/TRegistry.h"
#include "tweaks/TweakCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tessel::test {
namespace {

using namespace std::string_literals;

struct Outcome
{
    int code;
    std::string out;
    std::string err;
};

class CommandLine : public ::testing::TestWithParam<BackendKind>
{
protected:
    CommandLine() : backend_(GetParam()) {}

    // Runs `tessel ARGS` against the backend under test, with `stdinText` as standard input.
    Outcome Tessel(std::vector<std::string> args, const std::string& stdinText = "")
    {
        std::istringstream in(stdinText);
        std::ostringstream out, err;
        CommandIo io{in,
                     out,
                     err,
                     [this] { return Open(); },
                     [this] { return typed_; },
                     logDir_.File("log.jsonl"),
                     outIsTerminal_};
        const int code = RunCommandLine(args, io);
        return {code, out.str(), err.str()};
    }

    std::unique_ptr<RegistryBackend> Open()
    {
        auto backend = std::make_unique<FailingBackend>(backend_.Get());
        backend->failSetOf = failSetOf_;
        backend->deniedHive = deniedHive_;
        return backend;
    }

    // Checks that the command line left what OK in the window leaves with these ticks: the window's
    // pass runs over it and must change nothing. A pass rewrites every value it owns, so what came
    // before does not matter, and the real registry under Wine serves as well as a fresh store.
    void ExpectWindowResult(const TickSet& ticks)
    {
        const std::string written = Snapshot(backend_.Get());
        RecordedMessages messages;
        ApplyTweaks(backend_.Get(), ticks, messages);
        EXPECT_EQ(written, Snapshot(backend_.Get()));
    }

    void SetPassword(std::string_view password)
    {
        TRegistry registry(backend_.Get());
        ASSERT_TRUE(registry.OpenKeyCreating(kProgramKey));
        registry.WriteText(kPasswordValue, password);
    }

    static TickSet Ticks(std::initializer_list<const char*> names)
    {
        TickSet set;
        for (const char* name : names)
            set.ticked.emplace(name);
        return set;
    }

    BackendUnderTest backend_;
    TempDir logDir_;
    std::optional<std::string> typed_;
    std::optional<std::string> failSetOf_;
    std::optional<Hive> deniedHive_;
    bool outIsTerminal_ = false;
};

TEST_P(CommandLine, VersionHelpAndUsageErrors)
{
    const std::string before = Snapshot(backend_.Get());
    const Outcome version = Tessel({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "tessel 1.2\n");
    const Outcome help = Tessel({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* word : {"apply", "export", "Exit codes"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;

    struct Case
    {
        std::vector<std::string> args;
        const char* message;
        std::string input = "";
    };
    const Case cases[] = {
        {{"frobnicate"}, "frobnicate"},
        {{"export"}, "--format"},
        {{"export", "--format", "xml"}, "xml"},
        {{"apply", "--on", "28", "--password-stdin"}, "\"28\" is neither a row number"},
        {{"apply", "--on", "NoDrives,", "--password-stdin"}, "\"\" is neither"},
        {{"apply", "--on", "2", "--off", "nodrives", "--password-stdin"}, "NoDrives is named by both"},
        {{"export", "--format", "json", "--current", "--profile", "p.json"}, "cannot read p.json"},
        // No --password-stdin and no terminal to ask on.
        {{"apply", "--on", "all"}, "apply needs the password"},
        // Lists that would otherwise mean something else than they say.
        {{"apply", "--on", "3", "--off", "all", "--password-stdin"},
         "Autorun is named by both --on and --off"},
        {{"apply", "--on", "", "--password-stdin"}, "--on needs a value"},
        {{"restore", "--rows", "", "--password-stdin"}, "--rows needs a value"},
        {{"log", "--since", ""}, "--since needs a value"},
        {{"log", "--since", "2026-01-31T08:00:00+99:99"}, "--since takes a time"},
        {{"export", "--format", "json", "--profile", "/"}, "cannot read /: not a regular file"},
        // Passwords that no typing could give.
        {{"apply", "--password-stdin"}, "not valid UTF-8", "\xC1\x81\n"},
        {{"apply", "--password-stdin"}, "not valid UTF-8", "\xED\xA0\x80\n"},
        {{"apply", "--password-stdin"}, "longer than 4096 bytes", std::string(5000, 'a')},
    };
    for (const Case& c : cases) {
        const Outcome run = Tessel(c.args, c.input);
        EXPECT_EQ(run.code, exitcode::Usage) << c.args[0];
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    // Refused usage writes nothing, not even the first-run reset.
    EXPECT_EQ(Snapshot(backend_.Get()), before);
    EXPECT_EQ(ReadStored(backend_.Get(), Hive::CurrentUser, kProgramKey, kFirstRunMarker).status,
              status::FileNotFound);
}

TEST_P(CommandLine, ApplyWritesWhatTheWindowWritesAndNamedRowsOnlyChange)
{
    const Outcome first = Tessel({"apply", "--on", "all", "--password-stdin"}, "\n");
    EXPECT_EQ(first.code, exitcode::Done) << first.err;
    EXPECT_EQ(first.out, "设置成功，重启生效！\n");
    EXPECT_EQ(first.err, "");
    ExpectWindowResult(TickSet::All());

    // Rows not named keep their mirror state; names are matched in any case, numbers count from 1.
    EXPECT_EQ(Tessel({"apply", "--off", "3,NODRIVES,1803", "--password-stdin"}).code, exitcode::Done);
    TickSet expected = TickSet::All();
    for (const char* name : {"Autorun", "NoDrives", "1803"})
        expected.ticked.erase(name);
    ExpectWindowResult(expected);

    // A password asked on the terminal serves as well.
    SetPassword("s3cret pass");
    typed_ = "s3cret pass";
    EXPECT_EQ(Tessel({"apply", "--on", "all", "--off", "reg"}).code, exitcode::Done);
    expected = TickSet::All();
    expected.ticked.erase("reg");
    ExpectWindowResult(expected);
    const std::string window = Snapshot(backend_.Get());

    // A wrong password says so, exits 3 and writes nothing.
    for (const char* wrong : {"s3cret", "S3cret pass", "s3cret pass "}) {
        const Outcome run =
            Tessel({"apply", "--off", "all", "--password-stdin"}, std::string(wrong) + "\r\n");
        EXPECT_EQ(run.code, exitcode::WrongPassword) << wrong;
        EXPECT_EQ(run.err, "密码不正确！\n");
        EXPECT_EQ(Snapshot(backend_.Get()), window);
    }

    // Typed UTF-8 is compared in GBK, as the window compares it; what GBK cannot hold is refused.
    SetPassword("\xC3\xDC\xC2\xEB"); // 密码
    EXPECT_EQ(Tessel({"apply", "--password-stdin"}, "密码\n").code, exitcode::Done);
    const Outcome emoji = Tessel({"apply", "--password-stdin"}, "\xF0\x9F\x98\x80\n");
    EXPECT_EQ(emoji.code, exitcode::Usage);
    EXPECT_NE(emoji.err.find("GBK"), std::string::npos);
}

TEST_P(CommandLine, ClosedMachineHiveExitsFourWithTheTwelveMessages)
{
    ASSERT_EQ(Tessel({"apply", "--off", "all", "--password-stdin"}).code, exitcode::Done);
    deniedHive_ = Hive::LocalMachine;
    const Outcome on = Tessel({"apply", "--on", "all", "--password-stdin"});
    EXPECT_EQ(on.code, exitcode::RowsNotOpened);
    EXPECT_EQ(on.err, "注册表内容出错5！\n注册表内容出错9！\n注册表内容出错25\n注册表内容出错31！\n"
                      "注册表内容出错33！\n注册表内容出错35！\n注册表内容出错43！\n注册表内容出错45！\n"
                      "注册表内容出错45！\n注册表内容出错45！\n注册表内容出错45！\n注册表内容出错45！\n");
    EXPECT_EQ(on.out, ""); // the success note is for a pass done whole

    failSetOf_ = "NoDrives";
    const Outcome broken = Tessel({"apply", "--on", "all", "--password-stdin"});
    EXPECT_EQ(broken.code, exitcode::StoreError);
    EXPECT_EQ(broken.err, "tessel: Failed to set data for 'NoDrives'\n");
}

// Reading commands create nothing, and what could not be done is never reported as done.
TEST_P(CommandLine, ReadsCreateNothingAndFailuresAreNamed)
{
    const Outcome current = Tessel({"export", "--format", "json", "--current"});
    EXPECT_EQ(current.code, exitcode::Done) << current.err;
    if (GetParam() == BackendKind::Sqlite) {
        EXPECT_FALSE(std::filesystem::exists(backend_.UserPath()));
    }
    outIsTerminal_ = true;
    const Outcome terminal = Tessel({"export", "--format", "reg"});
    EXPECT_EQ(terminal.code, exitcode::Usage);
    EXPECT_EQ(terminal.out, "");
    EXPECT_EQ(Tessel({"export", "--format", "ansible"}).code, exitcode::Done);
    outIsTerminal_ = false;

    // A damaged original is reported as such, and the row is left as it is.
    ASSERT_EQ(Tessel({"apply", "--on", "NoDrives", "--password-stdin"}).code, exitcode::Done);
    {
        TRegistry registry(backend_.Get());
        ASSERT_TRUE(registry.OpenKeyCreating(std::string(kOriginalsKey) + "\\NoDrives"));
        registry.WriteDword("NoDrives", 4);
    }
    const std::string before = Snapshot(backend_.Get());
    const Outcome restore = Tessel({"restore", "--rows", "NoDrives", "--password-stdin"});
    EXPECT_EQ(restore.code, exitcode::RowsNotOpened);
    EXPECT_EQ(restore.out, "2\tNoDrives\t原始值记录已损坏\tapplied\n");
    EXPECT_EQ(Snapshot(backend_.Get()), before);
}

TEST_P(CommandLine, ExportedProfileAndCurrentTicksAgree)
{
    ASSERT_EQ(Tessel({"apply", "--on", "1,2,reg,AutoEndTasks", "--password-stdin"}).code, exitcode::Done);
    const Outcome current = Tessel({"export", "--format", "json", "--current"});
    ASSERT_EQ(current.code, exitcode::Done) << current.err;
    EXPECT_EQ(current.out,
              "{\n  \"format\": \"tessel-profile\",\n  \"version\": 1,\n  \"ticked\": [\n"
              "    \"NoViewContextMenu\",\n    \"NoDrives\",\n    \"reg\",\n    \"AutoEndTasks\"\n  ]\n}\n");

    TempDir dir;
    const std::string profile = dir.File("office.json");
    std::ofstream(profile) << current.out;
    // The same ticks by profile and by list give the same files.
    for (const char* format : {"reg", "ansible", "json"}) {
        const Outcome byProfile =
            Tessel({"export", "--format", format, "--profile", profile, "--on", "NoFind"});
        const Outcome byList = Tessel({"export", "--format", format, "--on", "1,2,5,27,12"});
        EXPECT_EQ(byProfile.code, exitcode::Done) << byProfile.err;
        EXPECT_EQ(byProfile.out, byList.out) << format;
    }
    const Outcome toFile = Tessel({"export", "--format", "reg", "--current", "-o", dir.File("out.reg")});
    EXPECT_EQ(toFile.code, exitcode::Done);
    std::ifstream written(dir.File("out.reg"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 4), "\xFF\xFEW\0"s);
    EXPECT_EQ(Tessel({"export", "--format", "reg", "-o", dir.File("no/such/dir.reg")}).code,
              exitcode::StoreError);

    // Applying the profile brings back its ticks.
    ASSERT_EQ(Tessel({"apply", "--off", "all", "--password-stdin"}).code, exitcode::Done);
    ASSERT_EQ(Tessel({"apply", "--profile", profile, "--password-stdin"}).code, exitcode::Done);
    ExpectWindowResult(Ticks({"NoViewContextMenu", "NoDrives", "reg", "AutoEndTasks"}));

    std::ofstream(dir.File("bad.json")) << "{\n  \"format\": \"tessel-profile\",\n  \"version\": 1,\n"
                                           "  \"ticked\": [\"NoDrives\",\n    \"NoSuchRow\"]\n}\n";
    const Outcome bad = Tessel({"apply", "--profile", dir.File("bad.json"), "--password-stdin"});
    EXPECT_EQ(bad.code, exitcode::Usage);
    EXPECT_EQ(bad.err, "tessel: " + dir.File("bad.json") + ":5: \"NoSuchRow\" is not a row's name\n");
}

TEST_P(CommandLine, StatusRestoreAndLogFollowWhatApplyDid)
{
    // The row's value before Tessel: a drive mask an administrator had set.
    {
        TRegistry registry(backend_.Get());
        ASSERT_TRUE(
            registry.OpenKeyCreating("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"));
        registry.WriteDword("NoDrives", 5);
    }
    ASSERT_EQ(Tessel({"apply", "--on", "NoDrives", "--password-stdin"}, "\n").code, exitcode::Done);

    const Outcome status = Tessel({"status", "--json"});
    ASSERT_EQ(status.code, exitcode::Done) << status.err;
    EXPECT_NE(status.out.find(R"("name": "NoDrives",
    "row": 2,
    "state": "applied",
    "ticked": true)"),
              std::string::npos)
        << status.out;
    EXPECT_NE(status.out.find(R"("name": "NoViewContextMenu",
    "row": 1,
    "state": "reverted",
    "ticked": false)"),
              std::string::npos);

    // A wrong password restores nothing.
    SetPassword("right");
    const std::string before = Snapshot(backend_.Get());
    EXPECT_EQ(Tessel({"restore", "--rows", "2", "--password-stdin"}, "wrong\n").code,
              exitcode::WrongPassword);
    EXPECT_EQ(Snapshot(backend_.Get()), before);

    const Outcome restore = Tessel({"restore", "--rows", "2", "--password-stdin"}, "right\n");
    EXPECT_EQ(restore.code, exitcode::Done) << restore.err;
    EXPECT_EQ(restore.out, "2\tNoDrives\t已恢复\tother\n");
    EXPECT_EQ(ReadStored(backend_.Get(), Hive::CurrentUser,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoDrives")
                  .bytes,
              std::string("\x05\0\0\0", 4));
    EXPECT_NE(Tessel({"status"}).out.find("2\tNoDrives\t隐藏所有驱动器\tunticked\tother\n"),
              std::string::npos);

    // The log holds the command line's reset, pass and restore, and --since filters it.
    const Outcome log = Tessel({"log", "--json"});
    EXPECT_EQ(log.code, exitcode::Done);
    for (const char* part : {R"("operation":"reset")", R"("operation":"pass")", R"("operation":"restore")",
                             R"("source":"command line")"})
        EXPECT_NE(log.out.find(part), std::string::npos) << part;
    EXPECT_EQ(Tessel({"log", "--json", "--since", "2200-01-01T00:00:00Z"}).out, "[]\n");
    EXPECT_EQ(Tessel({"log", "--since", "yesterday"}).code, exitcode::Usage);
}

INSTANTIATE_TEST_SUITE_P(Backends, CommandLine, ::testing::ValuesIn(PlatformBackends()),
                         [](const auto& info) { return BackendName(info.param); });

} // namespace
} // namespace tessel::test
