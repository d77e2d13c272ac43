#include "tests/support/TestBackends.h"
#include "tweaks/Originals.h"
#include "tweaks/RecordedPasses.h"
#include "tweaks/TRegistry.h"
#include "tweaks/TweakDescriptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tessel::test {
namespace {

constexpr Hive CU = Hive::CurrentUser;
constexpr Hive LM = Hive::LocalMachine;
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

void Put(RegistryBackend& backend, Hive hive, const std::string& key, const std::string& name,
         std::uint32_t type, const std::string& bytes)
{
    RegistryBackend::Handle handle = 0;
    ASSERT_EQ(backend.CreateKey(hive, key, KeyAllAccess, handle), status::Success);
    ASSERT_EQ(backend.SetValue(handle, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                               bytes.size()),
              status::Success);
    backend.CloseKey(handle);
}

ChangeContext Context(const ChangeLog* log, SettingNotifier* notifier = nullptr)
{
    ChangeContext context;
    context.log = log;
    context.notifier = notifier;
    context.account = "tester";
    context.now = [] {
        return std::chrono::sys_days(std::chrono::year(2026) / 3 / 4) + std::chrono::hours(5);
    };
    return context;
}

TEST(TweakDescriptions, TooltipCarriesScopeRightsAndTheCataloguesOwnValues)
{
    struct Case
    {
        std::string_view row;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"NoDrives",
         {"范围：当前用户（不需要管理员权限）", "HKEY_CURRENT_USER\\" + kExplorer + "\\NoDrives",
          "应用：REG_DWORD 0xFFFFFFFF (-1)", "撤消：删除"}},
        {"reg",
         {"本机（需要管理员权限）", "Software\\CLASSES\\.reg\\(默认)", "REG_SZ \"txtfile\"",
          "REG_SZ \"regfile\""}},
        {"NoLogOff", {"应用：REG_BINARY 01 00 00 00"}},
        {"AutoShareWks", {"应用：REG_SZ \"0x00\"", "重新启动后生效"}},
        {"DefaultRcvWindow",
         {"VxD\\MSTCP\\DefaultRcvWindow", "0x00001900 (6400)", "NetTrans\\MaxMSS", "0x00000218 (536)"}},
    };
    for (const Case& c : cases)
        for (const std::string& part : c.parts)
            EXPECT_NE(DescriptionText(Row(c.row)).find(part), std::string::npos) << c.row << ": " << part;
    for (const TweakEntry& tweak : Catalogue()) {
        EXPECT_GT(Describe(tweak).text.size(), 20u) << tweak.mirrorValue;
        EXPECT_EQ(NeedsAdministrator(tweak), tweak.hive == LM);
    }
}

class TweakInsight : public ::testing::TestWithParam<BackendKind>
{
protected:
    TweakInsight() : backend_(GetParam()) {}
    RegistryBackend& Backend() { return backend_.Get(); }
    std::vector<RealState> States(RegistryBackend& backend)
    {
        std::vector<RealState> states;
        for (const RowState& row : ClassifyAll(backend))
            states.push_back(row.state);
        return states;
    }
    BackendUnderTest backend_;
    RecordedMessages messages_;
    TempDir dir_;
};

TEST_P(TweakInsight, ClassifiesEveryRowAsAppliedRevertedOtherOrUnreadable)
{
    // Reading creates nothing: no hive, no key.
    const std::vector<RealState> fresh = States(Backend());
    EXPECT_EQ(fresh[1], RealState::Reverted);
    EXPECT_EQ(fresh[2], RealState::Default); // reverting writes Autorun = 1; nothing set it yet
    if (GetParam() == BackendKind::Sqlite) {
        EXPECT_FALSE(std::filesystem::exists(backend_.UserPath()));
        EXPECT_FALSE(std::filesystem::exists(backend_.MachinePath()));
    }
    ApplyTweaks(Backend(), TickSet::All(), messages_);
    EXPECT_EQ(States(Backend()), std::vector<RealState>(kTweakCount, RealState::Applied));
    if (GetParam() == BackendKind::Sqlite) { // through read-only connections
        EXPECT_EQ(States(*backend_.Reopen()), std::vector<RealState>(kTweakCount, RealState::Applied));
    }
    ApplyTweaks(Backend(), TickSet{}, messages_);
    EXPECT_EQ(States(Backend()), std::vector<RealState>(kTweakCount, RealState::Reverted));

    // Neither state: a number nobody in the catalogue writes, in each row's first value.
    for (const TweakEntry& tweak : Catalogue())
        Put(Backend(), tweak.hive, std::string(tweak.writes[0].keyPath),
            std::string(tweak.writes[0].valueName), regtype::Dword, std::string("\x07\0\0\0", 4));
    EXPECT_EQ(States(Backend()), std::vector<RealState>(kTweakCount, RealState::Other));

    FailingBackend hidden(Backend());
    hidden.unreadableHive = LM;
    for (const RowState& row : ClassifyAll(hidden))
        EXPECT_EQ(row.state, row.tweak->hive == LM ? RealState::Unreadable : RealState::Other)
            << row.tweak->mirrorValue;
}

