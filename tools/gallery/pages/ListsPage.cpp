#include "tools/gallery/GalleryPage.h"

#include "skin/SuiCheckGroup.h"
#include "skin/SuiListBox.h"
#include "skin/SuiScrollBar.h"
#include "skin/SuiStyleRules.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

QStringList Items(int count, const QString& pattern)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << pattern.arg(i, 3, 10, QLatin1Char('0'));
    return items;
}

// The bar takes the look before it is linked: the list places it by its width.
TsuiListBox* LinkedListBox(QWidget* parent, TsuiUIStyle look, const QRect& bounds, const QStringList& items)
{
    auto* list = new TsuiListBox(parent);
    list->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    list->SetItems(items);
    auto* bar = new TsuiScrollBar(parent);
    bar->SetUIStyle(look);
    list->SetVScrollBar(bar);
    return list;
}

void BuildListsPage(QWidget* stage, TsuiUIStyle look)
{
    TsuiGroupBox* box =
        Section(stage, QStringLiteral("TsuiListBox / TsuiCheckListBox / TsuiListView / TsuiTreeView"), 8, 4,
                624, 392);

    // 200 items under a linked skinned bar, scrolled, with the focus on the
    // current item.
    TsuiListBox* list =
        LinkedListBox(box, look, {10, 24, 150, 200}, Items(200, QStringLiteral("列表项 Item %1")));
    list->ListWidget()->verticalScrollBar()->setValue(40);
    list->SetItemIndex(44);
    ShowFocus(list);

    auto* checks = new TsuiCheckListBox(box);
    checks->SetBounds(170, 24, 140, 200);
    checks->SetItems(Items(12, QStringLiteral("选项 Option %1")));
    for (const int i : {0, 2, 3, 7})
        checks->SetChecked(i, true);
    checks->SetItemIndex(3);

    auto* report = new TsuiListView(box);
    report->SetBounds(320, 24, 294, 200);
    report->AddColumn(QStringLiteral("名称 Name"), 120);
    report->AddColumn(QStringLiteral("大小 Size"), 70);
    report->AddColumn(QStringLiteral("类型 Type"), 90);
    for (int i = 1; i <= 40; ++i)
        report->AddItem({QStringLiteral("file%1.txt").arg(i, 2, 10, QLatin1Char('0')),
                         QStringLiteral("%1 KB").arg(i * 37 % 500), QStringLiteral("文本文档")});
    report->SetItemIndex(2);

    // Three levels: every root with folders of leaves, the first two open.
    auto* tree = new TsuiTreeView(box);
    tree->SetBounds(10, 236, 200, 146);
    QTreeWidgetItem* selected = nullptr;
    for (int r = 1; r <= 4; ++r) {
        QTreeWidgetItem* root = tree->AddItem(nullptr, QStringLiteral("根节点 Root %1").arg(r));
        for (int f = 1; f <= 3; ++f) {
            QTreeWidgetItem* folder = tree->AddItem(root, QStringLiteral("Folder %1.%2").arg(r).arg(f));
            for (int l = 1; l <= 3; ++l) {
                QTreeWidgetItem* leaf =
                    tree->AddItem(folder, QStringLiteral("Leaf %1.%2.%3").arg(r).arg(f).arg(l));
                if (r == 1 && f == 2 && l == 2)
                    selected = leaf;
            }
        }
    }
    tree->TreeWidget()->topLevelItem(0)->setExpanded(true);
    tree->TreeWidget()->topLevelItem(0)->child(1)->setExpanded(true);
    tree->TreeWidget()->topLevelItem(1)->setExpanded(true);
    tree->SetSelected(selected);

    // Items that fit: the linked bar stays hidden.
    LinkedListBox(box, look, {220, 236, 130, 66}, {QStringLiteral("短列表"), QStringLiteral("Fits")});

    // Disabled, with their selection and ticks kept.
    TsuiListBox* off = LinkedListBox(box, look, {220, 312, 130, 70}, Items(8, QStringLiteral("Disabled %1")));
    off->SetItemIndex(1);
    off->SetEnabled(false);
    auto* offChecks = new TsuiCheckListBox(box);
    offChecks->SetBounds(360, 236, 120, 146);
    offChecks->SetItems(Items(6, QStringLiteral("禁用 Off %1")));
    offChecks->SetChecked(1, true);
    offChecks->SetItemIndex(2);
    offChecks->SetEnabled(false);

    auto* plain = new TsuiTreeView(box);
    plain->SetBounds(490, 236, 124, 146);
    QTreeWidgetItem* top = plain->AddItem(nullptr, QStringLiteral("Desktop"));
    for (const char* name : {"Documents", "Pictures", "Music"})
        plain->AddItem(top, QString::fromLatin1(name));
    top->setExpanded(true);

    // The look's border colour and bars, through the container rules.
    ContainerApplyUIStyle(box, look);
}

const GalleryPageRegistrar page(QStringLiteral("Lists"), 80, BuildListsPage);

} // namespace
