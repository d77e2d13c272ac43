#pragma once

#include "framework/TForm.h"

class TImage;
class TSnLabel;
class TsuiButton;
class TsuiForm;

// The About window: product line and the maker's contact lines.
class TForm4 final : public TForm
{
    Q_OBJECT

public:
    TForm4();

    TsuiForm* suiForm1;
    TImage* Image1;
    TSnLabel* SnLabel1;
    TSnLabel* SnLabel2;
    TSnLabel* SnLabel3;
    TSnLabel* SnLabel4;
    TSnLabel* SnLabel5;
    TSnLabel* SnLabel6;
    TsuiButton* suiButton1;

    void suiButton1Click();
};
