#include "tests/support/TestBackends.h"
#include "tests/tweaks/ProcessHelpers.h"
#include "tweaks/ChangeLog.h"
#include "tweaks/SqliteBackend.h"
#include "tweaks/TRegistry.h"
#include "tweaks/TweakCatalogue.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessel::test {
namespace {

// An append cut short by a full disk is reported, and the next record still
// stands on a line of its own instead of being glued to the torn one.
TEST(ChangeLogOnAFullDisk, AFailedAppendIsReportedAndLosesNothingAfterIt)
{
    TempDir dir;
    const ChangeLog log(dir.File("changes.jsonl"));
    ChangeRecord record;
    record.time = "2026-01-01T00:00:00Z";
    record.tweak = "NoDrives";
    record.value = "before";
    ASSERT_EQ(log.Append({record}), "");
    const auto size = std::filesystem::file_size(log.Path());
    const ChildResult child = RunChild([&](int out) {
        // Room for ten more bytes.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{size + 10, size + 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WriteAll(out, log.Append({record, record}));
        return 0;
    });
    EXPECT_NE(child.output.find("short write"), std::string::npos) << child.output;
    ASSERT_EQ(std::filesystem::file_size(log.Path()), size + 10);
    record.value = "after";
    ASSERT_EQ(log.Append({record}), "");
    const std::vector<ChangeRecord> records = log.Read();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records.back().value, "after");
}

constexpr int kSlots = 16;

// Write number i stores a value whose kind and bytes both follow from i, so a
// torn value (the kind of one write with the bytes of another) shows.
RegValue Encode(int i)
{
    RegValue v;
    switch (i % 3) {
    case 0:
        v.type = regtype::Dword;
        v.data = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8),
                  static_cast<std::uint8_t>(i >> 16), 0};
        break;
    case 1: {
        v.type = regtype::Sz;
        std::string text = std::to_string(i);
        text.append(static_cast<std::size_t>(i % 50), '#');
        v.data.assign(text.begin(), text.end());
        v.data.push_back(0);
        break;
    }
    default:
        v.type = regtype::Binary;
        v.data.assign(static_cast<std::size_t>(4 + i % 300), static_cast<std::uint8_t>(i * 7));
        v.data[0] = static_cast<std::uint8_t>(i);
        v.data[1] = static_cast<std::uint8_t>(i >> 8);
        v.data[2] = static_cast<std::uint8_t>(i >> 16);
        v.data[3] = 0;
        break;
    }
    return v;
}

// The write number a stored value came from, or -1 when it matches none.
int Decode(const StoredValue& stored)
{
    int i = -1;
    if (stored.type == regtype::Sz)
        i = std::atoi(stored.bytes.c_str());
    else if (stored.bytes.size() >= 3)
        i = static_cast<unsigned char>(stored.bytes[0]) | static_cast<unsigned char>(stored.bytes[1]) << 8 |
            static_cast<unsigned char>(stored.bytes[2]) << 16;
    const RegValue expected = Encode(i);
    const bool same = expected.type == stored.type &&
                      std::string(expected.data.begin(), expected.data.end()) == stored.bytes;
    return same ? i : -1;
}

