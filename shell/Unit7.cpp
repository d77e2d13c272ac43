#include "shell/Unit7.h"

#include "controls/Snrichedit.h"
#include "skin/SuiButton.h"
#include "skin/SuiForm.h"
#include "windowkit/WindowFrame.h"

QStringList HelpText()
{
    return {
        QStringLiteral("    本软件为对注册表进行操作的软件，所以有些功能可能"),
        QStringLiteral("需要重新启动后才可以生效！"),
        QStringLiteral("    如果本软件在使用时出现什么问题，请您与本人联系。"),
        QStringLiteral("本软件免费提供技术支持，欢迎来信交流。"),
        QStringLiteral("联系方式："),
        QStringLiteral("    支持号：8000"),
        QStringLiteral("              邮件：help@tessel.example"),
    };
}

TForm7::TForm7()
{
    SetCaption(QStringLiteral("       帮助"));
    // A sizeable window; the frame keeps its one-pixel border around the face.
    SetSizeableClientSize(339, 184);
    suiForm1 = CreateWindowFrame(this);
    suiForm1->SetSizeable(true);

    SnRichEdit1 = new TSnRichEdit(suiForm1);
    SnRichEdit1->SetBounds(8, 27, 321, 121);
    TFont font = SnRichEdit1->Font();
    font.Name = QStringLiteral("MS Sans Serif");
    font.Size = 9; // a character height of 12 pixels
    SnRichEdit1->SetFont(font);
    SnRichEdit1->SetMouseEnterColor(RGB(123, 158, 189));
    SnRichEdit1->SetMouseLeaveColor(RGB(123, 158, 189));
    SnRichEdit1->SetLines(HelpText());
    SnRichEdit1->SetEnabled(false);

    suiButton3 = CreateDialogButton(suiForm1, QStringLiteral("退出"), 259, 154);
    suiButton3->OnClick = [this](QObject*) { suiButton3Click(); };
    setTabOrder(suiButton3, SnRichEdit1);
}

void TForm7::suiButton3Click()
{
    close();
}
