#include "tweaks/SqliteBackend.h"
#include "tests/support/TestBackends.h"
#include "tests/tweaks/FaultyVfs.h"
#include "tests/tweaks/ProcessHelpers.h"
#include "tweaks/NameFolding.h"
#include "tweaks/Originals.h"
#include "tweaks/RecordedPasses.h"
#include "tweaks/TRegistry.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
    // The store waits on a clock the test owns: no time really passes, and a
    // wait shows as `now` moving on.
    SqliteOptions OnTestClock(std::chrono::milliseconds& now, int busyMs)
    {
        SqliteOptions options{user_, machine_, busyMs, {}};
        options.clock = {[&now] { return now; }, [&now](std::chrono::milliseconds d) { now += d; }};
        return options;
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

// Everything in a folder as lstat sees it, with a digest of each regular file's bytes.
std::map<std::string, std::string> FolderState(const std::string& dir)
{
    std::map<std::string, std::string> state;
    for (const auto& entry : fs::directory_iterator(dir)) {
        struct stat st
        {
        };
        ::lstat(entry.path().c_str(), &st);
        std::string& text = state[entry.path().filename().string()];
        text = std::to_string(st.st_mode) + "/" + std::to_string(st.st_uid) + ":";
        // The -shm is SQLite's shared lock index, which every reader writes to.
        if (S_ISREG(st.st_mode) && !entry.path().string().ends_with("-shm"))
            text += std::to_string(std::hash<std::string>{}(ReadFileBytes(entry.path().string())));
        else if (S_ISLNK(st.st_mode))
            text += fs::read_symlink(entry.path()).string();
    }
    return state;
}

// Things at a hive's place that must be refused and left exactly as they are.
TEST_F(SqliteHive, HostileThingsAtAHivesPlaceAreRefusedAndLeftAlone)
{
    const bool root = ::geteuid() == 0;
    const std::string validHive = dir_.File("valid.db");
    {
        SqliteBackend seed({validHive, dir_.File("seed-machine.db"), 2000, {}});
        TRegistry registry(seed);
        ASSERT_TRUE(registry.OpenKeyCreating("Software"));
        registry.WriteDword("v", 1);
    }
    auto copyHive = [&](const std::string& to, mode_t mode) {
        WriteFileBytes(to, ReadFileBytes(validHive));
        fs::permissions(to, fs::perms(mode));
    };
    struct Row
    {
        const char* label;
        bool machine;
        bool needsRoot;
        std::function<void(const std::string& path)> place;
        const char* reason;
    };
    const Row rows[] = {
        {"empty file", false, false,
         [](const std::string& p) { WriteFileBytes(p, ""), fs::permissions(p, fs::perms(0600)); },
         "not an SQLite database"},
        {"FIFO", false, false, [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, "not a regular file"},
        {"directory", false, false, [](const std::string& p) { fs::create_directory(p); },
         "not a regular file"},
        {"symlink to a device", false, false,
         [](const std::string& p) { fs::create_symlink("/dev/null", p); }, "not a regular file"},
        {"dangling symlink", false, false,
         [&](const std::string& p) { fs::create_symlink(dir_.File("user/nowhere.db"), p); },
         "a symlink to nothing"},
        {"symlink to an empty file", false, false,
         [&](const std::string& p) {
             WriteFileBytes(p + ".target", "");
             fs::permissions(p + ".target", fs::perms(0600));
             fs::create_symlink(p + ".target", p);
         },
         "not an SQLite database"},
        {"group-readable hive", false, false, [&](const std::string& p) { copyHive(p, 0640); },
         "readable or writable by group or others (mode 0640)"},
        {"others-writable -wal", false, false,
         [&](const std::string& p) {
             copyHive(p, 0600);
             WriteFileBytes(p + "-wal", "");
             fs::permissions(p + "-wal", fs::perms(0666));
         },
         "user.db-wal: refused: readable or writable by group or others"},
        {"folder writable by others", false, false,
         [&](const std::string& p) {
             copyHive(p, 0600);
             fs::permissions(fs::path(p).parent_path(), fs::perms(01777));
         },
         "is writable by others (mode 1777)"},
        {"hive of another account", false, true,
         [&](const std::string& p) {
             copyHive(p, 0600);
             (void)::chown(p.c_str(), 65534, 65534);
         },
         "owned by another account (uid 65534)"},
        {"-wal of another account", false, true,
         [&](const std::string& p) {
             copyHive(p, 0600);
             WriteFileBytes(p + "-wal", "");
             fs::permissions(p + "-wal", fs::perms(0600));
             (void)::chown((p + "-wal").c_str(), 65534, 65534);
         },
         "user.db-wal: refused: owned by another account"},
        {"machine hive of another account", true, true,
         [&](const std::string& p) {
             copyHive(p, 0644);
             (void)::chown(p.c_str(), 65534, 65534);
         },
         "owned by another ordinary account (uid 65534)"},
        {"hive of a later version with its WAL", false, false,
         [&](const std::string& p) {
             copyHive(p, 0600);
             sqlite3* db = nullptr;
             sqlite3_open(p.c_str(), &db);
             // The change lives only in the WAL, which must not be folded in.
             sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
             sqlite3_exec(db, "PRAGMA user_version=7; DELETE FROM vals", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         "not a Tessel hive of this version"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        if (row.needsRoot && !root)
            continue;
        TempDir dir;
        const std::string folder = dir.File(row.machine ? "machine" : "user");
        fs::create_directory(folder);
        fs::permissions(folder, fs::perms(0700));
        const std::string path = folder + "/" + (row.machine ? "machine.db" : "user.db");
        row.place(path);
        const auto before = FolderState(folder);
        {
            SqliteBackend backend({row.machine ? dir.File("u/user.db") : path,
                                   row.machine ? path : dir.File("m/machine.db"),
                                   2000,
                                   {}});
            TRegistry registry(backend);
            registry.SelectRoot(row.machine ? Hive::LocalMachine : Hive::CurrentUser);
            EXPECT_FALSE(registry.OpenKeyCreating("Software"));
            EXPECT_THROW(registry.WriteText("paasword", ""), ERegistryException);
            EXPECT_NE(backend.Diagnosis().find(path), std::string::npos) << backend.Diagnosis();
            EXPECT_NE(backend.Diagnosis().find(row.reason), std::string::npos) << backend.Diagnosis();
        }
        EXPECT_EQ(FolderState(folder), before);
        fs::permissions(folder, fs::perms(0700));
    }

    // As root, /dev/null named as the machine hive stays the device it is.
    SqliteBackend devNull({dir_.File("u2/user.db"), "/dev/null", 2000, {}});
    TRegistry registry(devNull);
    registry.SelectRoot(Hive::LocalMachine);
    EXPECT_FALSE(registry.OpenKeyCreating("Software"));
    struct stat st
    {
    };
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    // A symlink to a valid hive is followed, and stays a symlink.
    fs::create_directories(dir_.File("linked"));
    fs::permissions(dir_.File("linked"), fs::perms(0700));
    fs::permissions(validHive, fs::perms(0600));
    fs::create_symlink(validHive, dir_.File("linked/user.db"));
    {
        SqliteBackend linked({dir_.File("linked/user.db"), dir_.File("m3/machine.db"), 2000, {}});
        TRegistry reader(linked);
        ASSERT_TRUE(reader.OpenKeyCreating("Software"));
        EXPECT_EQ(reader.ReadDword("v"), 1);
        reader.WriteDword("w", 2);
    }
    EXPECT_TRUE(fs::is_symlink(dir_.File("linked/user.db")));
    EXPECT_EQ(Query(validHive, "SELECT count(*) FROM vals"), std::vector<std::string>{"2"});
}

// An original beyond the registry's limit is a damaged record: never loaded, never restored.
TEST_F(SqliteHive, TheSharedHiveIsMadeWithItsSideFilesAndUsedAsTheProgramsOwn)
{
    ASSERT_EQ(SqliteBackend::CreateSharedHive(machine_), "");
    EXPECT_EQ(Listing(dir_.File("machine")),
              (std::set<std::string>{"machine.db", "machine.db-shm", "machine.db-wal"}));
    EXPECT_EQ(Query(machine_, "PRAGMA application_id"),
              std::vector<std::string>{std::to_string(kHiveApplicationId)});
    {
        auto backend = Open();
        TRegistry registry(*backend);
        registry.SelectRoot(Hive::LocalMachine);
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Tessel"));
        registry.WriteDword("Kept", 7);
    }
    // A hive that is there stays as it is, values and all.
    EXPECT_EQ(SqliteBackend::CreateSharedHive(machine_), "");
    EXPECT_EQ(Query(machine_, "SELECT name FROM vals"), std::vector<std::string>{"Kept"});

    // Something else at the place is refused and left alone.
    const std::string other = dir_.File("machine/other.db");
    std::ofstream(other) << "not a hive";
    EXPECT_NE(SqliteBackend::CreateSharedHive(other).find("not an SQLite database"), std::string::npos);
    std::ifstream in(other);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a hive");
}

TEST_F(SqliteHive, AnOriginalBeyondTheLimitIsReportedDamaged)
{
    const TweakEntry& row = Row("NoDrives"); // a user row
    {
        auto backend = Open();
        RecordedMessages messages;
        ApplyTweaks(*backend, TickSet::All(), messages);
        TRegistry registry(*backend);
        ASSERT_TRUE(registry.OpenKeyCreating(std::string(kOriginalsKey) + "\\NoDrives"));
        registry.WriteBytes("NoDrives", "\x04\0\0\0", 4);
    }
    Execute(user_, "UPDATE vals SET data = zeroblob(1048581) WHERE fold = 'NODRIVES' AND type = 3");
    auto backend = Open();
    const std::string before = Snapshot(*backend);
    const TweakEntry* rows[] = {&row};
    const RestoreReport report = Restore(*backend, rows, ChangeContext{});
    EXPECT_EQ(report.rows.at(0).outcome, RestoreOutcome::Damaged);
    EXPECT_EQ(Snapshot(*backend), before);
}

// What a creation killed half way leaves is removed by the next one, unless
// another creation still holds it; and reads stop at the registry's limit.
TEST_F(SqliteHive, CreationRemovesStaleTemporariesAndReadsAreCapped)
{
    fs::create_directories(dir_.File("user"));
    fs::permissions(dir_.File("user"), fs::perms(0700));
    for (const char* name : {"user.db.new-AAAAAA", "user.db.new-AAAAAA-wal", "user.db.new-AAAAAA-shm",
                             "user.db.new-GONE00-wal", "user.db.new-BUSY00", "other.db.new-CCCCCC"})
        WriteFileBytes(dir_.File("user/") + name, "x");
    const int busy = ::open(dir_.File("user/user.db.new-BUSY00").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    {
        auto backend = Open();
        TRegistry registry(*backend);
        ASSERT_TRUE(registry.OpenKeyCreating("Software"));
        registry.WriteText("small", "ok");
    }
    ::close(busy);
    EXPECT_EQ(Listing(dir_.File("user")),
              (std::set<std::string>{"other.db.new-CCCCCC", "user.db", "user.db.new-BUSY00"}));

    Execute(user_,
            "INSERT INTO vals SELECT key, 'big', 'BIG', 1, zeroblob(1048577) FROM vals WHERE fold = 'SMALL'");
    auto backend = Open();
    TRegistry registry(*backend);
    ASSERT_TRUE(registry.OpenKeyCreating("Software"));
    EXPECT_EQ(registry.ReadText("small"), "ok");
    EXPECT_TRUE(registry.HasValue("big")); // so nothing takes it for missing and replaces it
    try {
        registry.ReadText("big");
        ADD_FAILURE() << "an oversized value was read";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to get data for 'big'");
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

// The window's pass against another program's: it waits for the lock however
// long that takes, says who holds it, and holds it across none of its boxes.
TEST_F(SqliteHive, APassWaitsForTheLockAndHoldsItAcrossNoMessageBox)
{
    fs::create_directories(dir_.File("user"));
    fs::permissions(dir_.File("user"), fs::perms(0700));
    const int other = ::open(dir_.File("user").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);

    // Each box checks that another program could take the lock meanwhile.
    struct ProbingMessages final : MessageSink
    {
        std::string dir;
        std::vector<std::string> texts;
        bool lockFree = true;
        void ShowMessage(std::string_view text) override
        {
            texts.emplace_back(text);
            const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
            lockFree &= ::flock(fd, LOCK_EX | LOCK_NB) == 0;
            ::close(fd);
        }
    };
    ProbingMessages messages;
    messages.dir = dir_.File("user");
    std::mutex mutex;
    std::string holder;
    SqliteOptions options{user_, "/dev/null/machine.db", 50, {}};
    options.lockNoticeMs = 50;
    auto pass = std::async(std::launch::async, [&] {
        SqliteBackend backend(options);
        RecordedApplyTweaks(backend, TickSet::All(), messages, ChangeContext{});
    });
    // The command line's way in, which is told who holds the lock.
    auto waiter = std::async(std::launch::async, [&] {
        SqliteBackend backend(options);
        const auto lock = backend.LockForPass([&](const std::string& who) {
            const std::lock_guard guard(mutex);
            holder = who;
        });
    });
    // Far past the busy timeout, nothing has been written.
    EXPECT_EQ(pass.wait_for(std::chrono::milliseconds(600)), std::future_status::timeout);
    EXPECT_EQ(waiter.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    EXPECT_FALSE(fs::exists(user_));
    {
        const std::lock_guard guard(mutex);
        EXPECT_NE(holder.find("process " + std::to_string(::getpid())), std::string::npos) << holder;
    }
    ::close(other);
    for (auto* done : {&pass, &waiter})
        if (done->wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the lock was never taken once released";
            std::_Exit(1);
        }
    pass.get();
    ASSERT_EQ(messages.texts.size(), 12u);
    EXPECT_EQ(messages.texts.front(), "注册表内容出错5！");
    EXPECT_EQ(messages.texts.back(), "注册表内容出错45！");
    EXPECT_TRUE(messages.lockFree) << "a message box was shown while the pass held the lock";
    auto backend = Open();
    EXPECT_EQ(Hex(ReadStored(*backend, Hive::CurrentUser, kMirrorKey, "AutoEndTasks").bytes), "01000000");
}

TEST_F(SqliteHive, AHiveLockedPastTheBusyTimeoutEndsInTheStoresError)
{
    {
        auto backend = Open();
        TRegistry registry(*backend);
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Locked"));
        registry.WriteDword("v", 1);
    }
    sqlite3* db = nullptr;
    PausedChild other(
        [&] {
            sqlite3_open(user_.c_str(), &db);
            sqlite3_exec(db, "BEGIN EXCLUSIVE; DELETE FROM vals;", nullptr, nullptr, nullptr);
        },
        [&] { return sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); });
    ASSERT_TRUE(other.Ready());

    std::chrono::milliseconds now{1000};
    SqliteBackend backend(OnTestClock(now, 200));
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
    EXPECT_EQ(other.Finish(), SQLITE_OK);
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

// Passes the store's calls through and ends the process, as a kill would, at
// the write of one value.
class KillingBackend final : public RegistryBackend
{
public:
    KillingBackend(RegistryBackend& inner, std::string killAt) : inner_(inner), killAt_(std::move(killAt)) {}

protected:
    long DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key) override
    {
        return inner_.CreateKey(hive, path, access, key);
    }
    long DoOpenKey(Hive hive, std::string_view path, Handle& key) override
    {
        return inner_.OpenKey(hive, path, key);
    }
    long DoQueryValue(Handle key, std::string_view name, RegValue& value) override
    {
        return inner_.QueryWholeValue(key, name, value);
    }
    long DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override
    {
        if (name == killAt_)
            ::_exit(0);
        return inner_.SetValue(key, name, type, data, size);
    }
    long DoDeleteValue(Handle key, std::string_view name) override { return inner_.DeleteValue(key, name); }
    long DoCloseKey(Handle key) override { return inner_.CloseKey(key); }
    std::unique_ptr<PassLock> DoLockForPass(const LockWaitNotice& notice) override
    {
        return inner_.LockForPass(notice);
    }
    std::unique_ptr<StoreBatch> DoBeginBatch() override { return inner_.BeginBatch(); }

private:
    RegistryBackend& inner_;
    std::string killAt_;
};

// A pass stores each row with its mirror value in one transaction: killed in
// the middle of a row, the rows before it stay applied with their mirror
// values, and that row and the rest stay exactly as they were.
TEST_F(SqliteHive, AKilledPassKeepsEveryFinishedRowAndLeavesNoRowHalfWritten)
{
    struct Case
    {
        const char* killAt;   // a value written inside the row it stops
        const char* lastDone; // the last row that is kept
    };
    for (const Case c : {Case{"DefaultTTL", "SynAttackProtect"}, Case{"NoDrives", "NoViewContextMenu"},
                         Case{"AutoEndTasks", "MaxCachedIcons"}}) {
        SCOPED_TRACE(c.killAt);
        fs::remove_all(dir_.File("user"));
        fs::remove_all(dir_.File("machine"));
        RecordedMessages messages;
        ApplyTweaks(*Open(), TickSet{}, messages);
        const pid_t pid = ::fork();
        if (pid == 0) {
            auto backend = Open();
            KillingBackend killing(*backend, c.killAt);
            RecordedMessages none;
            ApplyTweaks(killing, TickSet::All(), none);
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        auto backend = Open();
        bool done = true;
        for (const TweakEntry& tweak : Catalogue()) {
            SCOPED_TRACE(std::string(tweak.mirrorValue));
            const std::string mirror =
                Hex(ReadStored(*backend, Hive::CurrentUser, kMirrorKey, tweak.mirrorValue).bytes);
            EXPECT_EQ(mirror, done ? "01000000" : "00000000");
            for (const TweakWrite& write : tweak.writes) {
                const StoredValue stored = ReadStored(*backend, tweak.hive, write.keyPath, write.valueName);
                RegValue expected;
                const bool present = ActionValue(done ? write.applied : write.reverted, expected);
                EXPECT_EQ(stored.status == status::Success, present) << write.valueName;
                if (present) {
                    EXPECT_EQ(stored.bytes, std::string(expected.data.begin(), expected.data.end()))
                        << write.valueName;
                }
            }
            done &= tweak.mirrorValue != std::string_view(c.lastDone);
        }
        EXPECT_EQ(Query(user_, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
    }
}

// A pass that changes nothing writes nothing. A batch that writes keeps the
// hive to itself until it ends, so another program never changes it between
// two rows; keys that program deletes after the batch are made again.
TEST_F(SqliteHive, ABatchWritesOnlyChangesAndHoldsTheHiveUntilItEnds)
{
    auto backend = Open();
    RecordedMessages messages;
    ApplyTweaks(*backend, TickSet::All(), messages);
    const auto walBefore = fs::file_size(user_ + "-wal");
    ApplyTweaks(*backend, TickSet::All(), messages);
    EXPECT_EQ(fs::file_size(user_ + "-wal"), walBefore);
    EXPECT_EQ(Hex(ReadStored(*backend, Hive::CurrentUser, kMirrorKey, "NoDrives").bytes), "01000000");

    const std::string gone =
        "SELECT v.name, hex(v.data) FROM vals v JOIN keys k ON v.key = k.id WHERE k.fold = 'GONE'";
    {
        const auto batch = backend->BeginBatch();
        ASSERT_TRUE(batch);
        {
            TRegistry registry(*backend);
            ASSERT_TRUE(registry.OpenKeyCreating("Software\\Gone"));
            registry.WriteDword("v", 1);
            registry.WriteDword("w", 1); // the same again: nothing new to store
            registry.WriteDword("w", 1);
        }
        ASSERT_EQ(batch->Commit(), status::Success);
        // Committed, yet no other program reads or writes until the batch ends.
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(user_.c_str(), &other), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(other, "DELETE FROM keys WHERE fold = 'GONE'", nullptr, nullptr, nullptr),
                  SQLITE_BUSY);
        sqlite3_close(other);
    }
    EXPECT_EQ(Query(user_, gone), (std::vector<std::string>{"v|01000000", "w|01000000"}));
    Execute(user_, "DELETE FROM vals WHERE key = (SELECT id FROM keys WHERE fold = 'GONE');"
                   "DELETE FROM keys WHERE fold = 'GONE'");
    {
        const auto batch = backend->BeginBatch();
        TRegistry registry(*backend);
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Gone"));
        registry.WriteDword("v", 2);
        EXPECT_FALSE(registry.HasValue("w"));
        ASSERT_EQ(batch->Commit(), status::Success);
    }
    EXPECT_EQ(Query(user_, gone), std::vector<std::string>{"v|02000000"});
}

// Another program that only keeps the hives open holds a shared lock on each
// the whole time: a pass beside it writes every row without waiting to hold
// the hives, and leaves them open to that program.
TEST_F(SqliteHive, APassBesideAProgramKeepingTheHivesOpenWritesWithoutWaiting)
{
    RecordedMessages messages;
    ApplyTweaks(*Open(), TickSet{}, messages);
    sqlite3* dbs[2] = {};
    int failed = 0;
    PausedChild other(
        [&] {
            for (int i = 0; i < 2; ++i) {
                failed |= sqlite3_open((i ? machine_ : user_).c_str(), &dbs[i]);
                failed |= sqlite3_exec(dbs[i], "SELECT count(*) FROM keys", nullptr, nullptr, nullptr);
            }
        },
        [&] {
            for (sqlite3* db : dbs)
                failed |=
                    sqlite3_exec(db, "UPDATE keys SET name = name WHERE id = 1", nullptr, nullptr, nullptr);
            return failed;
        });
    ASSERT_TRUE(other.Ready());

    std::chrono::milliseconds now{1000};
    SqliteBackend backend(OnTestClock(now, 200));
    for (const auto& ticks : {TickSet::All(), TickSet{}, TickSet::All()}) {
        EXPECT_NO_THROW(ApplyTweaks(backend, ticks, messages));
        EXPECT_EQ(messages.texts, std::vector<std::string>{});
    }
    EXPECT_EQ(now, std::chrono::milliseconds(1000)) << "a pass waited";
    // The mirror records only rows whose values were stored, in both hives.
    for (const TweakEntry& tweak : Catalogue())
        EXPECT_EQ(Hex(ReadStored(backend, Hive::CurrentUser, kMirrorKey, tweak.mirrorValue).bytes),
                  "01000000")
            << tweak.mirrorValue;
    EXPECT_EQ(other.Finish(), 0) << "the other program could not write after the passes";
}

} // namespace
} // namespace tessel::test
