#include "shell/Unit1.h"

#include "access/DialogMessages.h"
#include "access/Unit2.h"
#include "access/Unit3.h"
#include "controls/Sncheckbox.h"
#include "controls/Snlabel.h"
#include "shell/TweakInsightView.h"
#include "shell/Unit4.h"
#include "shell/Unit7.h"
#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiForm.h"
#include "skin/SuiImage.h"
#include "skin/SuiPageControl.h"
#include "skin/SuiTitleBar.h"
#include "tweaks/RecordedPasses.h"
#include "tweaks/TweakCatalogue.h"
#include "windowkit/WindowFrame.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <iterator>

namespace {

// Where each tweak's box stands on its page, in catalogue order.
struct BoxPlace
{
    int top;
    int width;
};

constexpr BoxPlace kBoxPlaces[] = {
    // 功能限制类
    {10, 117},
    {33, 106},
    {57, 136},
    {80, 141},
    {104, 114},
    {127, 130},
    {151, 142},
    {174, 200},
    {198, 133},
    {222, 196},
    {246, 195},
    {270, 196},
    // 网络安全类
    {10, 154},
    {33, 127},
    {57, 151},
    {80, 166},
    {104, 133},
    {127, 115},
    {151, 104},
    {174, 116},
    {198, 166},
    {222, 115},
    // 性能优化类
    {10, 93},
    {33, 93},
    {57, 141},
    {80, 118},
    {104, 151}};
static_assert(std::size(kBoxPlaces) == tessel::kTweakCount, "every tweak has a place on its page");

TSnLabel* CreateNote(QWidget* parent, const QString& caption, int width)
{
    auto* label = new TSnLabel(parent);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Size = 8;
    font.Color = clBlue;
    label->SetFont(font);
    label->SetBounds(12, 336, width, 13);
    label->SetCaption(caption);
    label->SetVisible(false);
    return label;
}

// The main window's own title bar: three picture sections and its own close
// and minimise pictures.
TsuiForm* CreateMainWindowFrame(TForm* form)
{
    TsuiForm* frame = CreateWindowFrame(form);
    frame->SetMenuBarHeight(22);
    TsuiTitleBarButtons& buttons = frame->TitleBarButtons();
    buttons.Clear();
    const std::pair<TsuiTitleBarBtnType, QString> kinds[] = {{suiClose, QStringLiteral("CLOSE")},
                                                             {suiMin, QStringLiteral("MIN")}};
    for (const auto& [type, name] : kinds) {
        TsuiTitleBarButton& button = buttons.Add();
        button.SetButtonType(type);
        button.SetUIStyle(Protein);
        button.SetTransparent(true);
        button.SetTop(2);
        const QString base = QStringLiteral(":/pictures/MAIN_") + name;
        button.LoadPictures(base + QStringLiteral("_NORMAL.png"), base + QStringLiteral("_MOUSEON.png"),
                            base + QStringLiteral("_DOWN.png"));
    }
    TsuiTitleBarSections& sections = frame->TitleBarSections();
    sections.Clear();
    const std::pair<TsuiTitleBarAlign, QString> parts[] = {{suiLeft, QStringLiteral("LEFT")},
                                                           {suiRight, QStringLiteral("RIGHT")},
                                                           {suiClient, QStringLiteral("CLIENT")}};
    for (const auto& [align, name] : parts) {
        TsuiTitleBarSection& section = sections.Add();
        section.LoadPictureFromFile(QStringLiteral(":/pictures/MAIN_TITLE_") + name + QStringLiteral(".png"));
        section.SetAlign(align);
        section.SetAutoSize(align != suiClient);
        section.SetStretch(align == suiClient);
    }
    return frame;
}

} // namespace

TForm1::TForm1(tessel::RegistryBackend& registry) : m_registry(registry)
{
    SetCaption(QStringLiteral("       Tessel V1.2"));
    SetClientSize(496, 354);
    SetPosition(Position::DesktopCenter);

    suiForm1 = CreateMainWindowFrame(this);

    Image2 = CreateWindowPicture(suiForm1, QStringLiteral(":/pictures/main.jpg"), 148, 32, 337, 309);
    Image2->SetTransparent(true);
    SnLabel1 = CreateNote(suiForm1, QStringLiteral("设置成功，重启生效！"), 120);
    SnLabel2 = CreateNote(suiForm1, QStringLiteral("设置取消，未做操作！"), 122);

    CreateButtonPanel();
    suiButton1 = CreateDialogButton(suiForm1, QStringLiteral("确定"), 12, 305, 60, 25);
    suiButton2 = CreateDialogButton(suiForm1, QStringLiteral("取消"), 76, 305, 60, 25);
    suiButton1->OnClick = [this](QObject*) { suiButton1Click(); };
    suiButton2->OnClick = [this](QObject*) { suiButton2Click(); };
    CreateTweakPages();
    m_insight = new TTweakInsight(*this, registry);

    setTabOrder(suiButton4, suiButton3);
    setTabOrder(suiButton3, suiButton6);
    setTabOrder(suiButton6, suiButton7);
    setTabOrder(suiButton7, suiButton8);
    setTabOrder(suiButton8, suiButton1);
    setTabOrder(suiButton1, suiButton2);
    setTabOrder(suiButton2, suiPageControl1);

    FormCreate();
}