TEST(SqliteReliability, AKilledWriterLosesNothingItAcknowledgedAndTearsNothing)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TempDir dir;
        const SqliteOptions options{dir.File("user.db"), dir.File("machine.db"), 2000, {}};
        {
            SqliteBackend backend(options);
            TRegistry registry(backend);
            ASSERT_TRUE(registry.OpenKeyCreating("Software\\Crash"));
        }
        int acks[2];
        ASSERT_EQ(::pipe(acks), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(acks[0]);
            SqliteBackend backend(options);
            RegistryBackend::Handle key = 0;
            backend.CreateKey(Hive::CurrentUser, "Software\\Crash", KeyAllAccess, key);
            for (int i = 0;; ++i) {
                const RegValue v = Encode(i);
                if (backend.SetValue(key, "slot" + std::to_string(i % kSlots), v.type, v.data.data(),
                                     v.data.size()) != status::Success)
                    ::_exit(1);
                // Acknowledged only once the store has returned.
                WriteAll(acks[1], std::to_string(i) + "\n");
            }
        }
        ::close(acks[1]);
        // The kill lands a random time after the first acknowledged write, so
        // a slow start on a loaded machine never leaves nothing to check.
        std::string acked;
        char buf[4096];
        ssize_t n;
        while (acked.find('\n') == std::string::npos && (n = ::read(acks[0], buf, sizeof buf)) > 0)
            acked.append(buf, static_cast<std::size_t>(n));
        ::usleep(static_cast<useconds_t>(2000 + random() % 40000));
        ::kill(pid, SIGKILL);
        while ((n = ::read(acks[0], buf, sizeof buf)) > 0)
            acked.append(buf, static_cast<std::size_t>(n));
        ::close(acks[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own";

        // The last acknowledged write of each slot, or a later one that made it.
        std::map<int, int> lastAcked;
        int count = 0;
        for (std::size_t pos = 0; pos < acked.size();) {
            const std::size_t end = acked.find('\n', pos);
            if (end == std::string::npos)
                break; // cut mid-line by the kill
            const int i = std::stoi(acked.substr(pos, end - pos));
            lastAcked[i % kSlots] = i;
            ++count;
            pos = end + 1;
        }

        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(options.userPath.c_str(), &db), SQLITE_OK);
        char** rows = nullptr;
        int rowCount = 0, columns = 0;
        ASSERT_EQ(sqlite3_get_table(db, "PRAGMA integrity_check", &rows, &rowCount, &columns, nullptr),
                  SQLITE_OK);
        EXPECT_STREQ(rows[1], "ok");
        sqlite3_free_table(rows);
        sqlite3_close(db);

        SqliteBackend backend(options);
        for (int slot = 0; slot < kSlots; ++slot) {
            const StoredValue stored =
                ReadStored(backend, Hive::CurrentUser, "Software\\Crash", "slot" + std::to_string(slot));
            if (!lastAcked.count(slot)) {
                // Never acknowledged: absent, or a whole value of this slot.
                if (stored.status == status::Success) {
                    EXPECT_EQ(Decode(stored) % kSlots, slot);
                }
                continue;
            }
            ASSERT_EQ(stored.status, status::Success) << "slot " << slot << " lost";
            const int i = Decode(stored);
            EXPECT_NE(i, -1) << "slot " << slot << " torn";
            EXPECT_EQ(i % kSlots, slot);
            EXPECT_GE(i, lastAcked[slot]) << "slot " << slot << " lost acknowledged write";
        }
        if (round == 0) {
            EXPECT_GT(count, 0) << "the writer never got going";
        }
    }
}

TEST(SqliteReliability, TwoProgramsRunningPassesAtOnceEndInOneOfThem)
{
    TempDir dir;
    const SqliteOptions options{dir.File("user.db"), dir.File("machine.db"), 5000, {}};
    // What each pass alone leaves behind.
    std::string applied, reverted;
    {
        TempDir reference;
        SqliteBackend backend({reference.File("u.db"), reference.File("m.db"), 2000, {}});
        RecordedMessages messages;
        ApplyTweaks(backend, TickSet::All(), messages);
        applied = Snapshot(backend);
        ApplyTweaks(backend, TickSet{}, messages);
        reverted = Snapshot(backend);
    }
    {
        SqliteBackend backend(options);
        RecordedMessages messages;
        ApplyTweaks(backend, TickSet{}, messages); // hives exist before the race
    }
    for (int round = 0; round < 20; ++round) {
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        pid_t pids[2];
        for (int p = 0; p < 2; ++p) {
            pids[p] = ::fork();
            if (pids[p] == 0) {
                ::close(go[1]);
                char c;
                (void)!::read(go[0], &c, 1);
                try {
                    SqliteBackend backend(options);
                    RecordedMessages messages;
                    for (int pass = 0; pass < 20; ++pass)
                        ApplyTweaks(backend, p == 0 ? TickSet::All() : TickSet{}, messages);
                    for (const auto& text : messages.texts)
                        std::fprintf(stderr, "pass message: %s\n", text.c_str());
                    ::_exit(messages.texts.empty() ? 0 : 2);
                } catch (const std::exception& e) {
                    std::fprintf(stderr, "pass threw: %s\n", e.what());
                    ::_exit(1);
                }
            }
        }
        ::close(go[0]);
        ::close(go[1]); // both start now
        for (pid_t pid : pids) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 0) << "a pass surfaced an error";
        }
        SqliteBackend backend(options);
        const std::string state = Snapshot(backend);
        EXPECT_TRUE(state == applied || state == reverted) << state;
    }
}

} // namespace
} // namespace tessel::test
