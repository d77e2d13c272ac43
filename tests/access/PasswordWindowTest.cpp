#include "framework/TGbk.h"
#include "tests/support/WindowTestSupport.h"
#include "tweaks/GbkCodec.h"

#include <QClipboard>
#include <QLibrary>

namespace tessel::test {
namespace {

const char* const kProgramKey = "Software\\Microsoft\\Windows\\vardo";

bool UnderWine()
{
    return QLibrary::resolve(QStringLiteral("ntdll"), "wine_get_version") != nullptr;
}

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

// Text that the stored encoding cannot hold exactly never gets into a
// password edit: a paste holding it is refused whole, and what the encoding
// holds is stored and matched byte for byte.
TEST_F(PasswordWindow, PasswordEditsTakeOnlyTextTheStoreHoldsExactly)
{
    Start();
    const struct
    {
        const char* label;
        QString text;
        bool storable;
    } rows[] = {
        {"NUL inside", QString::fromUtf16(u"ab\0cd", 5), false},
        {"NUL first", QString::fromUtf16(u"\0secret", 7), false},
        {"tab", QStringLiteral("a\tb"), false},
        {"DEL",
         QStringLiteral("a\x7F"
                        "b"),
         false},
        {"emoji", QStringLiteral("😀"), false},
        {"beyond the basic plane", QString::fromUcs4(U"\U00020000"), false},
        {"Hangul", QStringLiteral("한"), false},
        {"zero-width space", QString::fromUtf16(u"a\u200Bb"), false},
        {"direction mark", QString::fromUtf16(u"a\u200Eb"), false},
        {"GBK, the euro and a user-defined character", QString::fromUtf16(u"中文€\uE000"), true},
    };
    TsuiEdit* const edits[] = {Form2().suiEdit1, Form3().suiEdit2, Form3().suiEdit3};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        for (TsuiEdit* edit : edits) {
            QLineEdit* line = edit->LineEdit();
            line->clear();
            line->setFocus();
            QApplication::clipboard()->setText(row.text);
            QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(edit->Text(), row.storable ? row.text : QString());
        }
    }
    // Typed, the same characters stop at the edit too.
    Type(Form3().suiEdit2, QString::fromUtf16(u"a\u200Bb\u00E9\u00E5"));
    EXPECT_EQ(Form3().suiEdit2->Text(), QStringLiteral("abé"));

    Change(QString(), rows[9].text, rows[9].text);
    EXPECT_EQ(StoredPassword(Registry()), "D6D0CEC480AAA100");
    Type(Form2().suiEdit1, rows[9].text);
    Click(Form2().suiButton1);
    EXPECT_TRUE(Form1().suiPageControl1->isVisible());
    EXPECT_TRUE(Messages().empty());
}

// The windows measure text through Qt's converter and store it through the
// core's: both must give the same bytes and characters for all of code page 936.
TEST(CodePage936, TheWindowsAndTheCoreConvertAlike)
{
    int compared = 0;
    for (int lead = 0; lead <= 0xFF; ++lead) {
        const bool pair = lead >= 0x81 && lead <= 0xFE;
        for (int trail = pair ? 0x40 : -1; trail <= (pair ? 0xFE : -1); ++trail) {
            std::string bytes(1, static_cast<char>(lead));
            if (trail >= 0)
                bytes += static_cast<char>(trail);
            std::u16string core;
            if (!GbkToUtf16(bytes, core))
                continue;
            const QString window = FromGbk(bytes);
            ASSERT_EQ(window, QString::fromStdU16String(core)) << Hex(bytes);
            ASSERT_EQ(ToGbk(window), bytes) << Hex(bytes);
            ++compared;
        }
    }
    // 128 ASCII, the euro, 0xFF and every one of the 126 x 190 pairs: Windows
    // gives each pair a character, the user-defined areas private-use ones.
    // Wine's table alone leaves the single byte 0xFF (U+F8F5 on Windows) without one.
    EXPECT_EQ(compared, UnderWine() ? 24069 : 24070);
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
