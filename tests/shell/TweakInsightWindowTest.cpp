#include "controls/Snmemo.h"
#include "shell/ChangeLogWindow.h"
#include "shell/TweakInsightView.h"
#include "tests/support/WindowTestSupport.h"
#include "tweaks/TweakCatalogue.h"

#include <QClipboard>
#include <QMenu>

namespace tessel::test {
namespace {

const TweakEntry& Row(std::string_view mirror)
{
    for (const TweakEntry& tweak : Catalogue())
        if (tweak.mirrorValue == mirror)
            return tweak;
    throw std::out_of_range(std::string(mirror));
}

class TweakInsightWindow : public WindowTest
{
protected:
    TTweakInsight& Insight() { return Form1().Insight(); }
    // Rows whose marker is shown, by mirror name.
    std::vector<std::string> Marked()
    {
        std::vector<std::string> out;
        for (const TweakEntry& tweak : Catalogue())
            if (!Insight().Marker(tweak)->isHidden())
                out.emplace_back(tweak.mirrorValue);
        return out;
    }
    void PutDword(std::string_view mirror, std::int32_t value)
    {
        const TweakEntry& tweak = Row(mirror);
        TRegistry registry(m_backend.Get());
        registry.SelectRoot(tweak.hive);
        ASSERT_TRUE(registry.OpenKeyCreating(tweak.writes[0].keyPath));
        registry.WriteDword(tweak.writes[0].valueName, value);
    }
    StoredValue Stored(std::string_view mirror)
    {
        const TweakEntry& tweak = Row(mirror);
        return ReadStored(m_backend.Get(), tweak.hive, tweak.writes[0].keyPath, tweak.writes[0].valueName);
    }
};

TEST_F(TweakInsightWindow, MarkersShowWhereTheRegistryDiffersAndFollowEveryPass)
{
    Start();
    LogIn(); // the first-run reset leaves every row reverted
    EXPECT_TRUE(Marked().empty());
    const QString tip = Form1().CheckBox(Row("NoDrives"))->toolTip();
    EXPECT_TRUE(tip.contains(QStringLiteral("隐藏 A 到 Z")) &&
                tip.contains(QStringLiteral("REG_DWORD 0xFFFFFFFF (-1)")))
        << tip.toStdString();

    // Another program sets a drive mask and switches "Run" off behind the program's back.
    Click(Form1().suiButton2);
    PutDword("NoDrives", 3);
    PutDword("NoRun", 1);
    LogIn();
    EXPECT_EQ(Marked(), (std::vector<std::string>{"NoDrives", "NoRun"}));
    const QString drift = Insight().Marker(Row("NoDrives"))->toolTip();
    EXPECT_TRUE(drift.contains(QStringLiteral("REG_DWORD 0x00000003 (3)")) &&
                drift.contains(QStringLiteral("本程序上次设置：撤消")))
        << drift.toStdString();
    EXPECT_EQ(Insight().Marker(Row("NoDrives"))->geometry().left(),
              50 + 106 + 3); // just right of the caption

    // A pass that cannot open the machine-wide keys leaves those rows behind their ticks.
    m_failing.deniedHive = Hive::LocalMachine;
    Form1().SetTicked(Row("Autorun"), true);
    Form1().SetTicked(Row("NoRun"), true);
    Click(Form1().suiButton1);
    EXPECT_EQ(Marked(), (std::vector<std::string>{"Autorun"}));
}

TEST_F(TweakInsightWindow, TheMenuRestoresOriginalsCopiesLocationsAndShowsTheLog)
{
    PutDword("NoDrives", 3); // an administrator's mask, before the program ever ran
    Start();
    LogIn();
    ASSERT_EQ(Stored("NoDrives").status, status::FileNotFound);

    // Only a logged-in user may restore.
    Click(Form1().suiButton2);
    Insight().RestoreRows(std::vector<const TweakEntry*>{&Row("NoDrives")});
    EXPECT_EQ(Stored("NoDrives").status, status::FileNotFound);

    LogIn();
    ClearMessages();
    const std::unique_ptr<QMenu> outside(Insight().BuildMenu(nullptr, &Form1()));
    const QList<QAction*> off = outside->actions();
    EXPECT_FALSE(off[0]->isEnabled());
    EXPECT_TRUE(off[1]->isEnabled());
    EXPECT_FALSE(off.back()->isEnabled());

    const std::unique_ptr<QMenu> menu(Insight().BuildMenu(&Row("NoDrives"), &Form1()));
    const QList<QAction*> actions = menu->actions(); // restore row, restore all, separator, log, copy
    actions[0]->trigger();
    EXPECT_EQ(Hex(Stored("NoDrives").bytes), "03000000");
    EXPECT_EQ(Stored("NoDrives").type, regtype::Dword);
    EXPECT_FALSE(Form1().IsTicked(Row("NoDrives")));
    EXPECT_EQ(Marked(), (std::vector<std::string>{"NoDrives"}));
    EXPECT_EQ(Messages(), (std::vector<QString>{QStringLiteral("隐藏所有驱动器：已恢复")}));

    actions[4]->trigger();
    EXPECT_EQ(
        QGuiApplication::clipboard()->text(),
        QStringLiteral(
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives"));

    actions[3]->trigger();
    TChangeLogForm* log = Insight().LogWindow();
    ASSERT_TRUE(log && log->isVisible());
    const QString text = log->SnMemo1->Text();
    // Newest first: the restore, then the first-run reset that deleted the mask.
    const qsizetype restored = text.indexOf(QStringLiteral("恢复  #2 NoDrives"));
    const qsizetype reset = text.indexOf(QStringLiteral("首次重置  #2 NoDrives"));
    EXPECT_TRUE(restored >= 0 && reset > restored) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("不存在 → REG_DWORD 0x00000003 (3)  完成")))
        << text.toStdString();
}

} // namespace
} // namespace tessel::test
