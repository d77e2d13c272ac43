#include "tools/gallery/GalleryPage.h"

#include "skin/SuiButton.h"
#include "skin/SuiForm.h"
#include "skin/SuiMainMenu.h"

#include <QAction>
#include <QMenu>

namespace {

// Menu items as the menu draws them in its drop-downs, one under the other.
class TMenuItems : public TControl
{
public:
    TMenuItems(QWidget* parent, TsuiMainMenu* menu, std::vector<std::pair<TsuiMenuItemInfo, bool>> items)
        : TControl(parent), m_menu(menu), m_items(std::move(items))
    {
        int height = 0;
        int width = 0;
        for (const auto& [item, selected] : m_items) {
            const QSize size = m_menu->MeasureItem(item, m_menu->ItemFont());
            height += size.height();
            width = std::max(width, size.width());
        }
        resize(std::max(width, 160), height);
    }

protected:
    void Paint(TCanvas& canvas) override
    {
        int top = 0;
        for (const auto& [item, selected] : m_items) {
            const int h = m_menu->MeasureItem(item, m_menu->ItemFont()).height();
            m_menu->DrawItem(item, canvas, Rect(0, top, width(), top + h), selected);
            top += h;
        }
    }

private:
    TsuiMainMenu* m_menu;
    std::vector<std::pair<TsuiMenuItemInfo, bool>> m_items;
};

QWidget* SkinnedWindow(QWidget* stage, TsuiUIStyle look, const QString& caption, const QRect& place)
{
    auto* window = new QWidget(stage);
    window->setGeometry(place);
    auto* frame = new TsuiForm(window);
    frame->SetUIStyle(look);
    frame->SetCaption(caption);
    return window;
}

void BuildWindowsPage(QWidget* stage, TsuiUIStyle look)
{
    // A window with a main menu; its first bar button under the mouse.
    QWidget* window = SkinnedWindow(stage, look, QStringLiteral("Window with a menu"), QRect(8, 8, 330, 190));
    auto* menu = new TsuiMainMenu(window);
    const char* const tops[] = {"&File", "&Edit", "&View", "&Help"};
    for (const char* top : tops) {
        QAction* item = menu->AddTopItem(QString::fromLatin1(top));
        TsuiMainMenu::AddItem(item->menu(), QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    }
    menu->MenuAdded();
    auto* frame = dynamic_cast<TsuiForm*>(FindSUIForm(window));
    ShowHover(frame->MenuBar()->Buttons()[1]);
    auto* ok = new TsuiButton(frame);
    ok->SetUIStyle(look);
    ok->SetCaption(QStringLiteral("确定"));
    ok->SetBounds(230, 140, 80, 25);

    // The drop-down's items as the menu draws them.
    TsuiMenuItemInfo normal{QStringLiteral("&New"), QStringLiteral("Ctrl+N")};
    TsuiMenuItemInfo selected{QStringLiteral("&Open..."), QStringLiteral("Ctrl+O")};
    TsuiMenuItemInfo checked{QStringLiteral("Word &wrap")};
    checked.Checked = true;
    TsuiMenuItemInfo disabled{QStringLiteral("&Save")};
    disabled.Enabled = false;
    TsuiMenuItemInfo byDefault{QStringLiteral("Properties")};
    byDefault.Default = true;
    auto* items = new TMenuItems(stage, menu,
                                 {{normal, false},
                                  {selected, true},
                                  {{QStringLiteral("-")}, false},
                                  {checked, false},
                                  {disabled, true},
                                  {byDefault, false}});
    items->move(350, 8);

    // An inactive window with a long caption, and one without a title bar.
    QWidget* inactive = SkinnedWindow(
        stage, look, QStringLiteral("An inactive window with a caption too long"), QRect(8, 210, 200, 90));
    dynamic_cast<TsuiForm*>(FindSUIForm(inactive))->TitleBar()->SetFormActive(false);
    QWidget* bare = SkinnedWindow(stage, look, QString(), QRect(220, 210, 150, 90));
    dynamic_cast<TsuiForm*>(FindSUIForm(bare))->SetTitleBarVisible(false);
    QWidget* help = SkinnedWindow(stage, look, QStringLiteral("帮助"), QRect(382, 210, 250, 90));
    auto* helpFrame = dynamic_cast<TsuiForm*>(FindSUIForm(help));
    TsuiTitleBarButton& helpButton = helpFrame->TitleBarButtons().Add();
    helpButton.SetButtonType(suiHelp);
    // A new button starts in DeepBlue; this one is stored in the window's look.
    helpButton.SetUIStyle(look);
    helpFrame->SetTitleBarDrawAppIcon(true);
}

const GalleryPageRegistrar page(QStringLiteral("Windows"), 20, BuildWindowsPage);

} // namespace
