#include "shell/ExportDialog.h"

#include "controls/Snlabel.h"
#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiEdit.h"
#include "skin/SuiForm.h"
#include "windowkit/WindowFrame.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

TExportForm::TExportForm(const TSaveRequest& request) : m_request(request)
{
    SetCaption(QStringLiteral("       ") + request.Caption);
    SetClientSize(380, 244);
    suiForm1 = CreateWindowFrame(this);

    suiRadioGroup1 = new TsuiRadioGroup(suiForm1);
    suiRadioGroup1->SetBounds(10, 30, 360, 112);
    suiRadioGroup1->SetUIStyle(Protein);
    suiRadioGroup1->SetCaption(QStringLiteral("格式"));
    suiRadioGroup1->SetBorderColor(clBlack);
    TFont black = WindowFont();
    black.Color = clBlack;
    suiRadioGroup1->SetFont(black);
    suiRadioGroup1->SetParentColor(true);
    QStringList labels;
    for (const TSaveOption& option : request.Options)
        labels << option.Label;
    suiRadioGroup1->SetItems(labels);
    suiRadioGroup1->SetItemIndex(0);
    suiRadioGroup1->OnClick = [this](QObject*) { OptionChanged(); };

    SnLabel1 = new TSnLabel(suiForm1);
    SnLabel1->SetBounds(10, 155, 48, 13);
    SnLabel1->SetCaption(QStringLiteral("保存到："));

    suiEdit1 = new TsuiEdit(suiForm1);
    suiEdit1->SetBounds(58, 152, 232, 19);
    suiEdit1->SetBorderColor(clBlack);
    if (!request.Options.isEmpty())
        suiEdit1->SetText(QDir::toNativeSeparators(
            QDir(request.StartFolder).filePath(request.Options.front().DefaultName)));

    suiButton3 = CreateDialogButton(suiForm1, QStringLiteral("浏览…"), 298, 150, 72, 22);
    suiButton3->OnClick = [this](QObject*) { suiButton3Click(); };

    SnLabel2 = new TSnLabel(suiForm1);
    SnLabel2->SetAutoSize(false);
    SnLabel2->SetWordWrap(true);
    SnLabel2->SetBounds(10, 176, 360, 34);
    SnLabel2->SetCaption(request.Note);

    suiButton1 = CreateDialogButton(suiForm1, QStringLiteral("确定"), 222, 214);
    suiButton2 = CreateDialogButton(suiForm1, QStringLiteral("取消"), 300, 214);
    suiButton1->OnClick = [this](QObject*) { suiButton1Click(); };
    suiButton2->OnClick = [this](QObject*) { suiButton2Click(); };

    setTabOrder(suiRadioGroup1, suiEdit1);
    setTabOrder(suiEdit1, suiButton3);
    setTabOrder(suiButton3, suiButton1);
    setTabOrder(suiButton1, suiButton2);
}

TSaveChoice TExportForm::Choice() const
{
    const QString path = suiEdit1->Text().trimmed();
    if (ModalResult() != mrOk || path.isEmpty())
        return {};
    return {true, m_option, QDir::fromNativeSeparators(path)};
}

void TExportForm::OptionChanged()
{
    const int option = suiRadioGroup1->ItemIndex();
    if (option < 0 || option >= m_request.Options.size() || option == m_option)
        return;
    m_option = option;
    const QString path = QDir::fromNativeSeparators(suiEdit1->Text().trimmed());
    const QString folder = path.isEmpty() ? m_request.StartFolder : QFileInfo(path).path();
    suiEdit1->SetText(QDir::toNativeSeparators(QDir(folder).filePath(m_request.Options[option].DefaultName)));
}

void TExportForm::suiButton1Click()
{
    if (suiEdit1->Text().trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("请填写保存位置。"));
        return;
    }
    SetModalResult(mrOk);
}

void TExportForm::suiButton2Click()
{
    SetModalResult(mrCancel);
}

void TExportForm::suiButton3Click()
{
    const TSaveOption& option = m_request.Options.at(m_option);
    const QString current = QDir::fromNativeSeparators(suiEdit1->Text().trimmed());
    const QString chosen = option.Folder
                               ? QFileDialog::getExistingDirectory(this, m_request.Caption, current)
                               : QFileDialog::getSaveFileName(this, m_request.Caption, current, option.Label);
    if (!chosen.isEmpty())
        suiEdit1->SetText(QDir::toNativeSeparators(chosen));
}

TSaveChoice TWindowDialogService::ChooseSaveFile(const TSaveRequest& request)
{
    TExportForm form(request);
    form.SetPosition(TForm::Position::MainFormCenter, ApplicationMainForm());
    form.ShowModal();
    return form.Choice();
}
