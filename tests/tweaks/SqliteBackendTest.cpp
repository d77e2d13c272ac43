#include "tweaks/SqliteBackend.h"
#include "tests/support/TestBackends.h"
#include "tests/tweaks/FaultyVfs.h"
#include "tests/tweaks/ProcessHelpers.h"
#include "tweaks/NameFolding.h"
#include "tweaks/TRegistry.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessel::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Rows of an SQL query, each as "a|b|c".
std::vector<std::string> Query(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    std::vector<std::string> rows;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_exec(
            db, sql.c_str(),
            [](void* out, int n, char** values, char**) {
                std::string row;
                for (int i = 0; i < n; ++i)
                    row += (i ? "|" : "") + std::string(values[i] ? values[i] : "NULL");
                static_cast<std::vector<std::string>*>(out)->push_back(row);
                return 0;
            },
            &rows, nullptr);
    }
    sqlite3_close(db);
    return rows;
}

void Execute(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::set<std::string> Listing(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

class SqliteHive : public ::testing::Test
{
protected:
    std::unique_ptr<SqliteBackend> Open(int busyMs = 2000, std::string vfs = {})
    {
        return std::make_unique<SqliteBackend>(SqliteOptions{user_, machine_, busyMs, std::move(vfs)});
    }
    TempDir dir_;
    std::string user_ = dir_.File("user/user.db");
    std::string machine_ = dir_.File("machine/machine.db");
};

TEST_F(SqliteHive, NamesAreStoredReadableAndDataExactly)
{
    {
        auto backend = Open();
        TRegistry registry(*backend);
        // "测试", "名称" and "中文" in GBK.
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Tessel\xB2\xE2\xCA\xD4"));
        registry.WriteText("\xC3\xFB\xB3\xC6", "\xD6\xD0\xCE\xC4");
        registry.WriteBytes("empty", "", 0);
        registry.WriteDword("", -2);
        try {
            registry.ReadDword("\xC3\xFB\xB3\xC6");
            ADD_FAILURE() << "text read as a number";
        } catch (const ERegistryException& e) {
            EXPECT_STREQ(e.what(), "Failed to get data for '名称'"); // shown as UTF-8, not GBK bytes
        }
    }
    EXPECT_EQ(Query(user_, "PRAGMA application_id"),
              std::vector<std::string>{std::to_string(kHiveApplicationId)});
    EXPECT_EQ(Query(user_, "PRAGMA journal_mode"), std::vector<std::string>{"wal"});
    EXPECT_EQ(Query(user_, "SELECT name FROM keys WHERE fold LIKE 'TESSEL%'"),
              std::vector<std::string>{"Tessel测试"});
    EXPECT_EQ(Query(user_, "SELECT name, type, typeof(data), hex(data) FROM vals ORDER BY name"),
              (std::vector<std::string>{"|4|blob|FEFFFFFF", "empty|3|blob|", "名称|1|blob|D6D0CEC400"}));
    // The password lives here: nobody else may read the user hive.
    struct stat st
    {
    };
    ASSERT_EQ(::stat(user_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(dir_.File("user").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(SqliteHive, NamesCompareAsTheRegistryDoes)
{
    EXPECT_EQ(FoldUtf8("Ärger"), FoldUtf8("ärger"));
    EXPECT_NE(FoldUtf8("Straße"), FoldUtf8("STRASSE"));
    EXPECT_EQ(FoldUtf8("ｔｅｓｓｅｌ"), "ＴＥＳＳＥＬ");
    EXPECT_EQ(FoldUtf8("Ωmega"), FoldUtf8("ωMEGA"));
    {
        auto backend = Open();
        TRegistry registry(*backend);
        const std::string lower = "\xA7\xDC\xA7\xDD\xA7\xF0\xA7\xE9"; // "ключ" in GBK
        const std::string upper = "\xA7\xAC\xA7\xAD\xA7\xC0\xA7\xB9"; // "КЛЮЧ"
        ASSERT_TRUE(registry.OpenKeyCreating(upper));
        registry.WriteDword(lower, 7);
        ASSERT_TRUE(registry.OpenKeyCreating(lower));
        EXPECT_EQ(registry.ReadDword(upper), 7);
    }
    EXPECT_EQ(Query(user_, "SELECT name FROM keys WHERE id > 1"), std::vector<std::string>{"КЛЮЧ"});
    EXPECT_EQ(Query(user_, "SELECT name FROM vals"), std::vector<std::string>{"ключ"});
}

TEST_F(SqliteHive, FilesThatAreNotHivesAreLeftExactlyAsTheyWere)
{
    std::mt19937 random(7);
    std::string noise(8192, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());

    // A real hive with most of it cut off.
    std::string truncated;
    {
        {
            auto backend = Open();
            TRegistry registry(*backend);
            ASSERT_TRUE(registry.OpenKeyCreating("Software\\Big"));
            for (int i = 0; i < 300; ++i)
                registry.WriteText("v" + std::to_string(i), std::string(200, 'x'));
        }
        truncated = ReadFileBytes(user_);
        ASSERT_GT(truncated.size(), 40000u);
        truncated.resize(truncated.size() / 2);
        fs::remove(user_);
    }

    // Another program's database.
    const std::string foreignPath = dir_.File("foreign.db");
    Execute(foreignPath,
            "CREATE TABLE notes(text); INSERT INTO notes VALUES('mine'); PRAGMA journal_mode=WAL");
    const std::string foreign = ReadFileBytes(foreignPath);

    const std::pair<const char*, std::string> files[] = {
        {"random bytes", noise},       {"text", "[HKEY_CURRENT_USER]\n\"paasword\"=\"\"\n"},
        {"short", "SQLite format 3"},  {"foreign database", foreign},
        {"truncated hive", truncated},
    };
    for (const auto& [label, bytes] : files) {
        SCOPED_TRACE(label);
        WriteFileBytes(user_, bytes);
        const auto before = Listing(dir_.File("user"));
        {
            auto backend = Open();
            TRegistry registry(*backend);
            EXPECT_FALSE(registry.OpenKeyCreating("Software\\Microsoft\\Windows\\vardo"));
            EXPECT_FALSE(registry.HasValue("paasword"));
            EXPECT_EQ(registry.ReadText("paasword"), "");
            try {
                registry.WriteText("paasword", "");
                ADD_FAILURE() << "a write went through";
            } catch (const ERegistryException& e) {
                EXPECT_STREQ(e.what(), "Failed to set data for 'paasword'");
            }
        }
        EXPECT_EQ(ReadFileBytes(user_), bytes);
        EXPECT_EQ(Listing(dir_.File("user")), before);
    }
}

TEST_F(SqliteHive, AKeyDeletedByAnotherProgramIsNotBroughtBack)
{
    auto backend = Open();
    TRegistry registry(*backend);
    ASSERT_TRUE(registry.OpenKeyCreating("Software\\Gone"));
    registry.WriteDword("v", 1);
    Execute(user_, "DELETE FROM vals WHERE key = (SELECT id FROM keys WHERE fold = 'GONE');"
                   "DELETE FROM keys WHERE fold = 'GONE'");
    EXPECT_THROW(registry.WriteDword("v", 2), ERegistryException);
    EXPECT_THROW(registry.ReadDword("v"), ERegistryException);
    EXPECT_FALSE(registry.HasValue("v"));
    EXPECT_EQ(Query(user_, "SELECT count(*) FROM keys WHERE fold = 'GONE'"), std::vector<std::string>{"0"});
    EXPECT_EQ(Query(user_, "SELECT count(*) FROM vals"), std::vector<std::string>{"0"});
    // Opening it again is a new key, as in the registry.
    ASSERT_TRUE(registry.OpenKeyCreating("Software\\Gone"));
    registry.WriteDword("v", 3);
    EXPECT_EQ(registry.ReadDword("v"), 3);
}

TEST_F(SqliteHive, AMachineHiveTheUserMayNotWriteFailsEveryMachineRow)
{
    {
        auto backend = Open();
        TRegistry registry(*backend);
        ASSERT_TRUE(registry.OpenKeyCreating("Software"));
        registry.SelectRoot(Hive::LocalMachine);
        ASSERT_TRUE(registry.OpenKeyCreating("SYSTEM"));
    }
    // An ordinary account: its own hive is its own, the machine's is not.
    fs::permissions(dir_.Path(), fs::perms(0755));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(dir_.File("user").c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(user_.c_str(), 65534, 65534), 0);
    }
    const std::string machineBefore = ReadFileBytes(machine_);
    if (!root) {
        fs::permissions(machine_, fs::perms(0444));
        fs::permissions(dir_.File("machine"), fs::perms(0555));
    }

    const ChildResult child = RunChild([&](int out) {
        if (!BecomeNobody())
            return 3;
        auto backend = Open();
        RecordedMessages messages;
        ApplyTweaks(*backend, TickSet::All(), messages);
        RunFirstRunCheck(*backend, messages);
        for (const std::string& text : messages.texts)
            WriteAll(out, text + "\n");
        return 0;
    });
    if (!root)
        fs::permissions(dir_.File("machine"), fs::perms(0755));
    else
        // Back to this account, which would refuse a hive another one owns.
        for (const std::string& path : {dir_.File("user"), user_, user_ + "-wal", user_ + "-shm"})
            (void)::chown(path.c_str(), 0, 0);

    ASSERT_EQ(child.exitCode, 0);
    EXPECT_EQ(child.output,
              "注册表内容出错5！\n注册表内容出错9！\n注册表内容出错25\n注册表内容出错31！\n"
              "注册表内容出错33！\n注册表内容出错35！\n注册表内容出错43！\n注册表内容出错45！\n"
              "注册表内容出错45！\n注册表内容出错45！\n注册表内容出错45！\n注册表内容出错45！\n"
              "注册表内容出错6！\n注册表内容出错10\n注册表内容出错26\n注册表内容出错32！\n"
              "注册表内容出错34！\n注册表内容出错36！\n注册表内容出错44！\n注册表内容出错46！\n"
              "注册表内容出错45！\n注册表内容出错46！\n注册表内容出错46！\n注册表内容出错46！\n");
    EXPECT_EQ(ReadFileBytes(machine_), machineBefore);
    auto backend = Open();
    EXPECT_EQ(
        Hex(ReadStored(*backend, Hive::CurrentUser, "Software\\Microsoft\\Windows\\vardo", "Frist").bytes),
        "3100");
}

TEST_F(SqliteHive, AHiveLockedPastTheBusyTimeoutEndsInTheStoresError)
{
    {
        auto backend = Open();
        TRegistry registry(*backend);
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Locked"));
        registry.WriteDword("v", 1);
    }
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(user_.c_str(), &db);
        sqlite3_exec(db, "BEGIN EXCLUSIVE; DELETE FROM vals;", nullptr, nullptr, nullptr);
        (void)!::write(ready[1], "x", 1);
        char c;
        (void)!::read(release[0], &c, 1);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        ::_exit(0);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);

    // The store waits on a clock the test owns: no time really passes.
    std::chrono::milliseconds now{1000};
    SqliteOptions options{user_, machine_, 200, {}};
    options.clock = {[&] { return now; }, [&](std::chrono::milliseconds d) { now += d; }};
    SqliteBackend backend(options);
    TRegistry registry(backend);
    ASSERT_TRUE(registry.OpenKeyCreating("Software\\Locked"));
    EXPECT_EQ(registry.ReadDword("v"), 1); // readers are never blocked
    const auto start = now;
    try {
        registry.WriteDword("v", 2);
        ADD_FAILURE() << "a write went through a held lock";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'v'");
    }
    EXPECT_GE(now - start, std::chrono::milliseconds(200));
    EXPECT_LT(now - start, std::chrono::milliseconds(400));
    EXPECT_FALSE(registry.OpenKeyCreating("Software\\Locked\\New"));
    (void)!::write(release[1], "x", 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        ::close(fd);
    registry.WriteDword("v", 2);
    EXPECT_EQ(registry.ReadDword("v"), 2);
}

TEST_F(SqliteHive, AFullDiskEndsInTheStoresErrorAndKeepsEarlierWrites)
{
    {
        auto backend = Open();
        TRegistry registry(*backend);
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Full"));
    }
    const ChildResult child = RunChild([&](int out) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{256 * 1024, 256 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        auto backend = Open();
        TRegistry registry(*backend);
        if (!registry.OpenKeyCreating("Software\\Full"))
            return 4;
        for (int i = 0; i < 1000; ++i) {
            try {
                registry.WriteBytes("v" + std::to_string(i), std::string(3000, static_cast<char>(i)).data(),
                                    3000);
            } catch (const ERegistryException& e) {
                WriteAll(out, std::to_string(i) + " " + e.what());
                return 0;
            }
        }
        return 5;
    });
    ASSERT_EQ(child.exitCode, 0);
    const int written = std::stoi(child.output);
    EXPECT_GT(written, 10);
    EXPECT_EQ(child.output.substr(child.output.find(' ') + 1),
              "Failed to set data for 'v" + std::to_string(written) + "'");

    EXPECT_EQ(Query(user_, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
    auto backend = Open();
    for (int i = 0; i < written; ++i) {
        const StoredValue v =
            ReadStored(*backend, Hive::CurrentUser, "Software\\Full", "v" + std::to_string(i));
        ASSERT_EQ(v.status, status::Success) << i;
        EXPECT_EQ(v.bytes, std::string(3000, static_cast<char>(i)));
    }
}

// Fails the Nth write or sync of one store step, for N = 1, 2, ... until the
// step gets through untouched: a step that reports success must have stored
// its value, and one that fails must have stored nothing.
TEST_F(SqliteHive, InjectedWriteAndSyncFailuresNeverPassForSuccess)
{
    RegisterFaultyVfs();
    for (const auto target : {FaultPlan::Target::Write, FaultPlan::Target::Sync}) {
        for (const bool forGood : {false, true}) {
            for (const bool freshHive : {true, false}) {
                int failures = 0;
                for (int n = 1;; ++n) {
                    SCOPED_TRACE("target " + std::to_string(static_cast<int>(target)) + " for good " +
                                 std::to_string(forGood) + " fresh " + std::to_string(freshHive) + " n " +
                                 std::to_string(n));
                    ASSERT_LT(n, 500);
                    TempDir dir;
                    const std::string user = dir.File("user.db");
                    const std::string machine = dir.File("machine.db");
                    if (!freshHive) {
                        SqliteBackend seed({user, machine, 2000, {}});
                        TRegistry registry(seed);
                        ASSERT_TRUE(registry.OpenKeyCreating("K"));
                        registry.WriteDword("v", 1);
                    }
                    FaultPlan plan{target, n, forGood};
                    bool raised = false;
                    {
                        SqliteBackend faulty({user, machine, 2000, "faulty"});
                        ArmFaults(&plan);
                        {
                            TRegistry registry(faulty);
                            registry.OpenKeyCreating("K\\Sub");
                            try {
                                registry.WriteDword("v", 2);
                            } catch (const ERegistryException& e) {
                                raised = true;
                                EXPECT_STREQ(e.what(), "Failed to set data for 'v'");
                            }
                        }
                        ArmFaults(nullptr);
                    }
                    SqliteBackend check({user, machine, 2000, {}});
                    const StoredValue old = ReadStored(check, Hive::CurrentUser, "K", "v");
                    ASSERT_EQ(old.status, freshHive ? status::FileNotFound : status::Success) << "hive lost";
                    const StoredValue now = ReadStored(check, Hive::CurrentUser, "K\\Sub", "v");
                    if (raised)
                        EXPECT_EQ(now.status, status::FileNotFound);
                    else
                        EXPECT_EQ(Hex(now.bytes), "02000000");
                    failures += raised;
                    if (!plan.fired)
                        break;
                }
                if (target == FaultPlan::Target::Write) {
                    EXPECT_GT(failures, 0) << "no write was ever failed";
                }
            }
        }
    }
}

} // namespace
} // namespace tessel::test
