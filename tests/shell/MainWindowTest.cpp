#include "NamedWindows.h"
#include "SecondBuild.h"
#include "framework/TCanvas.h"
#include "tests/support/WindowTestSupport.h"
#include "tweaks/TweakCatalogue.h"
#include "windowkit/WindowFrame.h"

namespace tessel::test {
namespace {

const char* const kProgramKey = "Software\\Microsoft\\Windows\\vardo";
const char* const kMirrorKey = "Software\\Microsoft\\Windows\\vardo\\zhuangtai";

std::string MirrorOf(RegistryBackend& backend, std::string_view name)
{
    return Hex(ReadStored(backend, Hive::CurrentUser, kMirrorKey, name).bytes);
}

class MainWindow : public WindowTest
{
protected:
    void ExpectIdle(TSnLabel* note)
    {
        EXPECT_FALSE(Form1().suiPageControl1->isVisible());
        EXPECT_TRUE(Form1().Image2->isVisible());
        EXPECT_TRUE(Form1().suiButton4->Enabled());
        EXPECT_FALSE(Form1().suiButton1->Enabled());
        EXPECT_FALSE(Form1().suiButton2->Enabled());
        EXPECT_EQ(Form1().SnLabel1->isVisible(), note == Form1().SnLabel1);
        EXPECT_EQ(Form1().SnLabel2->isVisible(), note == Form1().SnLabel2);
        for (TsuiButton* b : {Form1().suiButton3, Form1().suiButton6, Form1().suiButton7, Form1().suiButton8})
            EXPECT_TRUE(b->Enabled());
    }
    void ExpectEditing()
    {
        EXPECT_TRUE(Form1().suiPageControl1->isVisible());
        EXPECT_FALSE(Form1().Image2->isVisible());
        EXPECT_FALSE(Form1().suiButton4->Enabled());
        EXPECT_TRUE(Form1().suiButton1->Enabled());
        EXPECT_TRUE(Form1().suiButton2->Enabled());
    }
    TSnCheckBox* Box(const char* name) { return Form1().CheckBox(QString::fromLatin1(name)); }
    // Shows the box's page by clicking its tab, then clicks the box.
    void Tick(int page, const char* name)
    {
        Form1().suiPageControl1->SetActivePageIndex(page);
        ASSERT_TRUE(Box(name)->isVisible());
        Click(Box(name));
    }
};

TEST_F(MainWindow, StartsIdleWhateverTheMirrorHolds)
{
    RecordedMessages messages;
    ApplyTweaks(Registry(), TickSet::All(), messages);
    Start();
    ExpectIdle(nullptr);
    EXPECT_TRUE(Form1().isVisible());
    for (QWidget* other : std::initializer_list<QWidget*>{&Form2(), &Form3(), &Form4(), &Form7()})
        EXPECT_FALSE(other->isVisible());
    EXPECT_EQ(Form1().windowTitle(), QStringLiteral("       Tessel V1.2"));
    EXPECT_EQ(Form1().size(), QSize(496, 354));
    for (const TweakEntry& tweak : Catalogue())
        EXPECT_FALSE(Form1().CheckBox(tweak)->Checked());
}

// The pictures of the five windows (the window pictures, check boxes, button
// cells, stretched and keyed skin pieces) are made by the first build; a
// second build draws the same windows from what was kept.
TEST_F(MainWindow, ASecondBuildOfTheWindowsDecodesAndComposesNothing)
{
    const auto shots = [this] {
        Start();
        std::vector<QImage> images;
        for (const NamedWindow& entry : kNamedWindows)
            images.push_back(entry.Get(Windows()).grab().toImage());
        return images;
    };
    ExpectASecondBuildMakesNothing(shots);
}

TEST_F(MainWindow, TheBoxesStandInCatalogueOrderOnTheirPages)
{
    Start();
    const std::vector<std::pair<const char*, QRect>> expected = {
        {"SnCheckBox1", {50, 10, 117, 17}},  {"SnCheckBox12", {50, 270, 196, 17}},
        {"SnCheckBox30", {50, 10, 154, 17}}, {"SnCheckBox27", {50, 222, 115, 17}},
        {"SnCheckBox60", {50, 10, 93, 17}},  {"SnCheckBox50", {50, 104, 151, 17}},
    };
    for (const auto& [name, rect] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Box(name)->geometry(), rect);
    }
    EXPECT_EQ(Box("SnCheckBox9")->Caption(), QStringLiteral("禁止修改\"控制面板 \""));
    EXPECT_EQ(Box("SnCheckBox1")->parentWidget(), Form1().suiTabSheet1);
    EXPECT_EQ(Box("SnCheckBox30")->parentWidget(), Form1().suiTabSheet2);
    EXPECT_EQ(Box("SnCheckBox60")->parentWidget(), Form1().suiTabSheet4);
    EXPECT_EQ(Form1().suiButton4->Caption(), QStringLiteral("登陆程序"));
    EXPECT_EQ(Form1().suiButton4->geometry(), QRect(23, 27, 84, 25));
    EXPECT_EQ(Form1().suiButton8->geometry(), QRect(23, 194, 84, 25));
    EXPECT_EQ(Form1().suiButton1->geometry(), QRect(12, 305, 60, 25));
    EXPECT_EQ(Form1().suiPageControl1->geometry(), QRect(147, 26, 339, 323));
    EXPECT_EQ(Form1().Image2->geometry(), QRect(148, 32, 337, 309));
    // Keyboard focus runs through the panel, then OK and Cancel.
    EXPECT_EQ(Form1().suiButton4->nextInFocusChain(), Form1().suiButton3);
    EXPECT_EQ(Form1().suiButton8->nextInFocusChain(), Form1().suiButton1);
}

TEST_F(MainWindow, AWholeSession)
{
    Start();
    // The first log-in resets every tweak and opens the login window.
    Click(Form1().suiButton4);
    EXPECT_TRUE(Form2().isVisible());
    EXPECT_EQ(Hex(ReadStored(Registry(), Hive::CurrentUser, kProgramKey, "Frist").bytes), "3100");
    for (const TweakEntry& tweak : Catalogue())
        EXPECT_EQ(MirrorOf(Registry(), tweak.mirrorValue), "00000000") << tweak.mirrorValue;
    EXPECT_EQ(Hex(ReadStored(Registry(), Hive::LocalMachine, "Software\\CLASSES\\.reg", "").bytes),
              "72656766696C6500");

    // No password is set: the empty edit logs in.
    Click(Form2().suiButton1);
    EXPECT_FALSE(Form2().isVisible());
    ExpectEditing();
    EXPECT_TRUE(Messages().empty());

    Tick(0, "SnCheckBox2");
    Tick(1, "SnCheckBox17");
    Tick(2, "SnCheckBox60");
    Tick(2, "SnCheckBox50");
    Click(Form1().suiButton1);
    EXPECT_EQ(Messages(), std::vector<QString>{});
    ExpectIdle(Form1().SnLabel1);
    EXPECT_EQ(Form1().SnLabel1->Caption(), QStringLiteral("设置成功，重启生效！"));

    const char* explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    EXPECT_EQ(ReadStored(Registry(), Hive::CurrentUser, explorer, "NoDrives").type, regtype::Dword);
    EXPECT_EQ(Hex(ReadStored(Registry(), Hive::CurrentUser, explorer, "NoDrives").bytes), "FFFFFFFF");
    EXPECT_EQ(
        Hex(ReadStored(Registry(), Hive::CurrentUser,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3", "1803")
                .bytes),
        "03000000");
    EXPECT_EQ(Hex(ReadStored(Registry(), Hive::LocalMachine,
                             "System\\CurrentControlSet\\Services\\Class\\NetTrans", "MaxMSS")
                      .bytes),
              "18020000");
    EXPECT_EQ(Hex(ReadStored(Registry(), Hive::CurrentUser, "Control Panel\\Desktop", "AutoEndTasks").bytes),
              "3100");
    EXPECT_EQ(ReadStored(Registry(), Hive::CurrentUser, explorer, "NoViewContextMenu").status,
              status::FileNotFound);
    for (const TweakEntry& tweak : Catalogue()) {
        const bool on = tweak.mirrorValue == "NoDrives" || tweak.mirrorValue == "1803" ||
                        tweak.mirrorValue == "DefaultRcvWindow" || tweak.mirrorValue == "AutoEndTasks";
        EXPECT_EQ(MirrorOf(Registry(), tweak.mirrorValue), on ? "01000000" : "00000000") << tweak.mirrorValue;
    }

    // A second log-in shows the same ticks, read back from the mirror.
    for (const TweakEntry& tweak : Catalogue())
        Form1().SetTicked(tweak, tweak.mirrorValue == "NoFind");
    LogIn();
    ExpectEditing();
    EXPECT_FALSE(Form1().SnLabel1->isVisible());
    for (const TweakEntry& tweak : Catalogue()) {
        const bool on = tweak.mirrorValue == "NoDrives" || tweak.mirrorValue == "1803" ||
                        tweak.mirrorValue == "DefaultRcvWindow" || tweak.mirrorValue == "AutoEndTasks";
        EXPECT_EQ(Form1().IsTicked(tweak), on) << tweak.mirrorValue;
    }
}

TEST_F(MainWindow, CancelWritesNothing)
{
    Start();
    LogIn();
    const std::string before = Snapshot(Registry());
    Tick(0, "SnCheckBox1");
    Click(Form1().suiButton2);
    ExpectIdle(Form1().SnLabel2);
    EXPECT_EQ(Form1().SnLabel2->Caption(), QStringLiteral("设置取消，未做操作！"));
    EXPECT_EQ(Snapshot(Registry()), before);
    EXPECT_TRUE(Box("SnCheckBox1")->Checked()); // kept until the next log-in reloads it
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MainWindow, TheOtherButtonsHideTheNoteAndShowTheirWindows)
{
    Start();
    struct Case
    {
        TsuiButton* button;
        QWidget* window;
    };
    for (const Case& c : {Case{Form1().suiButton3, &Form3()}, Case{Form1().suiButton6, &Form7()},
                          Case{Form1().suiButton7, &Form4()}, Case{Form1().suiButton4, &Form2()}}) {
        LogIn();
        Click(Form1().suiButton1);
        ASSERT_TRUE(Form1().SnLabel1->isVisible());
        Click(c.button);
        EXPECT_FALSE(Form1().SnLabel1->isVisible());
        EXPECT_FALSE(Form1().SnLabel2->isVisible());
        EXPECT_TRUE(c.window->isVisible());
        c.window->close();
        EXPECT_FALSE(c.window->isVisible());
    }
    // Help, About and the password window leave Editing as it is.
    LogIn();
    Click(Form1().suiButton6);
    Click(Form1().suiButton6);
    ExpectEditing();
    EXPECT_TRUE(Form7().isVisible());
}

TEST_F(MainWindow, MachineKeysThatCannotBeOpenedShowTheirMessagesAndThePassStillEnds)
{
    m_failing.deniedHive = Hive::LocalMachine;
    Start();
    Click(Form1().suiButton4);
    ASSERT_EQ(Messages().size(), 12u);
    EXPECT_EQ(Messages().front(), QStringLiteral("注册表内容出错6！"));
    EXPECT_TRUE(Form2().isVisible());
    ClearMessages();
    Click(Form2().suiButton1);
    Tick(0, "SnCheckBox3");
    Click(Form1().suiButton1);
    ASSERT_EQ(Messages().size(), 12u);
    EXPECT_EQ(Messages()[0], QStringLiteral("注册表内容出错5！")); // row 3 ticked
    EXPECT_EQ(Messages()[1], QStringLiteral("注册表内容出错10"));  // row 5 not
    ExpectIdle(Form1().SnLabel1);
    EXPECT_EQ(MirrorOf(Registry(), "Autorun"), "00000000");
}

TEST_F(MainWindow, AStoreErrorEndsThePassAndTheWindowStaysEditing)
{
    Start();
    LogIn();
    Tick(1, "SnCheckBox16");
    m_failing.failSetOf = "NoNetHood";
    Click(Form1().suiButton1);
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("error: Failed to set data for 'NoNetHood'")});
    ExpectEditing();
    EXPECT_EQ(MirrorOf(Registry(), "NoNetHood"), "00000000");
    // Pressing OK again once the store works completes the pass.
    m_failing.failSetOf.reset();
    ClearMessages();
    Click(Form1().suiButton1);
    ExpectIdle(Form1().SnLabel1);
    EXPECT_EQ(MirrorOf(Registry(), "NoNetHood"), "01000000");
}