TEST_P(TweakInsight, KindsAndPartsDecideTheState)
{
    struct Case
    {
        std::string_view row;
        std::string name;
        std::uint32_t type;
        std::string bytes;
        RealState state;
    };
    const Case cases[] = {
        {"NoDrives", "NoDrives", regtype::Binary, std::string("\xFF\xFF\xFF\xFF", 4), RealState::Other},
        {"NoLogOff", "NoLogOff", regtype::Dword, std::string("\x01\0\0\0", 4), RealState::Other},
        {"AutoEndTasks", "AutoEndTasks", regtype::Sz, "1", RealState::Applied}, // no terminator
        {"AutoEndTasks", "AutoEndTasks", regtype::ExpandSz, std::string("1\0", 2), RealState::Other},
        {"AutoEndTasks", "AutoEndTasks", regtype::Sz, std::string("0\0", 2), RealState::Reverted},
        {"DefaultRcvWindow", "DefaultRcvWindow", regtype::Dword, std::string("\x00\x19\0\0", 4),
         RealState::Other},
    };
    for (const Case& c : cases) {
        ApplyTweaks(Backend(), TickSet{}, messages_);
        const TweakEntry& tweak = Row(c.row);
        Put(Backend(), tweak.hive, std::string(tweak.writes[0].keyPath), c.name, c.type, c.bytes);
        EXPECT_EQ(ClassifyRow(Backend(), tweak).state, c.state) << c.row << " " << c.type;
    }
}

TEST_P(TweakInsight, OriginalsAreRecordedOnceAndRestoredExactly)
{
    struct Case
    {
        std::string_view row;
        bool present;
        std::uint32_t type;
        std::string bytes;
        std::string mirror; // after restoring
    };
    const Case cases[] = {
        {"NoDrives", true, regtype::Dword, std::string("\x03\0\0\0", 4), "00000000"},
        {"NoViewContextMenu", true, regtype::Binary, std::string("\x02\0\0\0\x09", 5), "00000000"},
        {"AutoEndTasks", true, regtype::Sz, std::string("1\0", 2), "01000000"},
        {"reg", true, regtype::Sz, std::string("regfile\0", 8), "00000000"},
        {"NoDesktop", false, 0, "", "00000000"},
        {"SynAttackProtect", false, 0, "", "00000000"},
    };
    for (const Case& c : cases)
        if (c.present)
            Put(Backend(), Row(c.row).hive, std::string(Row(c.row).writes[0].keyPath),
                std::string(Row(c.row).writes[0].valueName), c.type, c.bytes);

    const ChangeLog log(dir_.File("changes.jsonl"));
    EXPECT_TRUE(RecordedFirstRunCheck(Backend(), messages_, Context(&log)).ran);
    RecordedApplyTweaks(Backend(), TickSet::All(), messages_, Context(&log));
    ApplyTweaks(Backend(), TickSet{}, messages_); // an unrecorded pass changes no record either
    RecordedApplyTweaks(Backend(), TickSet::All(), messages_, Context(&log));

    std::vector<const TweakEntry*> rows;
    for (const Case& c : cases) {
        const auto original = ReadOriginal(Backend(), Row(c.row), Row(c.row).writes[0]);
        ASSERT_TRUE(original) << c.row;
        EXPECT_EQ(original->present, c.present) << c.row;
        EXPECT_EQ(Hex(std::string(original->value.data.begin(), original->value.data.end())), Hex(c.bytes))
            << c.row;
        rows.push_back(&Row(c.row));
    }
    const RestoreReport report = Restore(Backend(), rows, Context(&log));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(report.rows[i].outcome, RestoreOutcome::Restored) << c.row;
        const TweakEntry& tweak = Row(c.row);
        const StoredValue now =
            ReadStored(Backend(), tweak.hive, tweak.writes[0].keyPath, tweak.writes[0].valueName);
        EXPECT_EQ(now.status, c.present ? status::Success : status::FileNotFound) << c.row;
        if (c.present) {
            EXPECT_EQ(now.type, c.type) << c.row;
            EXPECT_EQ(Hex(now.bytes), Hex(c.bytes)) << c.row;
        }
        EXPECT_EQ(Hex(ReadStored(Backend(), CU, kMirrorKey, tweak.mirrorValue).bytes), c.mirror) << c.row;
    }
    // The log says what the restore did, row by row, and nothing more.
    const auto records = log.Read();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().operation, ChangeOperation::Restore);
    EXPECT_EQ(records.back().tweak, "SynAttackProtect");
    EXPECT_TRUE(records.back().before && records.back().before->present);
}

