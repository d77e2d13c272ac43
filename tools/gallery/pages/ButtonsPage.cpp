#include "tools/gallery/GalleryPage.h"

#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiStyleRules.h"

namespace {

enum State
{
    Normal,
    Hover,
    Pressed,
    Disabled,
    Focused
};
constexpr State kStates[] = {Normal, Hover, Pressed, Disabled, Focused};
const char* const kStateNames[] = {"normal", "hover", "pressed", "disabled", "focused"};

void Apply(QWidget* control, State state)
{
    switch (state) {
    case Normal:
        break;
    case Hover:
        ShowHover(control);
        break;
    case Pressed:
        ShowPressed(control);
        break;
    case Disabled:
        control->setEnabled(false);
        break;
    case Focused:
        ShowFocus(control);
        break;
    }
}

TPicture Swatch(TColor face, TColor mark)
{
    TBitmap bitmap(24, 24);
    bitmap.EditImage().fill(ToQColor(face));
    for (int i = 4; i < 20; ++i) {
        bitmap.SetPixel(i, i, mark);
        bitmap.SetPixel(23 - i, i, mark);
    }
    TPicture picture;
    picture.Assign(bitmap);
    return picture;
}

void BuildButtonsPage(QWidget* stage, TsuiUIStyle look)
{
    // Push buttons: every state at one size, then three more sizes.
    QWidget* push = Section(stage, QStringLiteral("TsuiButton"), 8, 4, 624, 120);
    for (int i = 0; i < 5; ++i) {
        auto* button = new TsuiButton(push);
        button->SetUIStyle(look);
        button->SetBounds(10 + i * 120, 20, 100, 25);
        button->SetCaption(QString::fromLatin1(kStateNames[i]));
        Apply(button, kStates[i]);
    }
    const QSize sizes[] = {{60, 21}, {120, 30}, {180, 44}};
    int x = 10;
    for (const QSize size : sizes) {
        auto* button = new TsuiButton(push);
        button->SetUIStyle(look);
        button->SetBounds(x, 60, size.width(), size.height());
        button->SetCaption(QStringLiteral("%1 x %2").arg(size.width()).arg(button->height()));
        x += size.width() + 16;
    }
    auto* accelerated = new TsuiButton(push);
    accelerated->SetUIStyle(look);
    accelerated->SetBounds(x, 60, 90, 25);
    accelerated->SetCaption(QStringLiteral("&Accel 确定"));

    // Check boxes and radio buttons: unchecked and checked in every state
    // but the focus, which the push button above holds.
    QWidget* boxes = Section(stage, QStringLiteral("TsuiCheckBox / TsuiRadioButton"), 8, 130, 624, 150);
    for (int i = 0; i < 4; ++i) {
        for (int checked = 0; checked < 2; ++checked) {
            auto* box = new TsuiCheckBox(boxes);
            box->SetUIStyle(look);
            box->SetCaption(QString::fromLatin1(kStateNames[i]));
            box->SetBounds(10 + i * 120, 20 + checked * 28, 110, 21);
            box->SetChecked(checked == 1);
            Apply(box, kStates[i]);

            auto* radio = new TsuiRadioButton(boxes);
            radio->SetUIStyle(look);
            radio->SetGroupIndex(i * 2 + checked);
            radio->SetCaption(QString::fromLatin1(kStateNames[i]));
            radio->SetBounds(10 + i * 120, 80 + checked * 28, 110, 21);
            radio->SetChecked(checked == 1);
            Apply(radio, kStates[i]);
        }
    }

    // Image buttons from four pictures of their own.
    QWidget* images = Section(stage, QStringLiteral("TsuiImageButton"), 8, 286, 624, 100);
    for (int i = 0; i < 4; ++i) {
        auto* button = new TsuiImageButton(images);
        button->SetPicNormal(Swatch(clSilver, clBlack));
        button->SetPicMouseOn(Swatch(clSkyBlue, clNavy));
        button->SetPicMouseDown(Swatch(clNavy, clWhite));
        button->SetPicDisabled(Swatch(clBtnFace, clGray));
        button->SetBounds(10 + i * 60, 24, 24, 24);
        Apply(button, kStates[i]);
    }
    auto* stretched = new TsuiImageButton(images);
    stretched->SetPicNormal(Swatch(clSilver, clBlack));
    stretched->SetStretch(true);
    stretched->SetBounds(250, 20, 48, 48);

    // The look reaches the boxes as a skinned window pushes it down.
    ContainerApplyUIStyle(stage, look);
}

const GalleryPageRegistrar page(QStringLiteral("Buttons"), 10, BuildButtonsPage);

} // namespace
