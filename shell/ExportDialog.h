#pragma once

#include "framework/TDialogService.h"
#include "framework/TForm.h"

class TSnLabel;
class TsuiButton;
class TsuiEdit;
class TsuiForm;
class TsuiRadioGroup;

// The save dialog in the windows' look: the kinds of file offered, where to
// write, the request's note, 确定 and 取消.
class TExportForm final : public TForm
{
    Q_OBJECT

public:
    explicit TExportForm(const TSaveRequest& request);

    TsuiForm* suiForm1;
    TsuiRadioGroup* suiRadioGroup1;
    TSnLabel* SnLabel1;
    TsuiEdit* suiEdit1;
    TsuiButton* suiButton3;
    TSnLabel* SnLabel2;
    TsuiButton* suiButton1;
    TsuiButton* suiButton2;

    // Accepted once 确定 closed the window with a path.
    TSaveChoice Choice() const;

    void suiButton1Click();
    void suiButton2Click();
    void suiButton3Click();

private:
    // Another kind of file: the proposed name follows it, in the same folder.
    void OptionChanged();

    TSaveRequest m_request;
    int m_option = 0;
};

// The program's dialogs: the message boxes, with the save dialog in the windows' look.
class TWindowDialogService final : public TMessageBoxService
{
public:
    TSaveChoice ChooseSaveFile(const TSaveRequest& request) override;
};
