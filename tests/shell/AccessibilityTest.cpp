#include "shell/Accessibility.h"
#include "controls/Snrichedit.h"
#include "framework/TAccessible.h"
#include "skin/SuiProgressBar.h"
#include "skin/SuiScrollBar.h"
#include "skin/SuiTitleBar.h"
#include "tests/support/WindowTestSupport.h"
#include "tweaks/TweakCatalogue.h"

#include <QAccessible>
#include <QWindow>

namespace tessel::test {
namespace {

const char* const kMirrorKey = "Software\\Microsoft\\Windows\\vardo\\zhuangtai";

QAccessibleInterface* Iface(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Every interface below `root`, depth first, in child order.
void Collect(QAccessibleInterface* root, std::vector<QAccessibleInterface*>& out)
{
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface* child = root->child(i)) {
            out.push_back(child);
            Collect(child, out);
        }
}

std::vector<QAccessibleInterface*> WithRole(QObject* root, QAccessible::Role role)
{
    std::vector<QAccessibleInterface*> all;
    Collect(Iface(root), all);
    std::erase_if(all, [role](QAccessibleInterface* i) { return i->role() != role; });
    return all;
}

// Push buttons that are widgets of their own, not parts of a title bar.
std::vector<QAccessibleInterface*> Buttons(QObject* root)
{
    std::vector<QAccessibleInterface*> buttons = WithRole(root, QAccessible::PushButton);
    std::erase_if(buttons, [](QAccessibleInterface* i) { return i->object() == nullptr; });
    return buttons;
}

std::vector<QAccessibleInterface*> Children(QAccessibleInterface* parent)
{
    std::vector<QAccessibleInterface*> children;
    for (int i = 0; i < parent->childCount(); ++i)
        children.push_back(parent->child(i));
    return children;
}

QStringList Names(const std::vector<QAccessibleInterface*>& ifaces)
{
    QStringList names;
    for (QAccessibleInterface* i : ifaces)
        names << i->text(QAccessible::Name);
    return names;
}

void Act(QAccessibleInterface* iface, const QString& action)
{
    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(action)) << actions->actionNames().join(',').toStdString();
    actions->doAction(action);
}

class Accessibility : public WindowTest
{
protected:
    static void SetUpTestSuite() { InstallAccessibility(); }
    void WriteMirror(const TweakEntry& tweak, std::int32_t value)
    {
        TRegistry registry(Registry());
        ASSERT_TRUE(registry.OpenKeyCreating(kMirrorKey));
        registry.WriteDword(tweak.mirrorValue, value);
    }
    std::string Mirror(const TweakEntry& tweak)
    {
        return Hex(ReadStored(Registry(), Hive::CurrentUser, kMirrorKey, tweak.mirrorValue).bytes);
    }
};

TEST_F(Accessibility, TheTweakBoxesAreCheckBoxesNamedByCaptionAndTickedAsTheMirror)
{
    Start();
    Click(Form1().suiButton4); // the first-run reset writes every mirror value
    Form2().close();
    std::set<std::string_view> on = {"NoDrives", "HomePage", "1803", "AutoEndTasks"};
    for (const TweakEntry& tweak : Catalogue())
        WriteMirror(tweak, on.count(tweak.mirrorValue) ? 1 : (tweak.mirrorValue == "reg" ? 2 : 0));
    LogIn();

    // The tree holds each box once; the pages list them in the order they were built.
    std::set<QObject*> inTree;
    for (QAccessibleInterface* box : WithRole(&Form1(), QAccessible::CheckBox))
        inTree.insert(box->object());
    ASSERT_EQ(inTree.size(), Catalogue().size());
    for (const TweakEntry& tweak : Catalogue()) {
        SCOPED_TRACE(tweak.mirrorValue);
        QAccessibleInterface* box = Iface(Form1().CheckBox(tweak));
        EXPECT_TRUE(inTree.count(box->object()));
        EXPECT_EQ(box->text(QAccessible::Name).toStdString(), tweak.caption);
        EXPECT_EQ(box->state().checked, on.count(tweak.mirrorValue) == 1);
        EXPECT_TRUE(box->state().checkable);
        EXPECT_FALSE(box->state().disabled);
        EXPECT_EQ(box->text(QAccessible::Description), Form1().CheckBox(tweak)->toolTip());
        EXPECT_FALSE(box->text(QAccessible::Description).isEmpty());
    }
    EXPECT_EQ(Iface(Form1().CheckBox(Row("NoSetFolders")))->text(QAccessible::Name),
              QStringLiteral("禁止修改\"控制面板 \""));
    EXPECT_EQ(Iface(Form1().CheckBox(Row("1803")))->text(QAccessible::Name),
              QStringLiteral("禁止IE下载文件"));
}

TEST_F(Accessibility, TheToggleActionTicksExactlyAsAClickAndOkWritesIt)
{
    Start();
    LogIn();
    const TweakEntry& nodrives = Row("NoDrives");
    const TweakEntry& norun = Row("NoRun");
    TSnCheckBox* viaAction = Form1().CheckBox(nodrives);
    TSnCheckBox* viaClick = Form1().CheckBox(norun);
    int clicks = 0;
    viaAction->OnClick = [&](QObject* sender) { clicks += sender == viaAction ? 1 : 100; };
    const std::string before = Snapshot(Registry());

    Act(Iface(viaAction), QAccessibleActionInterface::toggleAction());
    Click(viaClick);
    EXPECT_TRUE(viaAction->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Iface(viaAction)->state().checked);
    // The click leaves the pointer over its box; the action's pointer leaves again.
    EXPECT_EQ(viaClick->State() & ~TSnCheckBox::StateFocused,
              TSnCheckBox::StateInitial | TSnCheckBox::StateMouseOver);
    EXPECT_EQ(viaAction->State() & ~TSnCheckBox::StateFocused,
              TSnCheckBox::StateInitial | TSnCheckBox::StateMouseOut);
    EXPECT_EQ(Snapshot(Registry()), before); // nothing is written before OK

    // OK through its press action, as a screen reader presses it.
    QAccessibleInterface* ok = Iface(Form1().suiButton1);
    EXPECT_EQ(ok->role(), QAccessible::PushButton);
    EXPECT_EQ(ok->text(QAccessible::Name), QStringLiteral("确定"));
    Act(ok, QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Mirror(nodrives), "01000000");
    EXPECT_EQ(Mirror(norun), "01000000");
    EXPECT_TRUE(Form1().SnLabel1->isVisible());
    EXPECT_EQ(clicks, 1);
}

TEST_F(Accessibility, ABoxWhoseOwnFlagIsOffIsUnavailableAndIgnoresItsAction)
{
    Start();
    LogIn();
    TSnCheckBox* box = Form1().CheckBox(Row("NoViewContextMenu"));
    box->SetEnabled(false);
    QAccessibleInterface* iface = Iface(box);
    EXPECT_TRUE(iface->state().disabled);
    EXPECT_TRUE(iface->actionInterface()->actionNames().isEmpty());
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->State(), TSnCheckBox::StateInitial);
}

