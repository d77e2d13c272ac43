// The skinned windows beside plain Qt windows with the same widgets, in one
// binary, so that each ratio is read from one run:
//   QT_QPA_PLATFORM=offscreen build/bench/tessel_window_bench
// and at 200 %, both kinds of window composed at ratio 2:
//   QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=offscreen build/bench/tessel_window_bench
// Render/*: a full repaint of the logged-in main window through the backing
// store (arg 0) or grab() (arg 1). Hover/*: a mouse entering and leaving one
// control, each followed by its repaint. Startup/BuildWindows*: building the
// five windows and painting the main one, in this process. Startup/Process*:
// a fresh process that does the same and exits; its peak RSS is the
// counter peak_rss_kib. Scroll/*: a 200-item list box with its linked
// skinned bar and a 50 x 20 string grid scrolled one row at a time, each step
// painted as the event loop paints it, beside a plain QListWidget and
// QTableWidget. Gallery/*: the skin gallery's window built and painted,
// beside a plain Qt gallery of the same pages.
//
// --count=CASE [N] runs N steps of one case (after one unmeasured step) with
// callgrind collecting only around them; bench/instructions.sh runs every
// case so under valgrind and prints instructions per step side by side.
// --start=MODE builds one program's windows, waits until they are on the
// screen and painted, and exits (bench/instructions.sh and the wall-clock
// pairs of bench/startup-pairs.sh start it).
#include "controls/Sncheckbox.h"
#include "shell/Unit1.h"
#include "shell/Windows.h"
#include "skin/SuiButton.h"
#include "skin/SuiGrid.h"
#include "skin/SuiListBox.h"
#include "skin/SuiScrollBar.h"
#include "tools/gallery/GalleryWindow.h"
#include "tweaks/MemoryBackend.h"
#include "tweaks/TweakCatalogue.h"

#include <valgrind/callgrind.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// --- the plain Qt windows -------------------------------------------------------

// Title strip, close button and picture as the skinned frame shows them.
QWidget* PlainWindow(const QString& caption, int width, int height)
{
    auto* window = new QWidget;
    window->setWindowTitle(caption);
    window->resize(width, height);
    auto* title = new QLabel(caption, window);
    title->setGeometry(1, 0, width - 2, 23);
    title->setPixmap(QPixmap(QStringLiteral(":/pictures/MAIN_TITLE_CLIENT.png")));
    title->setScaledContents(true);
    auto* close = new QToolButton(window);
    close->setIcon(QIcon(QStringLiteral(":/pictures/MAIN_CLOSE_NORMAL.png")));
    close->setGeometry(width - 22, 2, 19, 19);
    return window;
}

QLabel* PlainPicture(QWidget* parent, const QString& path, const QRect& place)
{
    auto* picture = new QLabel(parent);
    picture->setGeometry(place);
    picture->setPixmap(QPixmap(path));
    picture->setScaledContents(true);
    return picture;
}

QPushButton* PlainButton(QWidget* parent, const QString& caption, const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(place);
    return button;
}

struct PlainMain
{
    std::unique_ptr<QWidget> Window;
    QLabel* Picture = nullptr;
    QTabWidget* Pages = nullptr;
    QPushButton* Login = nullptr;
    std::vector<QCheckBox*> Boxes;

    PlainMain() : Window(PlainWindow(QStringLiteral("       Tessel V1.2"), 496, 354))
    {
        QWidget* w = Window.get();
        Picture = PlainPicture(w, QStringLiteral(":/pictures/main.jpg"), {149, 32, 337, 309});
        for (const char* note : {"设置成功，重启生效！", "设置取消，未做操作！"})
            (new QLabel(QString::fromUtf8(note), w))->hide();
        auto* panel = new QGroupBox(QStringLiteral("程序面板"), w);
        panel->setGeometry(9, 40, 131, 249);
        const char* captions[] = {"登陆程序", "密码修改", "帮助", "关于", "退出"};
        const int tops[] = {27, 60, 127, 160, 194};
        for (int i = 0; i < 5; ++i) {
            QPushButton* button = PlainButton(panel, QString::fromUtf8(captions[i]), {23, tops[i], 84, 25});
            if (i == 0)
                Login = button;
        }
        PlainButton(w, QStringLiteral("确定"), {13, 305, 60, 25})->setEnabled(false);
        PlainButton(w, QStringLiteral("取消"), {77, 305, 60, 25})->setEnabled(false);
        Pages = new QTabWidget(w);
        Pages->setGeometry(148, 26, 339, 323);
        QWidget* sheets[3];
        for (int page = 0; page < 3; ++page) {
            sheets[page] = new QWidget;
            const auto caption = tessel::kTabCaptions[std::size_t(page)];
            Pages->addTab(sheets[page], QString::fromUtf8(caption.data(), qsizetype(caption.size())));
        }
        int row = 0;
        int lastTab = 1;
        for (const tessel::TweakEntry& tweak : tessel::Catalogue()) {
            if (tweak.tab != lastTab) {
                lastTab = tweak.tab;
                row = 0;
            }
            auto* box =
                new QCheckBox(QString::fromUtf8(tweak.caption.data(), qsizetype(tweak.caption.size())),
                              sheets[tweak.tab - 1]);
            box->setGeometry(16, 10 + 24 * row++, 200, 17);
            Boxes.push_back(box);
        }
        Pages->hide();
    }

