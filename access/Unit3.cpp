#include "access/Unit3.h"

#include "access/DialogMessages.h"
#include "access/PasswordText.h"
#include "controls/Snlabel.h"
#include "skin/SuiButton.h"
#include "skin/SuiEdit.h"
#include "skin/SuiForm.h"
#include "skin/SuiImage.h"
#include "tweaks/PasswordStore.h"
#include "windowkit/WindowFrame.h"

namespace {

TsuiEdit* CreatePasswordEdit(QWidget* parent, int top)
{
    auto* edit = new TsuiEdit(parent);
    edit->SetBounds(86, top, 121, 19);
    edit->SetPasswordChar(QLatin1Char('*'));
    edit->SetBorderColor(clBlack);
    RestrictToStorablePasswords(edit);
    return edit;
}

TSnLabel* CreateLabel(QWidget* parent, const QString& caption, int left, int top, int width)
{
    auto* label = new TSnLabel(parent);
    label->SetBounds(left, top, width, 13);
    label->SetCaption(caption);
    return label;
}

} // namespace

TForm3::TForm3(tessel::RegistryBackend& registry) : m_registry(registry)
{
    SetCaption(QStringLiteral("       修改密码"));
    SetClientSize(326, 178);
    suiForm1 = CreateWindowFrame(this);

    SnLabel1 = CreateLabel(suiForm1, QStringLiteral("旧密码："), 29, 43, 48);
    SnLabel2 = CreateLabel(suiForm1, QStringLiteral("新密码："), 29, 67, 48);
    SnLabel3 = CreateLabel(suiForm1, QStringLiteral("确认密码："), 17, 91, 60);
    suiEdit1 = CreatePasswordEdit(suiForm1, 40);
    suiEdit2 = CreatePasswordEdit(suiForm1, 64);
    suiEdit3 = CreatePasswordEdit(suiForm1, 88);

    suiButton1 = CreateDialogButton(suiForm1, QStringLiteral("确  定"), 44, 128);
    suiButton2 = CreateDialogButton(suiForm1, QStringLiteral("取  消"), 120, 128);
    suiButton1->OnClick = [this](QObject*) { suiButton1Click(); };
    suiButton2->OnClick = [this](QObject*) { suiButton2Click(); };

    Image1 = CreateWindowPicture(suiForm1, QStringLiteral(":/pictures/password.jpg"), 216, 24, 105, 153);

    // The buttons come first in the keyboard order, then the three edits.
    setTabOrder(suiButton1, suiButton2);
    setTabOrder(suiButton2, suiEdit1);
    setTabOrder(suiEdit1, suiEdit2);
    setTabOrder(suiEdit2, suiEdit3);
    // The window opens with the first control of that order focused.
    suiButton1->setFocus();

    // An error here ends start-up, which shows it.
    FormCreate();
}

void TForm3::FormCreate()
{
    tessel::EnsurePassword(m_registry, [this] { suiEdit1->SetEnabled(false); });
}

void TForm3::suiButton1Click()
{
    TDialogMessages messages;
    switch (tessel::ChangePassword(m_registry, ToStoredPassword(suiEdit1->Text()),
                                   ToStoredPassword(suiEdit2->Text()), ToStoredPassword(suiEdit3->Text()),
                                   messages)) {
    case tessel::PasswordChange::WrongOldPassword:
        suiEdit1->SetText(QString());
        break;
    case tessel::PasswordChange::NewPasswordsDiffer:
        suiEdit2->SetText(QString());
        suiEdit3->SetText(QString());
        break;
    case tessel::PasswordChange::Changed:
        close();
        break;
    }
}

void TForm3::suiButton2Click()
{
    close();
}
