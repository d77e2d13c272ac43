#include "framework/TCanvas.h"
#include "framework/TForm.h"
#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiForm.h"
#include "skin/SuiImagePanel.h"
#include "skin/SuiMainMenu.h"
#include "skin/Suipublic.h"
#include "tests/support/PixelHelpers.h"
#include "tests/support/TDialogRecorder.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QResizeEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A window with a skinned frame and a menu of two drop-downs.
struct MenuWindow : ::testing::Test
{
    QWidget window;
    TsuiForm* frame = nullptr;
    TsuiMainMenu* menu = nullptr;
    QAction* open = nullptr;
    QAction* edit = nullptr;
    int opened = 0;

    void SetUp() override
    {
        window.resize(400, 300);
        frame = new TsuiForm(&window);
        frame->SetUIStyle(WinXP);
        menu = new TsuiMainMenu(&window);
        QAction* file = menu->AddTopItem(QStringLiteral("&File"));
        open =
            TsuiMainMenu::AddItem(file->menu(), QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
        TsuiMainMenu::AddItem(file->menu(), QStringLiteral("-"));
        edit = menu->AddTopItem(QStringLiteral("&Edit"));
        TsuiMainMenu::AddItem(edit->menu(), QStringLiteral("Undo"));
        menu->MenuAdded();
        QObject::connect(open, &QAction::triggered, [this] { ++opened; });
    }

    int TextWidth(const QString& text) const { return MeasureTextWidth(frame->MenuBar()->Font(), text); }
};

QImage DrawItem(const TsuiMainMenu& menu, const TsuiMenuItemInfo& item, bool selected, int width = 120)
{
    QImage image = FilledImage(width, 21, clFuchsia);
    TCanvas canvas(image);
    menu.DrawItem(item, canvas, Rect(0, 0, width, 21), selected);
    return image;
}

} // namespace

TEST(FormSize, WidthAndHeightFollowTheBorderWidthRules)
{
    struct Case
    {
        int Border, FormWidth, FormHeight;
    };
    // Width v + 2B, height v + B + B div 2.
    for (const Case c : {Case{1, 202, 201}, Case{2, 204, 203}, Case{3, 206, 204}}) {
        QWidget window;
        window.resize(300, 200);
        auto* frame = new TsuiForm(&window);
        frame->SetBorderWidth(c.Border);
        frame->SetWidth(200);
        frame->SetHeight(200);
        EXPECT_EQ(window.size(), QSize(c.FormWidth, c.FormHeight)) << "border " << c.Border;
        EXPECT_EQ(frame->width(), c.FormWidth - 2 * c.Border);
    }
}

TEST(FormSize, StyleAndBorderChangesReapplyTheSize)
{
    QWidget window;
    window.resize(300, 200);
    auto* frame = new TsuiForm(&window); // DeepBlue, border 1
    frame->SetBorderWidth(3);
    EXPECT_EQ(window.size(), QSize(304, 201)) << "the panel keeps its width; the height rule adds B div 2";
    frame->SetUIStyle(DeepBlue);
    EXPECT_EQ(window.size(), QSize(304, 201)) << "border 1 again: width and height come out even";
    frame->SetUIStyle(WinXP);
    EXPECT_EQ(window.size(), QSize(304, 202));
}

TEST(FormSize, AWindowStartedMaximisedComesBackMaximisedFromTheThirdSizeMessage)
{
    // The count is shared by the whole program and stops at 2, so the size
    // messages still to be counted depend on the frames before this one.
    const int counted = 2 - TsuiForm::StartedMaximizedCount();
    QWidget window;
    window.setGeometry(40, 30, 300, 200);
    window.setWindowState(Qt::WindowMaximized);
    new TsuiForm(&window);
    const TRect work = GetWorkAreaRect();
    QResizeEvent resized(window.size(), window.size());
    for (int message = 1; message <= counted + 2; ++message) {
        window.move(40, 30);
        QApplication::sendEvent(&window, &resized);
        EXPECT_EQ(window.pos() == QPoint(work.Left, work.Top), message > counted) << message;
        EXPECT_TRUE(window.isMaximized());
    }
    EXPECT_EQ(TsuiForm::StartedMaximizedCount(), 2);
    window.setWindowState(Qt::WindowNoState);
    window.resize(500, 400);
    QApplication::sendEvent(&window, &resized);
    EXPECT_EQ(window.geometry(), QRect(40, 30, 300, 200)) << "restored: the bounds it started with";
}