    // As after a log-in: the pages instead of the picture.
    void EnterEditing()
    {
        Picture->hide();
        Pages->show();
        Login->setEnabled(false);
    }
};

// The four secondary windows, plain.
std::vector<std::unique_ptr<QWidget>> PlainSecondaryWindows()
{
    std::vector<std::unique_ptr<QWidget>> windows;
    QWidget* login = PlainWindow(QStringLiteral("       登陆"), 294, 148);
    new QLabel(QStringLiteral("密码："), login);
    (new QLineEdit(login))->setEchoMode(QLineEdit::Password);
    PlainButton(login, QStringLiteral("确  定"), {20, 88, 70, 22});
    PlainButton(login, QStringLiteral("取  消"), {104, 88, 70, 22});
    PlainPicture(login, QStringLiteral(":/pictures/login.jpg"), {192, 24, 97, 121});
    windows.emplace_back(login);

    QWidget* password = PlainWindow(QStringLiteral("       密码修改"), 330, 180);
    for (int i = 0; i < 3; ++i) {
        new QLabel(QStringLiteral("密码："), password);
        (new QLineEdit(password))->setEchoMode(QLineEdit::Password);
    }
    PlainButton(password, QStringLiteral("确  定"), {44, 128, 70, 22});
    PlainButton(password, QStringLiteral("取  消"), {120, 128, 70, 22});
    PlainPicture(password, QStringLiteral(":/pictures/password.jpg"), {216, 24, 105, 153});
    windows.emplace_back(password);

    QWidget* about = PlainWindow(QStringLiteral("       关于"), 280, 180);
    PlainPicture(about, QStringLiteral(":/pictures/about.jpg"), {0, 24, 97, 145});
    for (int i = 0; i < 6; ++i)
        new QLabel(QStringLiteral("TesselV1.2"), about);
    PlainButton(about, QStringLiteral("确定"), {192, 152, 77, 24});
    windows.emplace_back(about);

    QWidget* help = PlainWindow(QStringLiteral("       帮助"), 340, 180);
    (new QTextEdit(help))->setGeometry(8, 28, 324, 120);
    PlainButton(help, QStringLiteral("退出"), {259, 154, 70, 22});
    windows.emplace_back(help);
    return windows;
}

// --- the plain gallery -------------------------------------------------------------

