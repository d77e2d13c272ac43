#include "shell/Unit4.h"

#include "controls/Snlabel.h"
#include "skin/SuiButton.h"
#include "skin/SuiForm.h"
#include "skin/SuiImage.h"
#include "windowkit/WindowFrame.h"

namespace {

TSnLabel* CreateLine(QWidget* parent, const QString& caption, int left, int top, int width)
{
    auto* label = new TSnLabel(parent);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetBounds(left, top, width, 13);
    label->SetCaption(caption);
    return label;
}

} // namespace

TForm4::TForm4()
{
    SetCaption(QStringLiteral("       关于"));
    SetClientSize(285, 191);
    suiForm1 = CreateWindowFrame(this);

    Image1 = CreateWindowPicture(suiForm1, QStringLiteral(":/pictures/about.jpg"), 0, 24, 97, 145, false);
    SnLabel1 = CreateLine(suiForm1, QStringLiteral("TesselV1.2"), 120, 40, 129);
    TFont bold = SnLabel1->Font();
    bold.Bold = true;
    SnLabel1->SetFont(bold);
    SnLabel2 = CreateLine(suiForm1, QStringLiteral("作者：Tessel"), 104, 64, 93);
    SnLabel3 = CreateLine(suiForm1, QStringLiteral("支持：8000"), 200, 64, 78);
    SnLabel4 = CreateLine(suiForm1, QStringLiteral("邮件：help@tessel.example"), 106, 84, 162);
    SnLabel5 = CreateLine(suiForm1, QStringLiteral("网站：www.tessel.example"), 104, 105, 173);
    SnLabel6 = CreateLine(suiForm1, QStringLiteral("Tessel 工作室 版权所有"), 117, 128, 149);

    suiButton1 = CreateDialogButton(suiForm1, QStringLiteral("确定"), 192, 152, 77, 24);
    suiButton1->OnClick = [this](QObject*) { suiButton1Click(); };
}

void TForm4::suiButton1Click()
{
    close();
}
