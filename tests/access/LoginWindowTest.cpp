#include "tests/support/WindowTestSupport.h"

namespace tessel::test {
namespace {

const char* const kProgramKey = "Software\\Microsoft\\Windows\\vardo";

class LoginWindow : public WindowTest
{
protected:
    void SetUp() override
    {
        Start();
        Click(Form1().suiButton4); // first run: reset, then the login window
        ClearMessages();
    }
    void ExpectMainIdle()
    {
        EXPECT_FALSE(Form1().suiPageControl1->isVisible());
        EXPECT_TRUE(Form1().suiButton4->Enabled());
        EXPECT_FALSE(Form1().suiButton1->Enabled());
    }
};

TEST_F(LoginWindow, LayoutAndCaptions)
{
    EXPECT_EQ(Form2().windowTitle(), QStringLiteral("       登陆"));
    EXPECT_EQ(Form2().size(), QSize(294, 148));
    EXPECT_EQ(Form2().suiButton1->Caption(), QStringLiteral("确  定"));
    EXPECT_EQ(Form2().suiButton2->Caption(), QStringLiteral("取  消"));
    EXPECT_EQ(Form2().suiEdit1->geometry(), QRect(54, 48, 121, 19));
    EXPECT_EQ(Form2().suiEdit1->LineEdit()->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(Form2().suiButton1->Default());
    EXPECT_FALSE(Form2().suiButton2->Cancel());
}

TEST_F(LoginWindow, AWrongPasswordEmptiesTheEditAndKeepsTheWindowOpen)
{
    WriteText(Hive::CurrentUser, kProgramKey, "paasword", "Tessel");
    for (const QString& wrong : {QStringLiteral("tessel"), QStringLiteral("Tessel "), QString()}) {
        Type(Form2().suiEdit1, wrong);
        Click(Form2().suiButton1);
        EXPECT_EQ(Form2().suiEdit1->Text(), QString());
        EXPECT_TRUE(Form2().isVisible());
        ExpectMainIdle();
    }
    EXPECT_EQ(Messages(), std::vector<QString>(3, QStringLiteral("密码不正确！")));

    Type(Form2().suiEdit1, QStringLiteral("Tessel"));
    Click(Form2().suiButton1);
    EXPECT_FALSE(Form2().isVisible());
    EXPECT_TRUE(Form1().suiPageControl1->isVisible());
    // The edit keeps the typed text after a success.
    EXPECT_EQ(Form2().suiEdit1->Text(), QStringLiteral("Tessel"));
}

TEST_F(LoginWindow, AChinesePasswordIsComparedAsItsGbkBytes)
{
    WriteText(Hive::CurrentUser, kProgramKey, "paasword", "\xC3\xDC\xC2\xEB"); // "密码"
    Type(Form2().suiEdit1, QStringLiteral("密码"));
    Click(Form2().suiButton1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Form1().suiPageControl1->isVisible());
}

TEST_F(LoginWindow, CancelEmptiesTheEditAndTheTitleBarCloseKeepsIt)
{
    Type(Form2().suiEdit1, QStringLiteral("abc"));
    Form2().close();
    EXPECT_FALSE(Form2().isVisible());
    EXPECT_EQ(Form2().suiEdit1->Text(), QStringLiteral("abc"));
    Form2().Show();
    Click(Form2().suiButton2);
    EXPECT_FALSE(Form2().isVisible());
    EXPECT_EQ(Form2().suiEdit1->Text(), QString());
    ExpectMainIdle();
}

TEST_F(LoginWindow, APasswordDeletedWhileRunningIsWrittenEmptyAndTheEditDisabled)
{
    RemoveValue(kProgramKey, "paasword");
    Type(Form2().suiEdit1, QStringLiteral("x"));
    Click(Form2().suiButton1);
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("密码不正确！")});
    EXPECT_FALSE(Form2().suiEdit1->Enabled());
    EXPECT_EQ(Form2().suiEdit1->Text(), QString());
    Click(Form2().suiButton1);
    EXPECT_TRUE(Form1().suiPageControl1->isVisible());
    EXPECT_FALSE(Form2().suiEdit1->Enabled());
}

TEST_F(LoginWindow, AMissingMirrorValueUnticksAndOneOfTheWrongKindStopsTheLoad)
{
    {
        TRegistry registry(Registry());
        ASSERT_TRUE(registry.OpenKeyCreating("Software\\Microsoft\\Windows\\vardo\\zhuangtai"));
        registry.WriteDword("NoViewContextMenu", 1);
        registry.WriteDword("Autorun", 1);
        registry.RemoveValue("NoDrives");
        registry.WriteText("DisableRegistryTools", "1");
    }
    Form1().CheckBox(QStringLiteral("SnCheckBox2"))->SetChecked(true);
    Form1().CheckBox(QStringLiteral("SnCheckBox5"))->SetChecked(true);
    Click(Form2().suiButton1);
    EXPECT_EQ(Messages(),
              std::vector<QString>{QStringLiteral("error: Invalid data type for 'DisableRegistryTools'")});
    EXPECT_TRUE(Form1().CheckBox(QStringLiteral("SnCheckBox1"))->Checked());
    EXPECT_FALSE(Form1().CheckBox(QStringLiteral("SnCheckBox2"))->Checked()); // missing reads as 0
    EXPECT_TRUE(Form1().CheckBox(QStringLiteral("SnCheckBox3"))->Checked());
    EXPECT_TRUE(Form1().CheckBox(QStringLiteral("SnCheckBox5"))->Checked()); // not reached
    EXPECT_TRUE(Form2().isVisible());
    ExpectMainIdle();
}

TEST_F(LoginWindow, APasswordOfAnotherKindIsShownAsAnError)
{
    {
        TRegistry registry(Registry());
        ASSERT_TRUE(registry.OpenKeyCreating(kProgramKey));
        registry.WriteDword("paasword", 5);
    }
    Click(Form2().suiButton1);
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("error: Invalid data type for 'paasword'")});
    EXPECT_TRUE(Form2().isVisible());
    ExpectMainIdle();
}

} // namespace
} // namespace tessel::test