TEST_F(MainWindow, ExitWhileEditingWritesNothing)
{
    Start();
    LogIn();
    const std::string before = Snapshot(Registry());
    Tick(0, "SnCheckBox7");
    Click(Form1().suiButton8);
    EXPECT_FALSE(Form1().isVisible());
    EXPECT_EQ(Snapshot(Registry()), before);
}

TEST_F(MainWindow, PressingLogInAgainBringsTheSameLoginWindowBack)
{
    Start();
    Click(Form1().suiButton4);
    const std::string before = Snapshot(Registry());
    Type(Form2().suiEdit1, QStringLiteral("half"));
    Click(Form1().suiButton4);
    EXPECT_TRUE(Form2().isVisible());
    EXPECT_EQ(Form2().suiEdit1->Text(), QStringLiteral("half"));
    EXPECT_EQ(Snapshot(Registry()), before);
}

TEST_F(MainWindow, TheWindowFontReachesEveryBoxAndTab)
{
    Start();
    LogIn();
    const TFont font = WindowFont();
    ASSERT_EQ(font.PixelHeight(), 11) << "MS Sans Serif 8 pt is 11 pixels high";
    TsuiPageControl* pages = Form1().suiPageControl1;
    EXPECT_EQ(pages->Font(), font);

    // Each tab is as wide as its caption in the window font, plus 20.
    const std::vector<TRect> tabs = pages->TopPanel()->TabRects();
    ASSERT_EQ(tabs.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tabs[std::size_t(i)].Width(), MeasureTextWidth(font, pages->Pages(i)->Caption()) + 20) << i;

    // Every box draws exactly what a box given the window font draws.
    for (const TweakEntry& tweak : Catalogue()) {
        TSnCheckBox* box = Form1().CheckBox(tweak);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Font(), font) << box->objectName().toStdString();
        TSnCheckBox reference(box->parentWidget());
        reference.SetBounds(box->Left(), box->Top(), box->Width(), box->Height());
        reference.SetCaption(box->Caption());
        reference.SetChecked(box->Checked());
        reference.SetFont(font);
        EXPECT_EQ(box->PaintToImage(), reference.PaintToImage()) << box->objectName().toStdString();
    }
}

} // namespace
} // namespace tessel::test
