#include "tweaks/PasswordStore.h"
#include "tests/support/TestBackends.h"
#include "tweaks/TRegistry.h"
#include "tweaks/TweakCatalogue.h"

#include <gtest/gtest.h>

namespace tessel::test {
namespace {

class Passwords : public ::testing::TestWithParam<BackendKind>
{
protected:
    Passwords() : backend_(GetParam()) {}
    RegistryBackend& Backend() { return backend_.Get(); }

    void SetStored(std::string_view password)
    {
        TRegistry registry(Backend());
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Microsoft\\Windows\\vardo"));
        registry.WriteText("paasword", password);
    }
    void ZeroMirror()
    {
        ApplyTweaks(Backend(), TickSet{}, messages_);
        messages_.texts.clear();
    }
    void SetMirror(std::string_view name, std::int32_t value)
    {
        TRegistry registry(Backend());
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Microsoft\\Windows\\vardo\\zhuangtai"));
        registry.WriteDword(name, value);
    }

    BackendUnderTest backend_;
    RecordedMessages messages_;
    TickSet ticks_;
    int missingCalls_ = 0;
    std::function<void()> onMissing_ = [this] { ++missingCalls_; };
};

TEST_P(Passwords, EnsurePasswordWritesTheEmptyOneOnlyWhenMissing)
{
    EnsurePassword(Backend(), onMissing_);
    EXPECT_EQ(missingCalls_, 1);
    const StoredValue v =
        ReadStored(Backend(), Hive::CurrentUser, "Software\\Microsoft\\Windows\\vardo", "paasword");
    EXPECT_EQ(v.type, regtype::Sz);
    EXPECT_EQ(Hex(v.bytes), "00");
    EnsurePassword(Backend(), onMissing_);
    EXPECT_EQ(missingCalls_, 1);
}

TEST_P(Passwords, LoginComparesEveryByte)
{
    ZeroMirror();
    SetStored("Secret \xC3\xDC"); // ends in a blank and the GBK "密"
    for (std::string_view wrong :
         {"", "secret \xC3\xDC", "Secret\xC3\xDC", "Secret \xC3\xDC ", "Secret \xC3"}) {
        EXPECT_FALSE(Login(Backend(), wrong, ticks_, messages_, onMissing_));
    }
    EXPECT_EQ(messages_.texts, std::vector<std::string>(5, "密码不正确！"));
    EXPECT_TRUE(Login(Backend(), "Secret \xC3\xDC", ticks_, messages_, onMissing_));
    EXPECT_EQ(messages_.texts.size(), 5u);
    EXPECT_EQ(missingCalls_, 0);
}

TEST_P(Passwords, StateLoadTicksExactlyTheOnes)
{
    ZeroMirror();
    SetStored("");
    SetMirror("NoDrives", 1);
    SetMirror("Autorun", 2);
    SetMirror("reg", -1);
    SetMirror("AutoEndTasks", 1);
    ticks_ = TickSet::All();
    ASSERT_TRUE(Login(Backend(), "", ticks_, messages_, onMissing_));
    EXPECT_EQ(ticks_.ticked, (std::set<std::string>{"NoDrives", "AutoEndTasks"}));
}

TEST_P(Passwords, StateLoadStopsAtTheFirstUnreadableMirrorValue)
{
    ZeroMirror();
    SetStored("");
    SetMirror("NoViewContextMenu", 1);
    SetMirror("NoDrives", 1);
    {
        TRegistry registry(Backend());
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Microsoft\\Windows\\vardo\\zhuangtai"));
        registry.RemoveValue("Autorun");
        registry.WriteBytes("DisableRegistryTools", "\x01\0\0\0", 4);
    }
    ticks_.ticked = {"Autorun", "reg"};
    try {
        Login(Backend(), "", ticks_, messages_, onMissing_);
        FAIL() << "the load went on";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'DisableRegistryTools'");
    }
    // Earlier rows took their new state (a missing value unticks); the
    // failing row and later ones kept theirs.
    EXPECT_EQ(ticks_.ticked, (std::set<std::string>{"NoViewContextMenu", "NoDrives", "reg"}));
}

// A first-run reset killed after any number of writes still lets the user in,
// and the next OK leaves every mirror value in place.
TEST_P(Passwords, AResetCutShortAnywhereNeverLocksTheUserOut)
{
    for (int writes = 0;; ++writes) {
        SCOPED_TRACE("killed after " + std::to_string(writes) + " writes");
        BackendUnderTest fresh(GetParam());
        EnsurePassword(fresh.Get(), {});
        FailingBackend dying(fresh.Get());
        dying.writesLeft = writes;
        bool completed = false;
        try {
            completed = RunFirstRunCheck(dying, messages_);
        } catch (const ERegistryException&) {
        }
        TickSet ticks = TickSet::All();
        ASSERT_TRUE(Login(fresh.Get(), "", ticks, messages_, {}));
        EXPECT_TRUE(ticks.ticked.empty());
        ApplyTweaks(fresh.Get(), TickSet{}, messages_);
        for (const TweakEntry& tweak : Catalogue())
            EXPECT_EQ(Hex(ReadStored(fresh.Get(), Hive::CurrentUser, kMirrorKey, tweak.mirrorValue).bytes),
                      "00000000")
                << tweak.mirrorValue;
        EXPECT_TRUE(messages_.texts.empty());
        if (completed)
            break;
        ASSERT_LT(writes, 200);
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, Passwords, ::testing::ValuesIn(PlatformBackends()),
                         [](const auto& info) { return BackendName(info.param); });

} // namespace
} // namespace tessel::test