TEST_F(Accessibility, TitleBarsNameTheirButtonsAndCloseThroughThem)
{
    Start();
    const std::vector<QAccessibleInterface*> bars = WithRole(&Form1(), QAccessible::TitleBar);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0]->text(QAccessible::Name), QStringLiteral("Tessel V1.2"));
    EXPECT_EQ(Names(Children(bars[0])), QStringList({QStringLiteral("关闭"), QStringLiteral("最小化")}));
    EXPECT_EQ(Iface(&Form1())->text(QAccessible::Name), QStringLiteral("Tessel V1.2"));
    EXPECT_EQ(Form1().windowTitle(), QStringLiteral("       Tessel V1.2"));

    Click(Form1().suiButton4);
    ASSERT_TRUE(Form2().isVisible());
    EXPECT_EQ(Iface(&Form2())->text(QAccessible::Name), QStringLiteral("登陆"));
    const std::vector<QAccessibleInterface*> close =
        Children(WithRole(&Form2(), QAccessible::TitleBar).at(0));
    ASSERT_EQ(Names(close), QStringList{QStringLiteral("关闭")});
    EXPECT_TRUE(close[0]->rect().isValid());
    Act(close[0], QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(Form2().isVisible());
}

TEST_F(Accessibility, ThePageStripHasOnePageTabPerPageAndSelectsByPress)
{
    Start();
    LogIn();
    const std::vector<QAccessibleInterface*> tabs = WithRole(&Form1(), QAccessible::PageTab);
    ASSERT_EQ(Names(tabs), QStringList({QStringLiteral("功能限制类"), QStringLiteral("网络安全类"),
                                        QStringLiteral("性能优化类")}));
    const auto selected = [&] {
        std::vector<bool> s;
        for (QAccessibleInterface* tab : tabs)
            s.push_back(tab->state().selected);
        return s;
    };
    EXPECT_EQ(selected(), std::vector<bool>({true, false, false}));
    Act(tabs[2], QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Form1().suiPageControl1->ActivePageIndex(), 2);
    EXPECT_EQ(selected(), std::vector<bool>({false, false, true}));
    EXPECT_TRUE(Form1().CheckBox(Row("AutoEndTasks"))->isVisible());
    EXPECT_EQ(tabs[2]->parent()->indexOfChild(tabs[2]), 2);
}

