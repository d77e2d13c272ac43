#include "cli/ExportFiles.h"
#include "cli/GroupPolicy.h"
#include "controls/Snmemo.h"
#include "shell/ChangeLogWindow.h"
#include "shell/ExportDialog.h"
#include "shell/TweakInsightView.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiForm.h"
#include "tests/support/WindowTestSupport.h"
#include "tweaks/TweakCatalogue.h"

#include <QClipboard>
#include <QDir>
#include <QMenu>

#include <fstream>

namespace tessel::test {
namespace {

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
    EXPECT_FALSE(off[4]->isEnabled());

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

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST_F(TweakInsightWindow, ExportWritesTheBoxesTicksWhereTheDialogSays)
{
    Start();
    LogIn();
    Click(Form1().CheckBox(Row("NoDrives"))); // ticked, not applied
    ClearMessages();
    TempDir dir;
    const std::unique_ptr<QMenu> menu(Insight().BuildMenu(nullptr, &Form1()));
    QAction* exportSettings = menu->actions().back();
    EXPECT_EQ(exportSettings->text(), QStringLiteral("导出设置…"));

    m_dialogs.AnswerSaveFiles({true, 1, QString::fromStdString(dir.File("office.reg"))});
    exportSettings->trigger();
    const auto& entries = m_dialogs.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Type, TDialogRecorder::Kind::SaveFile);
    const QStringList request = entries[0].Text.split(QLatin1Char('\n'));
    ASSERT_EQ(request.size(), 8); // the note takes two lines
    EXPECT_EQ(request[0], QStringLiteral("导出设置"));
    EXPECT_EQ(request[1] + request[2], QStringLiteral("导出的是各复选框现在的勾选：尚未按“确定”应用的勾选"
                                                      "也按已勾选导出。管理模板与勾选无关。"));
    EXPECT_EQ(request.mid(3),
              (QStringList{QStringLiteral("Tessel 配置文件（.json）|tessel-profile.json|file"),
                           QStringLiteral("注册表文件（.reg）|tessel.reg|file"),
                           QStringLiteral("Ansible 剧本（.yml）|tessel.yml|file"),
                           QStringLiteral("组策略 Registry.pol（文件夹）|tessel-gpo|folder"),
                           QStringLiteral("管理模板 ADMX/ADML（文件夹）|tessel-admx|folder")}));
    EXPECT_EQ(entries[1].Text, QStringLiteral("已导出到 ") +
                                   QDir::toNativeSeparators(QString::fromStdString(dir.File("office.reg"))));
    TickSet ticks;
    ticks.ticked = {"NoDrives"};
    const std::vector<PlannedValue> plan = PlanApply(ticks);
    EXPECT_EQ(ReadAll(dir.File("office.reg")), ToRegFile(plan));
    // Exported, not applied: the mirror still has the row unticked.
    EXPECT_EQ(Hex(ReadStored(m_backend.Get(), Hive::CurrentUser, kMirrorKey, "NoDrives").bytes), "00000000");

    m_dialogs.AnswerSaveFiles({true, 3, QString::fromStdString(dir.File("gpo"))});
    exportSettings->trigger();
    EXPECT_EQ(ReadAll(dir.File("gpo/User/Registry.pol")), ToRegistryPol(plan, Hive::CurrentUser));
    EXPECT_EQ(ReadAll(dir.File("gpo/Machine/Registry.pol")), ToRegistryPol(plan, Hive::LocalMachine));

    // A folder where a file stands, and a cancelled dialog.
    ClearMessages();
    m_dialogs.AnswerSaveFiles({true, 4, QString::fromStdString(dir.File("office.reg"))});
    exportSettings->trigger();
    ASSERT_EQ(m_dialogs.Entries().size(), 2u);
    EXPECT_EQ(m_dialogs.Entries()[1].Type, TDialogRecorder::Kind::Error);
    EXPECT_TRUE(m_dialogs.Entries()[1].Text.startsWith(QStringLiteral("导出失败：cannot create the folder")))
        << m_dialogs.Entries()[1].Text.toStdString();
    ClearMessages();
    m_dialogs.AnswerSaveFiles({});
    exportSettings->trigger();
    EXPECT_EQ(m_dialogs.Entries().size(), 1u);
}

TEST_F(TweakInsightWindow, ExportFormOffersTheKindsAndProposesTheirNames)
{
    const TSaveRequest request{QStringLiteral("导出设置"),
                               QStringLiteral("说明"),
                               {{QStringLiteral("配置文件"), QStringLiteral("a.json"), false},
                                {QStringLiteral("组策略"), QStringLiteral("gpo"), true}},
                               QStringLiteral("/tmp/out")};
    TExportForm form(request);
    form.Show();
    EXPECT_EQ(form.suiForm1->Caption(), QStringLiteral("       导出设置"));
    EXPECT_EQ(form.suiRadioGroup1->Items(),
              (QStringList{QStringLiteral("配置文件"), QStringLiteral("组策略")}));
    EXPECT_EQ(form.suiRadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(form.SnLabel2->Caption(), QStringLiteral("说明"));
    EXPECT_EQ(form.suiEdit1->Text(), QDir::toNativeSeparators(QStringLiteral("/tmp/out/a.json")));

    Click(form.suiRadioGroup1->Button(1));
    EXPECT_EQ(form.suiEdit1->Text(), QDir::toNativeSeparators(QStringLiteral("/tmp/out/gpo")));
    EXPECT_FALSE(form.Choice().Accepted);

    // An empty place is refused with a message; 确定 with a place answers it, 取消 nothing.
    form.suiEdit1->SetText(QString());
    Click(form.suiButton1);
    EXPECT_EQ(Messages(), (std::vector<QString>{QStringLiteral("请填写保存位置。")}));
    EXPECT_FALSE(form.Choice().Accepted);
    form.suiEdit1->SetText(QStringLiteral("/tmp/elsewhere"));
    Click(form.suiButton1);
    const TSaveChoice choice = form.Choice();
    EXPECT_TRUE(choice.Accepted);
    EXPECT_EQ(choice.Option, 1);
    EXPECT_EQ(choice.Path, QStringLiteral("/tmp/elsewhere"));
    Click(form.suiButton2);
    EXPECT_FALSE(form.Choice().Accepted);
}

} // namespace
} // namespace tessel::test
