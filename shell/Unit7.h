#pragma once

#include "framework/TForm.h"

class TSnRichEdit;
class TsuiButton;
class TsuiForm;

// The Help window: a short fixed text about the program.
class TForm7 final : public TForm
{
    Q_OBJECT

public:
    TForm7();

    TsuiForm* suiForm1;
    TSnRichEdit* SnRichEdit1;
    TsuiButton* suiButton3;

    void suiButton3Click();
};

// The seven lines of the help text.
QStringList HelpText();
