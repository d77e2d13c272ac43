#include "access/Unit2.h"

#include "access/DialogMessages.h"
#include "access/PasswordText.h"
#include "controls/Snlabel.h"
#include "skin/SuiButton.h"
#include "skin/SuiEdit.h"
#include "skin/SuiForm.h"
#include "skin/SuiImage.h"
#include "tweaks/PasswordStore.h"
#include "windowkit/WindowFrame.h"

TForm2::TForm2(tessel::RegistryBackend& registry, tessel::TweakTicks& ticks, std::function<void()> onLoggedIn)
    : m_registry(registry), m_ticks(ticks), m_onLoggedIn(std::move(onLoggedIn))
{
    SetCaption(QStringLiteral("       登陆"));
    SetClientSize(294, 148);
    suiForm1 = CreateWindowFrame(this);

    SnLabel1 = new TSnLabel(suiForm1);
    SnLabel1->SetBounds(15, 51, 36, 13);
    SnLabel1->SetCaption(QStringLiteral("密码："));

    suiEdit1 = new TsuiEdit(suiForm1);
    suiEdit1->SetBounds(54, 48, 121, 19);
    suiEdit1->SetPasswordChar(QLatin1Char('*'));
    suiEdit1->SetBorderColor(clBlack);
    RestrictToStorablePasswords(suiEdit1);

    suiButton1 = CreateDialogButton(suiForm1, QStringLiteral("确  定"), 20, 88);
    suiButton2 = CreateDialogButton(suiForm1, QStringLiteral("取  消"), 104, 88);
    suiButton1->OnClick = [this](QObject*) { suiButton1Click(); };
    suiButton2->OnClick = [this](QObject*) { suiButton2Click(); };

    Image1 = CreateWindowPicture(suiForm1, QStringLiteral(":/pictures/login.jpg"), 192, 24, 97, 121);

    setTabOrder(suiEdit1, suiButton1);
    setTabOrder(suiButton1, suiButton2);
}

void TForm2::suiButton1Click()
{
    TDialogMessages messages;
    const bool accepted = tessel::Login(m_registry, ToStoredPassword(suiEdit1->Text()), m_ticks, messages,
                                        [this] { suiEdit1->SetEnabled(false); });
    if (!accepted) {
        suiEdit1->SetText(QString());
        return;
    }
    if (m_onLoggedIn)
        m_onLoggedIn();
    close();
}

void TForm2::suiButton2Click()
{
    suiEdit1->SetText(QString());
    close();
}