// A record that is not one is reported as damaged, one that cannot be read as
// unreadable; either way the row is left exactly as it is.
TEST_P(TweakInsight, RestoreReportsDamagedAndUnreadableOriginalsAndWritesNothing)
{
    const TweakEntry& row = Row("NoDrives");
    const std::string key = std::string(kOriginalsKey) + "\\NoDrives";
    struct Case
    {
        const char* shape;
        std::uint32_t type;
        std::string bytes;
        bool unreadable;
        RestoreOutcome outcome;
    };
    const Case cases[] = {
        {"cut short", regtype::Binary, std::string("\x04\0\0", 3), false, RestoreOutcome::Damaged},
        {"a REG_DWORD record", regtype::Dword, std::string("\x04\0\0\0", 4), false, RestoreOutcome::Damaged},
        {"a kind the registry lacks", regtype::Binary, std::string("\xFF\xFF\xFF\xFF\x01\0\0\0", 8), false,
         RestoreOutcome::Damaged},
        {"a hive that cannot be read", regtype::Binary, std::string("\x04\0\0\0\x01\0\0\0", 8), true,
         RestoreOutcome::Unreadable},
    };
    ApplyTweaks(Backend(), TickSet::All(), messages_);
    for (const Case& c : cases) {
        Put(Backend(), CU, key, "NoDrives", c.type, c.bytes);
        const std::string before = Snapshot(Backend());
        FailingBackend hidden(Backend());
        if (c.unreadable)
            hidden.unreadableHive = CU;
        const TweakEntry* rows[] = {&row};
        const RestoreReport report = Restore(hidden, rows, Context(nullptr));
        ASSERT_EQ(report.rows.size(), 1u);
        EXPECT_EQ(report.rows[0].outcome, c.outcome) << c.shape;
        EXPECT_EQ(report.rows[0].error != 0, c.unreadable) << c.shape;
        EXPECT_EQ(Snapshot(Backend()), before) << c.shape;
        EXPECT_TRUE(report.records.empty()) << c.shape;
    }
}

TEST_P(TweakInsight, LogRecordsOnlyWhatHappened)
{
    const ChangeLog log(dir_.File("changes.jsonl"));
    // An account that may not write machine-wide keys.
    FailingBackend denied(Backend());
    denied.deniedHive = LM;
    RecordedApplyTweaks(denied, TickSet::All(), messages_, Context(&log));
    struct Expected
    {
        std::string value;
        ChangeOutcome outcome;
        std::string message;
    };
    const Expected expected[] = {
        {"NoDrives", ChangeOutcome::Done, ""},
        {"Autorun", ChangeOutcome::OpenFailed, "注册表内容出错5！"},
        {"", ChangeOutcome::OpenFailed, "注册表内容出错9！"},
        {"MaxMSS", ChangeOutcome::OpenFailed, "注册表内容出错45！"},
    };
    auto records = log.Read();
    for (const Expected& e : expected) {
        const auto it = std::find_if(records.begin(), records.end(), [&](const ChangeRecord& r) {
            return r.value == e.value && r.key != kMirrorKey;
        });
        ASSERT_NE(it, records.end()) << e.value;
        EXPECT_EQ(it->outcome, e.outcome) << e.value;
        EXPECT_EQ(it->message, e.message) << e.value;
        EXPECT_EQ(it->before.has_value(), e.outcome == ChangeOutcome::Done) << e.value;
    }
    // No machine-wide value or mirror of a machine-wide row is claimed as changed.
    for (const ChangeRecord& r : records) {
        if (r.outcome == ChangeOutcome::Done) {
            EXPECT_TRUE(r.hive == CU && Row(r.tweak).hive == CU) << r.tweak;
        }
    }

    // A store error midway: the rows before it are logged, the failing value as failed, nothing after.
    const ChangeLog second(dir_.File("second.jsonl"));
    FailingBackend failing(Backend());
    failing.failSetOf = "NoDesktop";
    ApplyTweaks(Backend(), TickSet{}, messages_);
    EXPECT_THROW(RecordedApplyTweaks(failing, TickSet::All(), messages_, Context(&second)),
                 ERegistryException);
    records = second.Read();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().value, "NoDesktop");
    EXPECT_EQ(records.back().outcome, ChangeOutcome::StoreError);
    EXPECT_EQ(records.back().message, "Failed to set data for 'NoDesktop'");
    EXPECT_EQ(records.back().before->present, false);
    EXPECT_EQ(records[records.size() - 2].value, "NoTrayContextMenu"); // the mirror of row 6
    EXPECT_EQ(records[records.size() - 2].key, kMirrorKey);
}

