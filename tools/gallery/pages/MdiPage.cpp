#include "tools/gallery/GalleryPage.h"

#include "skin/SuiButton.h"
#include "skin/SuiForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// A skinned child window inside an MDI area, framed by its own TsuiForm.
QWidget* Child(QMdiArea* area, TsuiUIStyle look, const QString& caption, const QRect& place)
{
    auto* form = new QWidget;
    form->setWindowTitle(caption);
    auto* frame = new TsuiForm(form);
    frame->SetUIStyle(look);
    auto* box = new TsuiCheckBox(frame);
    box->SetUIStyle(look);
    box->SetCaption(QStringLiteral("Inside the child"));
    box->SetChecked(true);
    box->SetBounds(12, 40, 140, 19);
    QMdiSubWindow* sub = area->addSubWindow(form, Qt::FramelessWindowHint);
    sub->setGeometry(place);
    sub->show();
    return form;
}

void BuildMdiPage(QWidget* stage, TsuiUIStyle look)
{
    auto* area = new QMdiArea(stage);
    area->setGeometry(8, 8, 624, 384);
    area->setBackground(QBrush(ToQColor(GetThemeColor(look, teControlColor))));
    Child(area, look, QStringLiteral("Child one"), QRect(10, 10, 260, 150));
    Child(area, look, QStringLiteral("Child two"), QRect(150, 120, 300, 180));
}

const GalleryPageRegistrar page(QStringLiteral("MDI"), 30, BuildMdiPage);

} // namespace
