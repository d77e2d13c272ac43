#pragma once

#include "framework/TForm.h"
#include "tweaks/RegistryBackend.h"

class TImage;
class TSnLabel;
class TsuiButton;
class TsuiEdit;
class TsuiForm;

// The change-password window. Creating it makes sure a password value exists.
class TForm3 final : public TForm
{
    Q_OBJECT

public:
    explicit TForm3(tessel::RegistryBackend& registry);

    TsuiForm* suiForm1;
    TSnLabel* SnLabel1;
    TSnLabel* SnLabel2;
    TSnLabel* SnLabel3;
    TsuiEdit* suiEdit1;
    TsuiEdit* suiEdit2;
    TsuiEdit* suiEdit3;
    TsuiButton* suiButton1;
    TsuiButton* suiButton2;
    TImage* Image1;

    void FormCreate();
    void suiButton1Click();
    void suiButton2Click();

private:
    tessel::RegistryBackend& m_registry;
};
