#include "windowkit/WindowFrame.h"

#include "framework/TForm.h"
#include "skin/SuiButton.h"
#include "skin/SuiForm.h"
#include "skin/SuiImage.h"
#include "skin/SuiTitleBar.h"

TFont WindowFont()
{
    TFont font;
    font.Name = QStringLiteral("MS Sans Serif");
    font.Size = 8;
    font.Color = clWindowText;
    return font;
}

TsuiButton* CreateDialogButton(QWidget* parent, const QString& caption, int left, int top, int width,
                               int height)
{
    auto* button = new TsuiButton(parent);
    button->SetUIStyle(WinXP);
    button->SetBounds(left, top, width, height);
    button->SetCaption(caption);
    return button;
}

TImage* CreateWindowPicture(QWidget* parent, const QString& resource, int left, int top, int width,
                            int height, bool stretch)
{
    auto* image = new TImage(parent);
    image->SetBounds(left, top, width, height);
    image->SetStretch(stretch);
    image->LoadFromFileWhenShown(resource);
    return image;
}

TsuiForm* CreateWindowFrame(TForm* form)
{
    auto* frame = new TsuiForm(form);
    frame->SetUIStyle(Protein);
    frame->SetBorderColor(clBackground);
    frame->SetBorderWidth(1);
    frame->SetColor(0xFBFBFB);
    frame->SetMenuBarColor(0xFBFBFB);
    // The controls on the frame take the window's font; the frame's font is
    // the title bar's.
    form->SetFont(WindowFont());
    TFont title;
    title.Name = QStringLiteral("Tahoma");
    title.Size = 8;
    title.Bold = true;
    title.Color = clWhite;
    frame->SetFont(title);
    frame->SetTitleBarDrawAppIcon(false);
    frame->SetCaption(form->Caption());
    TsuiTitleBarButtons& buttons = frame->TitleBarButtons();
    buttons.Clear();
    // A new button starts in DeepBlue; the windows store theirs in Protein.
    TsuiTitleBarButton& close = buttons.Add();
    close.SetButtonType(suiClose);
    close.SetUIStyle(Protein);
    return frame;
}
