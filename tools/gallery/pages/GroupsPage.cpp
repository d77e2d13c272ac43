#include "tools/gallery/GalleryPage.h"

#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"

namespace {

QStringList Items(int count, const char* stem)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("%1 %2").arg(QString::fromUtf8(stem)).arg(i);
    return items;
}

void BuildGroupsPage(QWidget* stage, TsuiUIStyle look)
{
    // Check groups in one, two and three columns, some items ticked.
    const struct
    {
        int left, top, width, height, columns, count;
    } checks[] = {{8, 4, 150, 190, 1, 5}, {166, 4, 220, 190, 2, 5}, {394, 4, 238, 190, 3, 8}};
    for (const auto& c : checks) {
        auto* group = new TsuiCheckGroup(stage);
        group->SetUIStyle(look);
        group->SetBounds(c.left, c.top, c.width, c.height);
        group->SetCaption(QStringLiteral("%1 columns").arg(c.columns));
        group->SetItems(Items(c.count, "选项"));
        group->SetColumns(c.columns);
        for (int i = 0; i < c.count; i += 2)
            group->SetChecked(i, true);
    }

    // Radio groups: one item chosen, none chosen, and disabled.
    auto* radios = new TsuiRadioGroup(stage);
    radios->SetUIStyle(look);
    radios->SetBounds(8, 200, 220, 150);
    radios->SetItems(Items(5, "Choice"));
    radios->SetColumns(2);
    radios->SetItemIndex(3);
    auto* none = new TsuiRadioGroup(stage);
    none->SetUIStyle(look);
    none->SetBounds(236, 200, 180, 150);
    none->SetItems(Items(3, "Choice"));
    none->SetTopMargin(20);
    auto* disabled = new TsuiRadioGroup(stage);
    disabled->SetUIStyle(look);
    disabled->SetBounds(424, 200, 208, 100);
    disabled->SetCaption(QStringLiteral("Disabled"));
    disabled->SetItems(Items(2, "Choice"));
    disabled->SetItemIndex(0);
    disabled->SetEnabled(false);

    // The main window's panel: a captioned frame around plain buttons.
    auto* panel = new TsuiCheckGroup(stage);
    panel->SetUIStyle(look);
    panel->SetBounds(424, 304, 208, 92);
    panel->SetCaption(QStringLiteral("程序面板"));
    auto* button = new TsuiButton(panel);
    button->SetUIStyle(look);
    button->SetBounds(20, 30, 84, 25);
    button->SetCaption(QStringLiteral("登陆程序"));
}

const GalleryPageRegistrar page(QStringLiteral("Groups"), 70, BuildGroupsPage);

} // namespace