TEST(FormSize, MaximumIsTheWorkAreaAndFixedWindowsStayFixed)
{
    const TRect work = GetWorkAreaRect();
    QWidget sizeable;
    new TsuiForm(&sizeable);
    EXPECT_EQ(sizeable.maximumSize(), QSize(work.Width(), work.Height()));
    QWidget fixed;
    fixed.setFixedSize(200, 100);
    new TsuiForm(&fixed);
    EXPECT_EQ(fixed.maximumSize(), QSize(200, 100));
}

TEST(FormPanel, TheFrameIsRefusedAnotherPanelFillsTheClientArea)
{
    TDialogRecorder dialogs;
    QWidget window;
    window.resize(300, 200);
    auto* frame = new TsuiForm(&window);
    frame->SetFormPanel(frame);
    ASSERT_EQ(dialogs.Entries().size(), 1u);
    EXPECT_EQ(dialogs.Entries()[0].Text,
              QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
    EXPECT_EQ(frame->FormPanel(), nullptr);

    auto* panel = new TsuiCheckGroup(frame);
    frame->SetFormPanel(panel);
    EXPECT_EQ(panel->Caption(), QStringLiteral("suiCheckGroup")) << "a check group keeps its caption";
    const int top = frame->TitleBar()->height();
    EXPECT_EQ(panel->geometry(), QRect(0, top, frame->width(), frame->height() - top));
    panel->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->FormPanel(), nullptr) << "a panel that goes away is forgotten";
}

TEST(FormPanel, OnlyAPlainPanelAndAnImagePanelLoseTheirCaption)
{
    QWidget window;
    window.resize(300, 200);
    auto* frame = new TsuiForm(&window);
    const std::pair<TControl*, bool> cases[] = {{new TCustomPanel(frame), true},
                                                {new TsuiImagePanel(frame), true},
                                                {new TsuiGroupBox(frame), false},
                                                {new TsuiCheckGroup(frame), false},
                                                {new TsuiRadioGroup(frame), false}};
    for (const auto& [panel, cleared] : cases) {
        panel->SetCaption(QStringLiteral("Panel"));
        frame->SetFormPanel(panel);
        EXPECT_EQ(panel->Caption().isEmpty(), cleared) << panel->metaObject()->className();
    }
}

TEST_F(MenuWindow, BarButtonsStandInMenuOrderBelowTheTitleBar)
{
    TsuiMenuBar* bar = frame->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(0, frame->TitleBar()->height(), frame->width(), 22));
    ASSERT_EQ(bar->Buttons().size(), 2u);
    const QString captions[] = {QStringLiteral("File"), QStringLiteral("Edit")};
    int x = 0;
    for (int i = 0; i < 2; ++i) {
        TsuiMenuBarButton* button = bar->Buttons()[std::size_t(i)];
        EXPECT_EQ(button->geometry(), QRect(x, 0, TextWidth(captions[i]) + 16, 22)) << i;
        x += button->width();
    }
    edit->setEnabled(false);
    edit->setText(QStringLiteral("&Change"));
    EXPECT_FALSE(bar->Buttons()[1]->Enabled());
    EXPECT_EQ(bar->Buttons()[1]->Caption(), QStringLiteral("&Change"));

    frame->SetMenu(nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
    EXPECT_EQ(menu->Form(), nullptr);
}