// The skin gallery's pages with the widgets plain Qt offers for them,
// all built at once, as a plain Qt program builds its tabs.
void PlainGalleryPage(QWidget* page, const QString& name)
{
    const auto buttons = [page](int count, int top) {
        for (int i = 0; i < count; ++i)
            PlainButton(page, QStringLiteral("Button %1").arg(i),
                        {8 + 96 * (i % 6), top + 30 * (i / 6), 88, 25});
    };
    if (name == u"Buttons") {
        buttons(12, 8);
        for (int i = 0; i < 6; ++i) {
            (new QCheckBox(QStringLiteral("Check %1").arg(i), page))->move(8 + 100 * i, 80);
            (new QRadioButton(QStringLiteral("Radio %1").arg(i), page))->move(8 + 100 * i, 110);
        }
        for (int i = 0; i < 4; ++i) {
            auto* image = new QToolButton(page);
            image->setIcon(QIcon(QStringLiteral(":/pictures/MAIN_CLOSE_NORMAL.png")));
            image->setGeometry(8 + 30 * i, 140, 24, 24);
        }
    } else if (name == u"Windows") {
        auto* frame = new QWidget(page);
        frame->setGeometry(8, 8, 400, 300);
        auto* menus = new QMenuBar(frame);
        for (const char* title : {"File", "Edit", "View", "Help"}) {
            QMenu* menu = menus->addMenu(QString::fromLatin1(title));
            for (int i = 0; i < 5; ++i)
                menu->addAction(QStringLiteral("Item %1").arg(i));
        }
        PlainButton(frame, QStringLiteral("OK"), {20, 60, 80, 25});
    } else if (name == u"MDI") {
        auto* area = new QMdiArea(page);
        area->setGeometry(8, 8, 600, 380);
        for (int i = 0; i < 3; ++i)
            area->addSubWindow(new QCheckBox(QStringLiteral("Child %1").arg(i)))->resize(200, 120);
    } else if (name == u"Bars") {
        for (int i = 0; i < 4; ++i) {
            auto* bar = new QProgressBar(page);
            bar->setGeometry(8, 8 + 30 * i, 300, 20);
            bar->setValue(25 * i);
        }
        for (int i = 0; i < 3; ++i) {
            (new QScrollBar(Qt::Horizontal, page))->setGeometry(8, 140 + 24 * i, 300, 17);
            (new QSlider(Qt::Horizontal, page))->setGeometry(320, 140 + 24 * i, 200, 20);
        }
    } else if (name == u"Memo") {
        for (int i = 0; i < 2; ++i)
            (new QLineEdit(QStringLiteral("Text %1").arg(i), page))->setGeometry(8, 8 + 30 * i, 200, 22);
        for (int i = 0; i < 3; ++i) {
            auto* memo = new QTextEdit(page);
            memo->setGeometry(8 + 200 * i, 80, 190, 200);
            for (int line = 0; line < 40; ++line)
                memo->append(QStringLiteral("Line %1 of the memo").arg(line));
        }
    } else if (name == u"Tabs") {
        for (int i = 0; i < 2; ++i) {
            auto* tabs = new QTabWidget(page);
            tabs->setGeometry(8 + 310 * i, 8, 300, 180);
            for (int t = 0; t < 3; ++t)
                tabs->addTab(new QWidget, QStringLiteral("Tab %1").arg(t));
        }
        auto* strip = new QTabBar(page);
        strip->setGeometry(8, 200, 300, 24);
        for (int t = 0; t < 4; ++t)
            strip->addTab(QStringLiteral("Tab %1").arg(t));
        buttons(2, 240);
    } else if (name == u"Groups") {
        for (int g = 0; g < 5; ++g) {
            auto* group = new QGroupBox(QStringLiteral("Group %1").arg(g), page);
            group->setGeometry(8 + 120 * g, 8, 112, 160);
            for (int i = 0; i < 4; ++i) {
                QWidget* item =
                    g < 2 ? static_cast<QWidget*>(new QCheckBox(QStringLiteral("Item %1").arg(i), group))
                          : new QRadioButton(QStringLiteral("Item %1").arg(i), group);
                item->move(8, 20 + 24 * i);
            }
        }
        buttons(1, 200);
    } else if (name == u"Combos") {
        for (int i = 0; i < 3; ++i) {
            auto* combo = new QComboBox(page);
            combo->setGeometry(8, 8 + 30 * i, 200, 22);
            for (int item = 0; item < 20; ++item)
                combo->addItem(QStringLiteral("Item %1").arg(item));
        }
        (new QFontComboBox(page))->setGeometry(8, 100, 200, 22);
    } else if (name == u"Lists") {
        for (int l = 0; l < 3; ++l) {
            auto* list = new QListWidget(page);
            list->setGeometry(8 + 160 * l, 8, 150, 180);
            for (int i = 0; i < 40; ++i) {
                auto* item = new QListWidgetItem(QStringLiteral("Item %1").arg(i), list);
                if (l < 2)
                    item->setCheckState(i % 3 ? Qt::Unchecked : Qt::Checked);
            }
        }
        for (int t = 0; t < 3; ++t) {
            auto* tree = new QTreeWidget(page);
            tree->setGeometry(8 + 160 * t, 200, 150, 180);
            for (int i = 0; i < 10; ++i) {
                auto* item = new QTreeWidgetItem(tree, {QStringLiteral("Node %1").arg(i)});
                for (int c = 0; c < 3; ++c)
                    new QTreeWidgetItem(item, {QStringLiteral("Leaf %1").arg(c)});
            }
        }
        (new QScrollBar(Qt::Vertical, page))->setGeometry(500, 8, 17, 180);
    } else if (name == u"SideChannel") {
        auto* side = new QWidget(page);
        side->setGeometry(8, 8, 160, 380);
        PlainButton(side, QStringLiteral("Pin"), {8, 8, 60, 22});
    } else if (name == u"ToolBar") {
        auto* bar = new QToolBar(page);
        bar->setGeometry(8, 8, 600, 32);
        for (int i = 0; i < 10; ++i)
            bar->addAction(QIcon(QStringLiteral(":/pictures/MAIN_CLOSE_NORMAL.png")),
                           QStringLiteral("Tool %1").arg(i));
    } else if (name == u"Grids") {
        const int sizes[][2] = {{20, 50}, {6, 8}, {5, 12}};
        for (int g = 0; g < 3; ++g) {
            auto* grid = new QTableWidget(sizes[g][1], sizes[g][0], page);
            grid->setGeometry(g == 0 ? 8 : 416, g == 2 ? 216 : 8, g == 0 ? 400 : 216, g == 0 ? 384 : 190);
            for (int row = 0; row < sizes[g][1]; ++row)
                for (int col = 0; col < sizes[g][0]; ++col)
                    grid->setItem(row, col, new QTableWidgetItem(QString::number(row * 100 + col)));
        }
    } else if (name == u"SkinBitmaps") {
        PlainPicture(page, QStringLiteral(":/pictures/main.jpg"), {8, 8, 337, 309});
    }
}