class CountingNotifier final : public SettingNotifier
{
public:
    bool BroadcastPolicyChange() override { return ++calls > 0; }
    int calls = 0;
};

TEST_P(TweakInsight, TellsTheSystemOnlyWhenATweakValueChanged)
{
    CountingNotifier notifier;
    const ChangeLog log(dir_.File("changes.jsonl"));
    EXPECT_TRUE(RecordedApplyTweaks(Backend(), TickSet::All(), messages_, Context(&log, &notifier)).notified);
    // The same pass again changes nothing and is not broadcast, nor logged.
    const PassReport again =
        RecordedApplyTweaks(Backend(), TickSet::All(), messages_, Context(&log, &notifier));
    EXPECT_FALSE(again.notified);
    EXPECT_TRUE(again.records.empty());
    EXPECT_EQ(notifier.calls, 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, TweakInsight, ::testing::ValuesIn(PlatformBackends()),
                         [](const auto& info) { return BackendName(info.param); });

TEST(ChangeLog, RotatesAtItsLimitKeepingThreeOwnerOnlyFiles)
{
    TempDir dir;
    const std::filesystem::path file =
        std::filesystem::path(dir.Path()) / "state" / "tessel" / "changes.jsonl";
    ChangeRecord record;
    record.time = "2026-03-04T05:00:00Z";
    record.key = "Control Panel\\Desktop";
    record.after = ValueState{true, RegValue{regtype::Sz, {'1', 0}, {}}};
    const std::size_t line = ToJsonLine(record).size() + 1;
    const ChangeLog log(file, line * 3);
    for (int i = 1; i <= 10; ++i) {
        record.row = i;
        ASSERT_EQ(log.Append({record}), "");
    }
    EXPECT_TRUE(std::filesystem::exists(file.string() + ".2"));
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".3"));
    std::vector<int> rows;
    for (const ChangeRecord& r : log.Read())
        rows.push_back(r.row);
    EXPECT_EQ(rows, (std::vector<int>{4, 5, 6, 7, 8, 9, 10}));
#ifndef _WIN32
    struct stat st
    {
    };
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(file.parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
#endif
    // A torn or foreign line is skipped, the rest still read; since-filters by time.
    std::ofstream(file, std::ios::app) << "{\"time\":\"2026-03-04\n";
    record.time = "2026-03-05T01:00:00+08:00";
    record.row = 11;
    ASSERT_EQ(log.Append({record}), "");
    EXPECT_EQ(log.Read().back().row, 11);
    EXPECT_EQ(log.Read(ParseIsoTime("2026-03-04T17:00:00Z")).size(), 1u);
    EXPECT_EQ(log.Read(ParseIsoTime("2026-03-04T17:00:01Z")).size(), 0u);
}

TEST(ChangeLog, TimesRoundTrip)
{
    const struct
    {
        std::string_view text;
        std::string_view utc; // empty: refused
    } cases[] = {
        {"2026-12-31T23:59:59Z", "2026-12-31T23:59:59Z"},
        {"2024-02-29T08:00:00+08:00", "2024-02-29T00:00:00Z"},
        {"2026-01-01T00:30:00-01:00", "2026-01-01T01:30:00Z"},
        {"2026-05-06", "2026-05-06T00:00:00Z"},
        {"2026-02-30T00:00:00Z", ""},
        {"2026-01-01T24:00:00Z", ""},
        {"yesterday", ""},
    };
    for (const auto& c : cases) {
        const auto time = ParseIsoTime(c.text);
        EXPECT_EQ(time ? IsoTime(*time) : "", c.utc) << c.text;
    }
}

#ifdef _WIN32
TEST(SettingNotifier, BroadcastsThePolicyChange)
{
    const auto notifier = MakeSystemNotifier();
    ASSERT_TRUE(notifier);
    EXPECT_TRUE(notifier->BroadcastPolicyChange());
}
#endif

} // namespace
} // namespace tessel::test
