#include "framework/TApplication.h"
#include "framework/TGbk.h"
#include "tests/support/TDialogRecorder.h"

#include <gtest/gtest.h>
#include <stdexcept>

using Kind = TDialogRecorder::Kind;

TEST(ApplicationTitle, IsTheFileNameCutAtItsFirstFullStop)
{
    EXPECT_EQ(ApplicationTitleFromPath("tessel.exe"), "tessel");
    EXPECT_EQ(ApplicationTitleFromPath("a.b.c"), "a");
    EXPECT_EQ(ApplicationTitleFromPath("C:\\Program Files\\x.y\\tessel.exe"), "tessel");
    EXPECT_EQ(ApplicationTitleFromPath("/usr/lib/v1.2/tessel"), "tessel");
    EXPECT_EQ(ApplicationTitleFromPath("noext"), "noext");
    EXPECT_EQ(ApplicationTitleFromPath(".hidden"), "");
}

TEST(ApplicationTitle, OfTheRunningProgram)
{
    EXPECT_EQ(ApplicationTitle(), "tessel_framework_tests");
}

TEST(ErrorDisplay, FullStopRule)
{
    // Last code above '.' (0x2E) gets a full stop.
    EXPECT_EQ(ErrorDisplayText("Access denied"), "Access denied.");
    EXPECT_EQ(ErrorDisplayText("x/"), "x/.");
    // Chinese end: the lead byte of the final GBK pair is above 0x80.
    EXPECT_EQ(ErrorDisplayText(QString::fromUtf8("注册表内容出错")), QString::fromUtf8("注册表内容出错."));
    // Nothing to append to, and codes at or below '.'.
    EXPECT_EQ(ErrorDisplayText(""), "");
    EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
    EXPECT_EQ(ErrorDisplayText("Stop!"), "Stop!");
    EXPECT_EQ(ErrorDisplayText("Failed to set data for 'Frist'"), "Failed to set data for 'Frist'");
    EXPECT_EQ(ErrorDisplayText("1-"), "1-");
    EXPECT_EQ(ErrorDisplayText(QString::fromUtf8("设置成功，重启生效！")),
              QString::fromUtf8("设置成功，重启生效！."));
}

TEST(Gbk, RoundTripAndLastCharacterCode)
{
    const QString text = QString::fromUtf8("密码不正确！a");
    const std::string bytes = ToGbk(text);
    EXPECT_EQ(bytes.size(), 13u);
    EXPECT_EQ(FromGbk(bytes), text);
    EXPECT_EQ(LastGbkCharCode(bytes), 'a');
    EXPECT_EQ(LastGbkCharCode(ToGbk(QString::fromUtf8("a中"))), 0xD6);
    EXPECT_EQ(LastGbkCharCode(""), -1);
    // A trailing lone lead byte is its own last character.
    EXPECT_EQ(LastGbkCharCode(std::string("a\xD6", 2)), 0xD6);
    // The second byte of a pair may look like '.'; it is not a character of its own.
    EXPECT_EQ(LastGbkCharCode(std::string("\x81\x2E", 2)), 0x81);
}

TEST(DialogService, GuardShowsEscapingErrorsThroughTheErrorDisplay)
{
    TDialogRecorder recorder;
    bool afterThrow = false;
    EXPECT_FALSE(RunGuarded([&] {
        throw std::runtime_error("Failed to get data for '1803'");
        afterThrow = true;
    }));
    EXPECT_FALSE(afterThrow);
    EXPECT_FALSE(RunGuarded([] { throw std::runtime_error("读取失败"); }));
    EXPECT_FALSE(RunGuarded([] { throw 42; }));
    EXPECT_TRUE(RunGuarded([] { ShowMessage(QString::fromUtf8("密码不正确！")); }));

    const std::vector<TDialogRecorder::Entry> expected = {
        {Kind::Error, "Failed to get data for '1803'"},
        {Kind::Error, QString::fromUtf8("读取失败.")},
        {Kind::Error, ""},
        {Kind::Message, QString::fromUtf8("密码不正确！")},
    };
    EXPECT_EQ(recorder.Entries(), expected);
}

TEST(DialogService, RecorderRestoresThePreviousService)
{
    TDialogRecorder outer;
    {
        TDialogRecorder inner;
        ShowMessage("inner");
        EXPECT_EQ(inner.Entries().size(), 1u);
    }
    ShowException("outer");
    ASSERT_EQ(outer.Entries().size(), 1u);
    EXPECT_EQ(outer.Entries()[0], (TDialogRecorder::Entry{Kind::Error, "outer."}));
}