struct PlainGallery
{
    std::unique_ptr<QWidget> Window{PlainWindow(QStringLiteral("Tessel skin gallery"), 700, 524)};

    PlainGallery()
    {
        for (int i = 0; i < 5; ++i)
            (new QRadioButton(QStringLiteral("Look %1").arg(i), Window.get()))
                ->setGeometry(12 + 110 * i, 38, 100, 19);
        auto* pages = new QTabWidget(Window.get());
        pages->setGeometry(8, 64, 680, 430);
        for (const char* name : {"Buttons", "Windows", "MDI", "Bars", "Memo", "Tabs", "Groups", "Combos",
                                 "Lists", "SideChannel", "ToolBar", "Grids", "SkinBitmaps"}) {
            auto* page = new QWidget;
            PlainGalleryPage(page, QString::fromLatin1(name));
            pages->addTab(page, QString::fromLatin1(name));
        }
    }
};

// --- helpers ---------------------------------------------------------------------

void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Shown and painted once, so that what follows measures repaints. On a real
// display the window is first waited for until it is on the screen.
void ShowPainted(QWidget& window)
{
    window.show();
    Settle();
    for (int i = 0; i < 2000 && window.windowHandle() && !window.windowHandle()->isExposed(); ++i) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    window.repaint();
}

// A full repaint: Qt keeps an opaque child's pixels when only its parent is
// updated, so every widget is marked.
std::function<void()> FullRepaint(QWidget& window)
{
    ShowPainted(window);
    return [&window, widgets = window.findChildren<QWidget*>()] {
        window.update();
        for (QWidget* widget : widgets)
            widget->update();
        QCoreApplication::processEvents();
    };
}

std::function<void()> Grab(QWidget& window)
{
    ShowPainted(window);
    return [&window] { benchmark::DoNotOptimize(window.grab()); };
}

std::function<void()> Hover(QWidget& control)
{
    return [&control] {
        const QPointF inside(3, 3);
        QEnterEvent enter(inside, inside, control.mapToGlobal(inside));
        QApplication::sendEvent(&control, &enter);
        QHoverEvent hoverIn(QEvent::HoverEnter, inside, control.mapToGlobal(inside), QPointF(-1, -1));
        QApplication::sendEvent(&control, &hoverIn);
        control.repaint();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&control, &leave);
        QHoverEvent hoverOut(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), inside);
        QApplication::sendEvent(&control, &hoverOut);
        control.repaint();
    };
}

// Steps the view's vertical bar down and back up again; each step is painted
// as the event loop paints it, so a view that moves its pixels paints only
// the row that comes into sight.
std::function<void()> Scroll(QWidget& window, QAbstractScrollArea& view)
{
    ShowPainted(window);
    QScrollBar* bar = view.verticalScrollBar();
    return [bar, step = 1]() mutable {
        if (bar->value() + step > bar->maximum() || bar->value() + step < bar->minimum())
            step = -step;
        bar->setValue(bar->value() + step);
        QCoreApplication::processEvents();
    };
}

