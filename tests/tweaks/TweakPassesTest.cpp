#include "tweaks/TweakPasses.h"
#include "tests/support/TestBackends.h"
#include "tweaks/TRegistry.h"

#include <gtest/gtest.h>

#include <map>

namespace tessel::test {
namespace {

constexpr Hive CU = Hive::CurrentUser;
constexpr Hive LM = Hive::LocalMachine;
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kLanman = "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";
const std::string kTcpip = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const std::string kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const std::string kNetTrans = "System\\CurrentControlSet\\Services\\Class\\NetTrans";

struct Expected
{
    Hive hive;
    std::string key;
    std::string name;
    std::uint32_t type; // 0: the value must be absent
    std::string hex;
};

// Every registry value the tweaks own, with what applying leaves there.
const std::vector<Expected> kApplied = {
    {CU, kExplorer, "NoViewContextMenu", 3, "01000000"},
    {CU, kExplorer, "NoDrives", 4, "FFFFFFFF"},
    {LM, "SYSTEM\\CurrentControlSet\\Services\\Cdrom", "Autorun", 4, "00000000"},
    {CU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "DisableRegistryTools", 4,
     "01000000"},
    {LM, "Software\\CLASSES\\.reg", "", 1, "74787466696C6500"},
    {CU, kExplorer, "NoTrayContextMenu", 4, "01000000"},
    {CU, kExplorer, "NoDesktop", 4, "01000000"},
    {CU, kExplorer, "NoLogOff", 3, "01000000"},
    {CU, kExplorer, "NoSetFolders", 3, "01000000"},
    {CU, kExplorer, "NoRun", 4, "01000000"},
    {CU, kExplorer, "NoRecentDocsMenu", 4, "01000000"},
    {CU, kExplorer, "NoFind", 4, "01000000"},
    {LM, "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon", "DontDisplayLastUserName", 4, "01000000"},
    {CU, "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel", "HomePage", 4, "01000000"},
    {CU, "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions", "NoBrowserContextMenu", 4,
     "01000000"},
    {LM, kLanman, "AutoShareServer", 4, "00000000"},
    {LM, kLanman, "AutoShareWks", 1, "3078303000"},
    {LM, "SYSTEM\\CurrentControlSet\\Control\\Lsa", "restrictanonymous", 4, "02000000"},
    {CU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3", "1803", 4, "03000000"},
    {CU, kExplorer, "NoNetHood", 4, "01000000"},
    {LM, kTcpip, "EnableICMPRedirects", 4, "00000000"},
    {LM, kTcpip, "SynAttackProtect", 4, "02000000"},
    {LM, kMstcp, "DefaultRcvWindow", 4, "00190000"},
    {LM, kMstcp, "DefaultTTL", 4, "80000000"},
    {LM, kNetTrans, "MaxMTU", 4, "40020000"},
    {LM, kNetTrans, "MaxMSS", 4, "18020000"},
    {LM, "System\\CurrentControlSet\\Control\\FileSystem", "ConfigFileAllocSize", 4, "F4010000"},
    {LM, "System\\CurrentControlSet\\Services\\Class\\fdc\\0000", "ForceFIFO", 4, "00000000"},
    {LM, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer", "MaxCachedIcons", 4, "4C1D0000"},
    {CU, "Control Panel\\Desktop", "AutoEndTasks", 1, "3100"},
};

// The same values after a revert: most are gone, six hold their "off" datum.
std::vector<Expected> Reverted()
{
    std::vector<Expected> out = kApplied;
    for (Expected& e : out) {
        e.type = 0;
        e.hex.clear();
    }
    auto set = [&](const std::string& name, std::uint32_t type, const std::string& hex) {
        for (Expected& e : out)
            if (e.name == name) {
                e.type = type;
                e.hex = hex;
            }
    };
    set("Autorun", 4, "01000000");
    set("", 1, "72656766696C6500");
    set("1803", 4, "00000000");
    set("EnableICMPRedirects", 4, "01000000");
    set("SynAttackProtect", 4, "00000000");
    set("AutoEndTasks", 1, "3000");
    return out;
}

const std::vector<std::string> kMirrorNames = {"NoViewContextMenu",
                                               "NoDrives",
                                               "Autorun",
                                               "DisableRegistryTools",
                                               "reg",
                                               "NoTrayContextMenu",
                                               "NoDesktop",
                                               "NoLogOff",
                                               "NoSetFolders",
                                               "NoRun",
                                               "NoRecentDocsMenu",
                                               "NoFind",
                                               "DontDisplayLastUserName",
                                               "HomePage",
                                               "NoBrowserContextMenu",
                                               "AutoShareServer",
                                               "AutoShareWks",
                                               "restrictanonymous",
                                               "1803",
                                               "NoNetHood",
                                               "EnableICMPRedirects",
                                               "SynAttackProtect",
                                               "DefaultRcvWindow",
                                               "ConfigFileAllocSize",
                                               "ForceFIFO",
                                               "MaxCachedIcons",
                                               "AutoEndTasks"};

const std::string kMirror = "Software\\Microsoft\\Windows\\vardo\\zhuangtai";

void ExpectValues(RegistryBackend& backend, const std::vector<Expected>& expected)
{
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.key + " : " + e.name);
        const StoredValue v = ReadStored(backend, e.hive, e.key, e.name);
        if (e.type == 0) {
            EXPECT_EQ(v.status, status::FileNotFound);
        } else {
            ASSERT_EQ(v.status, status::Success);
            EXPECT_EQ(v.type, e.type);
            EXPECT_EQ(Hex(v.bytes), e.hex);
        }
    }
}

// Mirror value of each tweak as hex by mirror name, "-" where it is missing.
using Mirror = std::map<std::string, std::string>;

Mirror MirrorValues(RegistryBackend& backend)
{
    Mirror out;
    for (const std::string& name : kMirrorNames) {
        const StoredValue v = ReadStored(backend, CU, kMirror, name);
        out[name] = v.status != status::Success ? "-" : v.type != 4 ? "type" : Hex(v.bytes);
    }
    return out;
}

Mirror Repeat(const std::string& value)
{
    Mirror out;
    for (const std::string& name : kMirrorNames)
        out[name] = value;
    return out;
}

class TweakPasses : public ::testing::TestWithParam<BackendKind>
{
protected:
    TweakPasses() : backend_(GetParam()) {}
    RegistryBackend& Backend() { return backend_.Get(); }
    BackendUnderTest backend_;
    RecordedMessages messages_;
};

TEST_P(TweakPasses, ApplyingAndRevertingWritesEveryValueAndTheMirror)
{
    ApplyTweaks(Backend(), TickSet::All(), messages_);
    ExpectValues(Backend(), kApplied);
    EXPECT_EQ(MirrorValues(Backend()), Repeat("01000000"));

    ApplyTweaks(Backend(), TickSet{}, messages_);
    ExpectValues(Backend(), Reverted());
    EXPECT_EQ(MirrorValues(Backend()), Repeat("00000000"));
    // Reverting values that are already gone is quiet.
    ApplyTweaks(Backend(), TickSet{}, messages_);
    EXPECT_TRUE(messages_.texts.empty());
}

TEST_P(TweakPasses, EachRowFollowsItsOwnBox)
{
    TickSet some;
    some.ticked = {"NoDrives", "reg", "DefaultRcvWindow", "AutoEndTasks"};
    ApplyTweaks(Backend(), some, messages_);
    std::vector<Expected> expected = Reverted();
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (expected[i].name == "NoDrives" || expected[i].name.empty() ||
            expected[i].name == "AutoEndTasks" || expected[i].key == kMstcp || expected[i].key == kNetTrans)
            expected[i] = kApplied[i];
    ExpectValues(Backend(), expected);
    Mirror mirror = Repeat("00000000");
    for (const std::string& name : some.ticked)
        mirror[name] = "01000000";
    EXPECT_EQ(MirrorValues(Backend()), mirror);
}

TEST_P(TweakPasses, FirstRunResetsOnceAndMarksFirst)
{
    ApplyTweaks(Backend(), TickSet::All(), messages_);
    EXPECT_TRUE(RunFirstRunCheck(Backend(), messages_));
    ExpectValues(Backend(), Reverted());
    EXPECT_EQ(MirrorValues(Backend()), Repeat("00000000"));
    const StoredValue marker = ReadStored(Backend(), CU, "Software\\Microsoft\\Windows\\vardo", "Frist");
    EXPECT_EQ(marker.type, 1u);
    EXPECT_EQ(Hex(marker.bytes), "3100");

    // Later checks find the marker and touch nothing.
    ApplyTweaks(Backend(), TickSet::All(), messages_);
    EXPECT_FALSE(RunFirstRunCheck(Backend(), messages_));
    ExpectValues(Backend(), kApplied);
    EXPECT_TRUE(messages_.texts.empty());
}

TEST_P(TweakPasses, AMarkerOfAnyKindCountsAsDone)
{
    {
        TRegistry registry(Backend());
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Microsoft\\Windows\\vardo"));
        registry.WriteBytes("FRIST", "", 0);
    }
    EXPECT_FALSE(RunFirstRunCheck(Backend(), messages_));
    EXPECT_EQ(MirrorValues(Backend()), Repeat("-"));
}

TEST(DwordBytes, LowByteFirstBothWays)
{
    const struct
    {
        std::uint32_t value;
        std::array<std::uint8_t, 4> bytes;
    } cases[] = {{0x12345678, {0x78, 0x56, 0x34, 0x12}},
                 {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF}},
                 {0x80000001, {0x01, 0x00, 0x00, 0x80}},
                 {6400, {0x00, 0x19, 0x00, 0x00}}};
    for (const auto& c : cases) {
        EXPECT_EQ(DwordBytes(c.value), c.bytes) << c.value;
        EXPECT_EQ(DwordFromBytes(c.bytes.data()), c.value) << c.value;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, TweakPasses, ::testing::ValuesIn(PlatformBackends()),
                         [](const auto& info) { return BackendName(info.param); });

#ifndef _WIN32

// The expectation for the value `name` in `values`.
Expected ValueNamed(const std::vector<Expected>& values, const std::string& name)
{
    for (const Expected& e : values)
        if (e.name == name)
            return e;
    ADD_FAILURE() << "no value " << name;
    return {};
}

// The rows before the one that owns `name` applied, that row and the rest reverted.
std::vector<Expected> AppliedBefore(const std::string& name)
{
    std::vector<Expected> out = Reverted();
    for (std::size_t i = 0; i < out.size() && out[i].name != name; ++i)
        out[i] = kApplied[i];
    return out;
}

const std::vector<std::string> kMachineApplyMessages = {
    "注册表内容出错5！",  "注册表内容出错9！",  "注册表内容出错25",   "注册表内容出错31！",
    "注册表内容出错33！", "注册表内容出错35！", "注册表内容出错43！", "注册表内容出错45！",
    "注册表内容出错45！", "注册表内容出错45！", "注册表内容出错45！", "注册表内容出错45！"};
const std::vector<std::string> kMachineRevertMessages = {
    "注册表内容出错6！",  "注册表内容出错10",   "注册表内容出错26",   "注册表内容出错32！",
    "注册表内容出错34！", "注册表内容出错36！", "注册表内容出错44！", "注册表内容出错46！",
    "注册表内容出错45！", "注册表内容出错46！", "注册表内容出错46！", "注册表内容出错46！"};
const std::vector<std::string> kMachineRows = {"Autorun",
                                               "reg",
                                               "DontDisplayLastUserName",
                                               "AutoShareServer",
                                               "AutoShareWks",
                                               "restrictanonymous",
                                               "EnableICMPRedirects",
                                               "SynAttackProtect",
                                               "DefaultRcvWindow",
                                               "ConfigFileAllocSize",
                                               "ForceFIFO",
                                               "MaxCachedIcons"};

class TweakFailures : public ::testing::TestWithParam<BackendKind>
{
protected:
    TweakFailures() : backend_(GetParam()), failing_(backend_.Get()) {}
    BackendUnderTest backend_;
    FailingBackend failing_;
    RecordedMessages messages_;
};

TEST_P(TweakFailures, MachineHiveClosedShowsTwelveMessagesAndKeepsThoseMirrorValues)
{
    ApplyTweaks(backend_.Get(), TickSet{}, messages_); // every mirror value 0
    failing_.deniedHive = LM;

    ApplyTweaks(failing_, TickSet::All(), messages_);
    EXPECT_EQ(messages_.texts, kMachineApplyMessages);
    Mirror mirror = Repeat("01000000");
    for (const std::string& name : kMachineRows)
        mirror[name] = "00000000";
    EXPECT_EQ(MirrorValues(backend_.Get()), mirror);
    std::vector<Expected> userApplied;
    for (const Expected& e : kApplied)
        if (e.hive == CU)
            userApplied.push_back(e);
    ExpectValues(backend_.Get(), userApplied);

    messages_.texts.clear();
    ApplyTweaks(failing_, TickSet{}, messages_);
    EXPECT_EQ(messages_.texts, kMachineRevertMessages);
}

TEST_P(TweakFailures, FirstRunWithTheMachineHiveClosedStillZeroesEveryMirrorValue)
{
    failing_.deniedHive = LM;
    EXPECT_TRUE(RunFirstRunCheck(failing_, messages_));
    EXPECT_EQ(messages_.texts, kMachineRevertMessages);
    EXPECT_EQ(MirrorValues(backend_.Get()), Repeat("00000000"));
}

TEST_P(TweakFailures, AFailedWriteEndsThePassWhereItHappened)
{
    ApplyTweaks(backend_.Get(), TickSet{}, messages_);
    failing_.failSetOf = "NoNetHood";
    try {
        ApplyTweaks(failing_, TickSet::All(), messages_);
        FAIL() << "the pass went on";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'NoNetHood'");
    }
    Mirror mirror = Repeat("00000000");
    for (std::size_t i = 0; kMirrorNames[i] != "NoNetHood"; ++i)
        mirror[kMirrorNames[i]] = "01000000";
    EXPECT_EQ(MirrorValues(backend_.Get()), mirror);
    ExpectValues(backend_.Get(), AppliedBefore("NoNetHood"));
}

TEST_P(TweakFailures, AFailedMirrorWriteEndsThePass)
{
    failing_.failOpenOf = kMirror;
    try {
        ApplyTweaks(failing_, TickSet::All(), messages_);
        FAIL() << "the pass went on";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'NoViewContextMenu'");
    }
    ExpectValues(backend_.Get(),
                 {ValueNamed(kApplied, "NoViewContextMenu"), ValueNamed(Reverted(), "NoDrives")});
    EXPECT_TRUE(messages_.texts.empty());
}

TEST_P(TweakFailures, TheSecondKeyOfTheNetworkTweakFailingLeavesItsMirrorAlone)
{
    ApplyTweaks(backend_.Get(), TickSet{}, messages_);
    failing_.failOpenOf = kNetTrans;
    ApplyTweaks(failing_, TickSet::All(), messages_);
    EXPECT_EQ(messages_.texts, std::vector<std::string>{"注册表内容出错45！"});
    ExpectValues(backend_.Get(),
                 {ValueNamed(kApplied, "DefaultRcvWindow"), ValueNamed(kApplied, "DefaultTTL"),
                  ValueNamed(Reverted(), "MaxMTU"), ValueNamed(Reverted(), "MaxMSS"),
                  ValueNamed(kApplied, "ConfigFileAllocSize")});
    Mirror mirror = Repeat("01000000");
    mirror["DefaultRcvWindow"] = "00000000";
    EXPECT_EQ(MirrorValues(backend_.Get()), mirror);
}

TEST_P(TweakFailures, AFailedMarkerWriteResetsNothing)
{
    ApplyTweaks(backend_.Get(), TickSet::All(), messages_);
    failing_.failSetOf = "Frist";
    EXPECT_THROW(RunFirstRunCheck(failing_, messages_), ERegistryException);
    ExpectValues(backend_.Get(), kApplied);
    // The next press tries again.
    EXPECT_TRUE(RunFirstRunCheck(backend_.Get(), messages_));
    ExpectValues(backend_.Get(), Reverted());
}

TEST_P(TweakFailures, AResetCutShortIsNeverResumed)
{
    ApplyTweaks(backend_.Get(), TickSet::All(), messages_);
    failing_.failSetOf = "AutoEndTasks";
    EXPECT_THROW(RunFirstRunCheck(failing_, messages_), ERegistryException);
    Mirror mirror = Repeat("00000000");
    mirror["AutoEndTasks"] = "01000000";
    EXPECT_EQ(MirrorValues(backend_.Get()), mirror);
    EXPECT_FALSE(RunFirstRunCheck(backend_.Get(), messages_));
}

INSTANTIATE_TEST_SUITE_P(Backends, TweakFailures, ::testing::ValuesIn(PlatformBackends()),
                         [](const auto& info) { return BackendName(info.param); });

#endif

} // namespace
} // namespace tessel::test
