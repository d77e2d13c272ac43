#include "tests/support/WindowTestSupport.h"

namespace tessel::test {
namespace {

const char* const kProgramKey = "Software\\Microsoft\\Windows\\vardo";

std::string StoredPassword(RegistryBackend& registry)
{
    return Hex(ReadStored(registry, Hive::CurrentUser, kProgramKey, "paasword").bytes);
}

class PasswordWindow : public WindowTest
{
protected:
    void Change(const QString& old, const QString& first, const QString& second)
    {
        Form3().Show();
        Type(Form3().suiEdit1, old);
        Type(Form3().suiEdit2, first);
        Type(Form3().suiEdit3, second);
        Click(Form3().suiButton1);
    }
};

TEST_F(PasswordWindow, StartUpWritesTheEmptyPasswordAndDisablesTheOldEdit)
{
    Start();
    EXPECT_EQ(StoredPassword(Registry()), "00");
    EXPECT_FALSE(Form3().suiEdit1->Enabled());
    EXPECT_EQ(Form3().windowTitle(), QStringLiteral("       修改密码"));
    // The empty, disabled edit matches the empty password once.
    Change(QString(), QStringLiteral("Neu"), QStringLiteral("Neu"));
    EXPECT_FALSE(Form3().isVisible());
    EXPECT_EQ(StoredPassword(Registry()), "4E657500");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PasswordWindow, AnExistingPasswordLeavesTheOldEditEnabled)
{
    WriteText(Hive::CurrentUser, kProgramKey, "paasword", "old");
    Start();
    EXPECT_TRUE(Form3().suiEdit1->Enabled());
}

TEST_F(PasswordWindow, AWrongOldPasswordIsAllThatIsReported)
{
    WriteText(Hive::CurrentUser, kProgramKey, "paasword", "old");
    Start();
    Change(QStringLiteral("OLD"), QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("输入的旧密码不正确！")});
    EXPECT_EQ(Form3().suiEdit1->Text(), QString());
    EXPECT_EQ(Form3().suiEdit2->Text(), QStringLiteral("a"));
    EXPECT_EQ(Form3().suiEdit3->Text(), QStringLiteral("b"));
    EXPECT_TRUE(Form3().isVisible());
    EXPECT_EQ(StoredPassword(Registry()), "6F6C6400");
}

TEST_F(PasswordWindow, NewTextsThatDifferInCaseAreRejected)
{
    WriteText(Hive::CurrentUser, kProgramKey, "paasword", "old");
    Start();
    Change(QStringLiteral("old"), QStringLiteral("Tessel"), QStringLiteral("tessel"));
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("两次输入的更改密码不一致！")});
    EXPECT_EQ(Form3().suiEdit1->Text(), QStringLiteral("old"));
    EXPECT_EQ(Form3().suiEdit2->Text(), QString());
    EXPECT_EQ(Form3().suiEdit3->Text(), QString());
    EXPECT_EQ(StoredPassword(Registry()), "6F6C6400");
}

TEST_F(PasswordWindow, AnEmptyNewPasswordMeansNoneAndLoginTakesTheEmptyEdit)
{
    WriteText(Hive::CurrentUser, kProgramKey, "paasword", "old");
    Start();
    Change(QStringLiteral("old"), QString(), QString());
    EXPECT_FALSE(Form3().isVisible());
    EXPECT_EQ(StoredPassword(Registry()), "00");
    // Texts stay in the edits for the next showing.
    EXPECT_EQ(Form3().suiEdit1->Text(), QStringLiteral("old"));
    LogIn();
    EXPECT_TRUE(Form1().suiPageControl1->isVisible());
}

TEST_F(PasswordWindow, AFailingWriteKeepsTheWindowAndTheOldPassword)
{
    WriteText(Hive::CurrentUser, kProgramKey, "paasword", "old");
    Start();
    m_failing.failSetOf = "paasword";
    Change(QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("new"));
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("error: Failed to set data for 'paasword'")});
    EXPECT_TRUE(Form3().isVisible());
    EXPECT_EQ(StoredPassword(Registry()), "6F6C6400");
}

TEST_F(PasswordWindow, FocusStartsAtTheOkButton)
{
    Start();
    Form3().Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form3()));
    EXPECT_EQ(QApplication::focusWidget(), Form3().suiButton1);
}

} // namespace
} // namespace tessel::test