struct Skinned
{
    tessel::MemoryBackend Registry;
    TWindows Windows{Registry};
};

// Building the five windows and painting the main one.
void StartSkinned()
{
    Skinned skinned;
    ShowPainted(skinned.Windows.Form1());
}

void StartPlain()
{
    PlainMain plain;
    auto others = PlainSecondaryWindows();
    ShowPainted(*plain.Window);
}

void StartGallery()
{
    TGalleryWindow window;
    ShowPainted(window);
}

void StartPlainGallery()
{
    PlainGallery plain;
    ShowPainted(*plain.Window);
}

QStringList ListItems()
{
    QStringList items;
    for (int i = 1; i <= 200; ++i)
        items << QStringLiteral("Item %1").arg(i, 3, 10, QLatin1Char('0'));
    return items;
}

// What a case keeps alive while its steps run.
struct Holder
{
    std::vector<std::shared_ptr<void>> Kept;

    template <typename T, typename... Args> T& Keep(Args&&... args)
    {
        auto kept = std::make_shared<T>(std::forward<Args>(args)...);
        Kept.push_back(kept);
        return *kept;
    }
};

// One measured case: Prepare builds what it needs (kept in the holder) and
// returns what one step does.
struct Case
{
    const char* Name;
    std::function<std::function<void()>(Holder&)> Prepare;
};

std::function<void()> StringGridCase(Holder& holder, bool skinned)
{
    auto& window = holder.Keep<QWidget>();
    window.resize(420, 320);
    if (skinned) {
        auto* grid = new TsuiStringGrid(&window);
        grid->SetBounds(10, 10, 400, 300);
        grid->SetColCount(20);
        grid->SetRowCount(50);
        for (int row = 0; row < 50; ++row)
            for (int col = 0; col < 20; ++col)
                grid->SetCells(col, row, QString::number(row * 100 + col));
        return Scroll(window, *grid->View());
    }
    auto* grid = new QTableWidget(50, 20, &window);
    grid->setGeometry(10, 10, 400, 300);
    for (int row = 0; row < 50; ++row)
        for (int col = 0; col < 20; ++col)
            grid->setItem(row, col, new QTableWidgetItem(QString::number(row * 100 + col)));
    return Scroll(window, *grid);
}

std::function<void()> ListBoxCase(Holder& holder, bool skinned)
{
    auto& window = holder.Keep<QWidget>();
    window.resize(200, 220);
    if (skinned) {
        auto* list = new TsuiListBox(&window);
        list->SetBounds(10, 10, 150, 200);
        list->SetItems(ListItems());
        auto* bar = new TsuiScrollBar(&window);
        bar->SetUIStyle(WinXP);
        list->SetVScrollBar(bar);
        return Scroll(window, *list->ListWidget());
    }
    auto* list = new QListWidget(&window);
    list->setGeometry(10, 10, 150, 200);
    list->addItems(ListItems());
    return Scroll(window, *list);
}

TForm1& LoggedIn(Holder& holder)
{
    TForm1& form = holder.Keep<Skinned>().Windows.Form1();
    form.EnterEditing();
    return form;
}

PlainMain& PlainLoggedIn(Holder& holder)
{
    PlainMain& plain = holder.Keep<PlainMain>();
    plain.EnterEditing();
    return plain;
}