void TForm1::CreateButtonPanel()
{
    suiCheckGroup1 = new TsuiCheckGroup(suiForm1);
    suiCheckGroup1->SetBounds(8, 40, 131, 249);
    suiCheckGroup1->SetUIStyle(Protein);
    suiCheckGroup1->SetCaption(QStringLiteral("程序面板"));
    suiCheckGroup1->SetBorderColor(clBlack);
    TFont black = WindowFont();
    black.Color = clBlack;
    suiCheckGroup1->SetFont(black);
    suiCheckGroup1->SetParentColor(true);

    auto panelButton = [this](const QString& caption, int top, void (TForm1::*handler)()) {
        TsuiButton* button = CreateDialogButton(suiCheckGroup1, caption, 23, top, 84, 25);
        button->OnClick = [this, handler](QObject*) { (this->*handler)(); };
        return button;
    };
    suiButton4 = panelButton(QStringLiteral("登陆程序"), 27, &TForm1::suiButton4Click);
    suiButton3 = panelButton(QStringLiteral("密码修改"), 60, &TForm1::suiButton3Click);
    suiButton6 = panelButton(QStringLiteral("帮助"), 127, &TForm1::suiButton6Click);
    suiButton7 = panelButton(QStringLiteral("关于"), 160, &TForm1::suiButton7Click);
    suiButton8 = panelButton(QStringLiteral("退出"), 194, &TForm1::suiButton8Click);
}

void TForm1::CreateTweakPages()
{
    suiPageControl1 = new TsuiPageControl(suiForm1);
    suiPageControl1->SetBounds(147, 26, 339, 323);
    suiPageControl1->SetUIStyle(WinXP);
    suiPageControl1->SetLeftMargin(10);
    suiPageControl1->SetBorderColor(clSkyBlue);
    suiPageControl1->SetColor(clWhite);

    TsuiTabSheet* sheets[std::size(tessel::kTabCaptions)];
    for (std::size_t page = 0; page < std::size(sheets); ++page) {
        sheets[page] = new TsuiTabSheet(suiPageControl1);
        sheets[page]->SetCaption(QString::fromUtf8(tessel::kTabCaptions[page].data(),
                                                   qsizetype(tessel::kTabCaptions[page].size())));
        sheets[page]->SetColor(clWhite);
    }
    suiTabSheet1 = sheets[0];
    suiTabSheet2 = sheets[1];
    suiTabSheet4 = sheets[2];

    for (const tessel::TweakEntry& tweak : tessel::Catalogue()) {
        auto* box = new TSnCheckBox(sheets[tweak.tab - 1]);
        const QString name = QString::fromLatin1(tweak.checkBox.data(), qsizetype(tweak.checkBox.size()));
        box->setObjectName(name);
        const BoxPlace& place = kBoxPlaces[tessel::RowIndex(tweak)];
        box->SetBounds(50, place.top, place.width, 17);
        box->SetCaption(QString::fromUtf8(tweak.caption.data(), tweak.caption.size()));
        m_checkBoxes.insert(name, box);
    }
    suiPageControl1->SetActivePageIndex(0);
    suiPageControl1->SetVisible(false);
}

void TForm1::SetWindows(TForm2* login, TForm3* password, TForm4* about, TForm7* help)
{
    m_login = login;
    m_password = password;
    m_about = about;
    m_help = help;
    for (TForm* form : std::initializer_list<TForm*>{login, password, about, help})
        if (form)
            form->SetPosition(Position::MainFormCenter, this);
}

TSnCheckBox* TForm1::CheckBox(const QString& name) const
{
    return m_checkBoxes.value(name);
}

TSnCheckBox* TForm1::CheckBox(const tessel::TweakEntry& tweak) const
{
    return CheckBox(QString::fromLatin1(tweak.checkBox.data(), qsizetype(tweak.checkBox.size())));
}

void TForm1::FormCreate()
{
    suiButton1->SetEnabled(false);
    suiButton2->SetEnabled(false);
}

void TForm1::HideNotes()
{
    SnLabel1->SetVisible(false);
    SnLabel2->SetVisible(false);
}

void TForm1::ReturnToIdle(TSnLabel* note)
{
    suiPageControl1->SetVisible(false);
    Image2->SetVisible(true);
    suiButton4->SetEnabled(true);
    suiButton1->SetEnabled(false);
    suiButton2->SetEnabled(false);
    note->SetVisible(true);
}

void TForm1::EnterEditing()
{
    Image2->SetVisible(false);
    suiPageControl1->SetVisible(true);
    suiButton1->SetEnabled(true);
    suiButton2->SetEnabled(true);
    suiButton4->SetEnabled(false);
    m_insight->Refresh();
}

bool TForm1::IsEditing() const
{
    return suiButton1->Enabled();
}

void TForm1::suiButton1Click()
{
    TDialogMessages messages;
    // The markers follow every pass, also one that a store error ends.
    struct RefreshAfter
    {
        TTweakInsight& insight;
        ~RefreshAfter() { insight.Refresh(); }
    } refresh{*m_insight};
    tessel::RecordedApplyTweaks(m_registry, *this, messages, m_insight->Context());
    ReturnToIdle(SnLabel1);
}

void TForm1::suiButton2Click()
{
    ReturnToIdle(SnLabel2);
}

void TForm1::suiButton3Click()
{
    m_password->Show();
    HideNotes();
}

void TForm1::suiButton4Click()
{
    TDialogMessages messages;
    tessel::RecordedFirstRunCheck(m_registry, messages, m_insight->Context());
    m_login->Show();
    HideNotes();
}

void TForm1::suiButton6Click()
{
    HideNotes();
    m_help->Show();
}

void TForm1::suiButton7Click()
{
    m_about->Show();
    HideNotes();
}

void TForm1::suiButton8Click()
{
    close();
}

bool TForm1::IsTicked(const tessel::TweakEntry& tweak) const
{
    const TSnCheckBox* box = CheckBox(tweak);
    return box && box->Checked();
}

void TForm1::SetTicked(const tessel::TweakEntry& tweak, bool ticked)
{
    if (TSnCheckBox* box = CheckBox(tweak))
        box->SetChecked(ticked);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever else is open.
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}