TEST_F(Accessibility, LabelsEditsAndButtonsCarryTheirTexts)
{
    Start();
    Click(Form1().suiButton4);
    EXPECT_EQ(Names(WithRole(&Form2(), QAccessible::StaticText)), QStringList{QStringLiteral("密码：")});
    EXPECT_EQ(Names(Buttons(&Form2())), QStringList({QStringLiteral("确  定"), QStringLiteral("取  消")}));
    const std::vector<QAccessibleInterface*> panel = WithRole(&Form1(), QAccessible::Grouping);
    ASSERT_EQ(Names(panel), QStringList{QStringLiteral("程序面板")});
    EXPECT_EQ(Names(Buttons(&Form1())),
              QStringList({QStringLiteral("登陆程序"), QStringLiteral("密码修改"), QStringLiteral("帮助"),
                           QStringLiteral("关于"), QStringLiteral("退出"), QStringLiteral("确定"),
                           QStringLiteral("取消")}));
    Click(Form1().suiButton7);
    QAccessibleInterface* help = nullptr;
    Click(Form1().suiButton6);
    for (QAccessibleInterface* i : WithRole(&Form7(), QAccessible::EditableText))
        help = i;
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->state().readOnly, Form7().SnRichEdit1->ReadOnly());
    EXPECT_EQ(help->text(QAccessible::Value), Form7().SnRichEdit1->Text());
    EXPECT_FALSE(help->text(QAccessible::Value).isEmpty());
}

TEST_F(Accessibility, SecondaryWindowsBelongToTheMainWindowAndStayModeless)
{
    Start();
    for (TsuiButton* button :
         {Form1().suiButton4, Form1().suiButton3, Form1().suiButton6, Form1().suiButton7})
        Click(button);
    for (QWidget* window : std::initializer_list<QWidget*>{&Form2(), &Form3(), &Form7(), &Form4()}) {
        ASSERT_TRUE(window->isVisible());
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->transientParent(), Form1().windowHandle());
        EXPECT_EQ(window->windowModality(), Qt::NonModal);
    }
    EXPECT_EQ(Form1().windowHandle()->transientParent(), nullptr);
}

TEST_F(Accessibility, CaptionsAreSpokenWithoutAcceleratorMarks)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("&Save"), QStringLiteral("Save")},
        {QStringLiteral("Save && exit"), QStringLiteral("Save & exit")},
        {QStringLiteral("确  定"), QStringLiteral("确  定")},
        {QStringLiteral("end&"), QStringLiteral("end")},
    };
    for (const auto& [caption, spoken] : cases)
        EXPECT_EQ(SpokenCaption(caption), spoken) << caption.toStdString();
    QWidget parent;
    TSnCheckBox box(&parent);
    box.SetCaption(QStringLiteral("&Fast && safe"));
    EXPECT_EQ(Iface(&box)->text(QAccessible::Name), QStringLiteral("Fast & safe"));
}

TEST_F(Accessibility, BarsGiveTheirPositionAsTheirValue)
{
    QWidget parent;
    TsuiProgressBar progress(&parent);
    progress.SetMax(200);
    progress.SetPosition(50);
    TsuiTrackBar track(&parent);
    track.SetMax(10);
    track.SetPosition(4);
    struct Case
    {
        QWidget* bar;
        QAccessible::Role role;
        int value, max;
        bool settable;
    };
    for (const Case& c : {Case{&progress, QAccessible::ProgressBar, 50, 200, false},
                          Case{&track, QAccessible::Slider, 4, 10, true}}) {
        QAccessibleInterface* iface = Iface(c.bar);
        EXPECT_EQ(iface->role(), c.role);
        QAccessibleValueInterface* value = iface->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentValue().toInt(), c.value);
        EXPECT_EQ(value->maximumValue().toInt(), c.max);
        value->setCurrentValue(7);
        EXPECT_EQ(value->currentValue().toInt(), c.settable ? 7 : c.value);
    }
    // The track clamps a value beyond its range, as its own setter does.
    Iface(&track)->valueInterface()->setCurrentValue(99);
    EXPECT_EQ(track.Position(), 10);
}

} // namespace
} // namespace tessel::test