const Case kCases[] = {
    {"Render/MainWindow/grab:0", [](Holder& h) { return FullRepaint(LoggedIn(h)); }},
    {"Render/BaselineWindow/grab:0", [](Holder& h) { return FullRepaint(*PlainLoggedIn(h).Window); }},
    {"Render/MainWindow/grab:1", [](Holder& h) { return Grab(LoggedIn(h)); }},
    {"Render/BaselineWindow/grab:1", [](Holder& h) { return Grab(*PlainLoggedIn(h).Window); }},
    {"Hover/CheckBox",
     [](Holder& h) {
         TForm1& form = LoggedIn(h);
         ShowPainted(form);
         return Hover(*form.CheckBox(tessel::Catalogue()[0]));
     }},
    {"Hover/BaselineCheckBox",
     [](Holder& h) {
         PlainMain& plain = PlainLoggedIn(h);
         ShowPainted(*plain.Window);
         plain.Boxes[0]->setAttribute(Qt::WA_Hover);
         return Hover(*plain.Boxes[0]);
     }},
    {"Hover/Button",
     [](Holder& h) {
         TForm1& form = h.Keep<Skinned>().Windows.Form1();
         ShowPainted(form);
         return Hover(*form.suiButton3);
     }},
    {"Hover/BaselineButton",
     [](Holder& h) {
         PlainMain& plain = h.Keep<PlainMain>();
         ShowPainted(*plain.Window);
         plain.Login->setAttribute(Qt::WA_Hover);
         return Hover(*plain.Login);
     }},
    {"Scroll/ListBox", [](Holder& h) { return ListBoxCase(h, true); }},
    {"Scroll/BaselineListBox", [](Holder& h) { return ListBoxCase(h, false); }},
    {"Scroll/StringGrid", [](Holder& h) { return StringGridCase(h, true); }},
    {"Scroll/BaselineStringGrid", [](Holder& h) { return StringGridCase(h, false); }},
    {"Startup/BuildWindows",
     [](Holder&) -> std::function<void()> { return [] { StartSkinned(), Settle(); }; }},
    {"Startup/BuildBaselineWindows",
     [](Holder&) -> std::function<void()> { return [] { StartPlain(), Settle(); }; }},
    {"Gallery/Build", [](Holder&) -> std::function<void()> { return [] { StartGallery(), Settle(); }; }},
    {"Gallery/BuildBaseline",
     [](Holder&) -> std::function<void()> { return [] { StartPlainGallery(), Settle(); }; }},
    {"Gallery/SwitchLook",
     [](Holder& h) -> std::function<void()> {
         auto& window = h.Keep<TGalleryWindow>();
         ShowPainted(window);
         // Both looks built once; switching back and forth then only restyles.
         return [&window] {
             window.SetLook(window.Look() == WinXP ? DeepBlue : WinXP);
             Settle();
         };
     }},
};

const Case* FindCase(const std::string& name)
{
    for (const Case& c : kCases)
        if (name == c.Name)
            return &c;
    return nullptr;
}

// A fresh process of this binary that starts one way and reports its peak RSS.
void StartProcess(benchmark::State& state, const char* mode)
{
    double rss = 0;
    for (auto _ : state) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--start=") + mode});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("the start-up process failed");
            return;
        }
        rss = process.readAllStandardOutput().trimmed().toDouble();
    }
    state.counters["peak_rss_kib"] = rss;
}

void RegisterBenchmarks()
{
    for (const Case& c : kCases)
        benchmark::RegisterBenchmark(c.Name,
                                     [&c](benchmark::State& state) {
                                         Holder holder;
                                         const std::function<void()> step = c.Prepare(holder);
                                         for (auto _ : state)
                                             step();
                                     })
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    for (const auto& [name, mode] :
         {std::pair{"Startup/Process", "skinned"}, std::pair{"Startup/BaselineProcess", "plain"},
          std::pair{"Gallery/Process", "gallery"}, std::pair{"Gallery/BaselineProcess", "plain-gallery"}})
        benchmark::RegisterBenchmark(name,
                                     [mode = mode](benchmark::State& state) { StartProcess(state, mode); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10)
            ->UseRealTime();
}

// One step unmeasured, then N under callgrind's collection.
int CountCase(const std::string& name, int steps)
{
    const Case* c = FindCase(name);
    if (c == nullptr) {
        std::fprintf(stderr, "no case %s\n", name.c_str());
        return 2;
    }
    Holder holder;
    const std::function<void()> step = c->Prepare(holder);
    step();
    CALLGRIND_TOGGLE_COLLECT;
    for (int i = 0; i < steps; ++i)
        step();
    CALLGRIND_TOGGLE_COLLECT;
    std::printf("%d\n", steps);
    return 0;
}

int Start(const char* mode)
{
    const std::string m = mode;
    if (m == "skinned")
        StartSkinned();
    else if (m == "plain")
        StartPlain();
    else if (m == "gallery")
        StartGallery();
    else if (m == "plain-gallery")
        StartPlainGallery();
    else {
        std::fprintf(stderr, "no start-up %s\n", mode);
        return 2;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 2 && std::strncmp(argv[1], "--start=", 8) == 0)
        return Start(argv[1] + 8);
    if (argc >= 2 && std::strncmp(argv[1], "--count=", 8) == 0)
        return CountCase(argv[1] + 8, argc > 2 ? std::max(1, std::atoi(argv[2])) : 20);
    RegisterBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
