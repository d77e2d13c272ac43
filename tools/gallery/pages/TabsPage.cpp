#include "tools/gallery/GalleryPage.h"

#include "skin/SuiButton.h"
#include "skin/SuiPageControl.h"

namespace {

void BuildTabsPage(QWidget* stage, TsuiUIStyle look)
{
    // A tab control: plain string tabs over one body, the second selected,
    // one tab without text (80 pixels wide).
    auto* tabs = new TsuiTabControl(stage);
    tabs->SetUIStyle(look);
    tabs->SetBounds(8, 8, 300, 180);
    tabs->SetTabs({QStringLiteral("Tab1"), QStringLiteral("网络安全类"), QString(), QStringLiteral("Last")});
    tabs->SetTabIndex(1);
    auto* onBody = new TsuiButton(tabs);
    onBody->SetUIStyle(look);
    onBody->SetBounds(20, 60, 100, 25);
    onBody->SetCaption(QStringLiteral("On the body"));

    // A page control with four pages, the third's tab hidden, the last active.
    auto* pages = new TsuiPageControl(stage);
    pages->SetUIStyle(look);
    pages->SetBounds(320, 8, 312, 180);
    const char* const captions[] = {"功能限制类", "Hidden", "性能优化类", "Fourth"};
    for (int i = 0; i < 4; ++i) {
        auto* sheet = new TsuiTabSheet(pages);
        sheet->SetCaption(QString::fromUtf8(captions[i]));
        auto* button = new TsuiButton(sheet);
        button->SetUIStyle(look);
        button->SetBounds(20, 20 + i * 30, 120, 25);
        button->SetCaption(QStringLiteral("Page %1").arg(i + 1));
    }
    pages->Pages(1)->SetTabVisible(false);
    pages->SetActivePageIndex(3);

    // The main window's arrangement: left margin 10, sky-blue border, white.
    auto* main = new TsuiPageControl(stage);
    main->SetUIStyle(look);
    main->SetBounds(8, 200, 624, 192);
    main->SetLeftMargin(40);
    main->SetBorderColor(clSkyBlue);
    main->SetColor(clWhite);
    for (const char* caption : {"功能限制类", "网络安全类", "性能优化类"}) {
        auto* sheet = new TsuiTabSheet(main);
        sheet->SetCaption(QString::fromUtf8(caption));
    }
    main->SetActivePageIndex(0);
}

const GalleryPageRegistrar page(QStringLiteral("Tabs"), 60, BuildTabsPage);

} // namespace