TEST_F(MenuWindow, ShortcutsReachTheMenuThroughTheForm)
{
    auto* button = new TsuiButton(frame);
    button->move(10, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(opened, 1);
    open->setEnabled(false);
    QTest::keyClick(button, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(opened, 1) << "a disabled item is no shortcut";
}

TEST_F(MenuWindow, EitherTheMenuOrItsFrameMayGoFirst)
{
    ASSERT_EQ(menu->Form(), frame);
    delete menu;
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);

    auto* second = new TsuiMainMenu(&window);
    ASSERT_EQ(second->Form(), frame);
    // The bar goes without a word to the menu, then the frame itself.
    frame->DestroyMenuBar();
    delete frame;
    frame = nullptr;
    EXPECT_EQ(second->Form(), nullptr);
    second->SetUIStyle(MacOS); // must not reach the frame that is gone
    EXPECT_EQ(second->UIStyle(), MacOS);
}

TEST_F(MenuWindow, HotBarButtonIsBoxedInTheMenuColours)
{
    TsuiMenuBarButton* button = frame->MenuBar()->Buttons()[0];
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    const QImage hot = button->PaintToImage();
    EXPECT_EQ(PixelAt(hot, 0, 0), GetThemeColor(WinXP, teMenuSelectedBorderColor));
    EXPECT_EQ(PixelAt(hot, button->width() - 1, 21), GetThemeColor(WinXP, teMenuSelectedBorderColor));
    EXPECT_EQ(PixelAt(hot, 1, 1), GetThemeColor(WinXP, teMenuSelectedColor));
}

TEST(MainMenu, StyleHeightsAndImages)
{
    TsuiMainMenu menu;
    EXPECT_EQ(menu.UIStyle(), DeepBlue);
    EXPECT_EQ(menu.Images(), nullptr) << "the own check-mark list does not show";
    EXPECT_TRUE(menu.OwnerDraw());
    menu.SetUIStyle(MacOS);
    EXPECT_EQ(menu.MenuItemHeight(), 20);
    EXPECT_EQ(menu.SeparatorHeight(), 12);
    menu.SetMenuItemHeight(30);
    EXPECT_EQ(menu.MenuItemHeight(), 20);
    menu.SetUIStyle(WinXP);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    EXPECT_EQ(menu.BarWidth(), 26);
    EXPECT_EQ(menu.MeasureItem({QStringLiteral("-")}, menu.ItemFont()).height(), 5);

    TFont font;
    const QSize size = menu.MeasureItem({QStringLiteral("Open"), QStringLiteral("Ctrl+O")}, font);
    EXPECT_EQ(size, QSize(MeasureTextWidth(font, QStringLiteral("Open")) +
                              MeasureTextWidth(font, QStringLiteral("Ctrl+O")) + 26 + 40,
                          21));
    EXPECT_EQ(menu.MeasureItem({QStringLiteral("-")}, font),
              QSize(MeasureTextWidth(font, QStringLiteral("-")) + 26 + 40, 5))
        << "a separator's caption counts like any other";
}

TEST(MainMenu, ItemsAreDrawnByTheRulesOfTheLook)
{
    TsuiMainMenu menu;
    menu.SetUIStyle(WinXP);
    const TColor bar = GetThemeColor(WinXP, teMenuSideBarColor);
    const TColor face = GetThemeColor(WinXP, teMenuColor);
    const TColor line = GetThemeColor(WinXP, teMenuSeparatorColor);
    const TColor selected = GetThemeColor(WinXP, teMenuSelectedColor);
    struct Case
    {
        const char* What;
        TsuiMenuItemInfo Item;
        bool Selected;
        int X, Y;
        TColor Expected;
    };
    TsuiMenuItemInfo disabled{QStringLiteral("Gone")};
    disabled.Enabled = false;
    const Case cases[] = {
        {"separator bar", {QStringLiteral("-")}, false, 25, 10, bar},
        {"separator face", {QStringLiteral("-")}, false, 26, 10, face},
        {"separator line start", {QStringLiteral("-")}, false, 30, 2, line},
        {"before the line", {QStringLiteral("-")}, false, 29, 2, face},
        {"line end", {QStringLiteral("-")}, false, 117, 2, line},
        {"past the line end", {QStringLiteral("-")}, false, 118, 2, face},
        {"below the line", {QStringLiteral("-")}, false, 60, 3, face},
        {"selected box frame",
         {QStringLiteral("Open")},
         true,
         0,
         0,
         GetThemeColor(WinXP, teMenuSelectedBorderColor)},
        {"selected box fill", {QStringLiteral("Open")}, true, 1, 1, selected},
        {"disabled is never selected", disabled, true, 1, 1, bar},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PixelAt(DrawItem(menu, c.Item, c.Selected), c.X, c.Y), c.Expected) << c.What;
}

TEST(MainMenu, CheckMarkFromTheOwnListOrABoxUnderTheItemsImage)
{
    TsuiMainMenu menu;
    menu.SetUIStyle(WinXP);
    TsuiMenuItemInfo checked{QStringLiteral("Bold")};
    checked.Checked = true;
    const TBitmap mark = LoadSkinBitmap(QStringLiteral("MENU_CHECKED"));
    ASSERT_EQ(mark.Width(), 16);
    QImage drawn = DrawItem(menu, checked, false);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (mark.Pixel(x, y) != clWhite) {
                ASSERT_EQ(PixelAt(drawn, 4 + x, 3 + y), mark.Pixel(x, y)) << x << "," << y;
            }

    // With an image of its own: a black frame and the highlight under the image.
    TImageList images(16, 16);
    TBitmap green(16, 16);
    green.EditImage().fill(ToQColor(clLime));
    images.Add(green);
    menu.SetImages(&images);
    checked.ImageIndex = 0;
    drawn = DrawItem(menu, checked, false);
    EXPECT_EQ(PixelAt(drawn, 2, 1), clBlack);
    EXPECT_EQ(PixelAt(drawn, 3, 2), GetThemeColor(WinXP, teMenuSelectedColor));
    EXPECT_EQ(PixelAt(drawn, 10, 10), clLime);

    // A user list without the item's image: its picture 0 is the check mark.
    checked.ImageIndex = -1;
    EXPECT_EQ(PixelAt(DrawItem(menu, checked, false), 10, 10), clLime);
    menu.SetImages(nullptr);
    EXPECT_NE(&menu.CurrentImages(), &images) << "none puts the own list back";
}

TEST(TitleBarMinimise, TheMainWindowTakesTheProgramDownAndBack)
{
    TForm main;
    TForm other;
    ASSERT_EQ(ApplicationMainForm(), &main);
    main.resize(300, 200);
    other.resize(200, 100);
    auto* frame = new TsuiForm(&main);
    main.show();
    other.show();
    for (int i = 0; i < frame->TitleBarButtons().Count(); ++i)
        if (frame->TitleBarButtons().Items(i).ButtonType() == suiMin)
            frame->TitleBarButtons().Items(i).DoClick();
    EXPECT_TRUE(main.isMinimized());
    EXPECT_TRUE(other.isMinimized());
    other.showNormal();
    EXPECT_FALSE(main.isMinimized()) << "they come back together";
}

TEST(MdiChild, TheFrameGivesUpThreePixelsAndAMaximisedChildHidesItsTitleBar)
{
    QMdiArea area;
    area.resize(500, 400);
    auto* form = new QWidget;
    auto* frame = new TsuiForm(form); // DeepBlue, border 1
    QMdiSubWindow* child = area.addSubWindow(form, Qt::FramelessWindowHint);
    child->resize(300, 200);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    ASSERT_TRUE(frame->GetMDIChild());
    EXPECT_EQ(frame->geometry(), QRect(1, 0, form->width() - 2 - 3, form->height() - 1 - 3));
    EXPECT_EQ(frame->TitleBar()->Form(), child) << "the title bar acts on the child window";

    child->showMaximized();
    QApplication::processEvents();
    EXPECT_FALSE(frame->TitleBar()->isVisible());
    child->showNormal();
    QApplication::processEvents();
    EXPECT_TRUE(frame->TitleBar()->isVisible());
}
