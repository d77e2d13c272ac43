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
// painted, beside a plain QListWidget and QTableWidget.
#include "controls/Sncheckbox.h"
#include "shell/Unit1.h"
#include "shell/Windows.h"
#include "skin/SuiButton.h"
#include "skin/SuiGrid.h"
#include "skin/SuiListBox.h"
#include "skin/SuiScrollBar.h"
#include "tweaks/MemoryBackend.h"
#include "tweaks/TweakCatalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <memory>
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

// --- helpers ---------------------------------------------------------------------

void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Shown and painted once, so that what follows measures repaints.
void ShowPainted(QWidget& window)
{
    window.show();
    Settle();
    window.repaint();
}

void Render(benchmark::State& state, QWidget& window)
{
    ShowPainted(window);
    // Qt keeps an opaque child's pixels when only its parent is updated, so
    // every widget is marked for the repaint.
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    const bool grab = state.range(0) == 1;
    for (auto _ : state) {
        if (grab)
            benchmark::DoNotOptimize(window.grab());
        else {
            window.update();
            for (QWidget* widget : widgets)
                widget->update();
            QCoreApplication::processEvents();
        }
    }
}

void Hover(benchmark::State& state, QWidget& control)
{
    const QPointF inside(3, 3);
    for (auto _ : state) {
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
    }
}

struct Skinned
{
    tessel::MemoryBackend Registry;
    TWindows Windows{Registry};
};

// --- benchmarks ------------------------------------------------------------------

void RenderMainWindow(benchmark::State& state)
{
    Skinned skinned;
    skinned.Windows.Form1().EnterEditing();
    Render(state, skinned.Windows.Form1());
}

void RenderBaselineWindow(benchmark::State& state)
{
    PlainMain plain;
    plain.EnterEditing();
    Render(state, *plain.Window);
}

void HoverCheckBox(benchmark::State& state)
{
    Skinned skinned;
    skinned.Windows.Form1().EnterEditing();
    ShowPainted(skinned.Windows.Form1());
    Hover(state, *skinned.Windows.Form1().CheckBox(tessel::Catalogue()[0]));
}

void HoverBaselineCheckBox(benchmark::State& state)
{
    PlainMain plain;
    plain.EnterEditing();
    ShowPainted(*plain.Window);
    plain.Boxes[0]->setAttribute(Qt::WA_Hover);
    Hover(state, *plain.Boxes[0]);
}

void HoverButton(benchmark::State& state)
{
    Skinned skinned;
    ShowPainted(skinned.Windows.Form1());
    Hover(state, *skinned.Windows.Form1().suiButton3);
}

void HoverBaselineButton(benchmark::State& state)
{
    PlainMain plain;
    ShowPainted(*plain.Window);
    plain.Login->setAttribute(Qt::WA_Hover);
    Hover(state, *plain.Login);
}

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

void BuildWindows(benchmark::State& state)
{
    for (auto _ : state) {
        StartSkinned();
        Settle();
    }
}

void BuildBaselineWindows(benchmark::State& state)
{
    for (auto _ : state) {
        StartPlain();
        Settle();
    }
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

void StartupProcess(benchmark::State& state)
{
    StartProcess(state, "skinned");
}

void StartupBaselineProcess(benchmark::State& state)
{
    StartProcess(state, "plain");
}

// Steps the view's vertical bar down and back up again, painting each step.
void Scroll(benchmark::State& state, QWidget& window, QAbstractScrollArea& view)
{
    ShowPainted(window);
    QScrollBar* bar = view.verticalScrollBar();
    int step = 1;
    for (auto _ : state) {
        if (bar->value() + step > bar->maximum() || bar->value() + step < bar->minimum())
            step = -step;
        bar->setValue(bar->value() + step);
        window.repaint();
    }
}

QStringList ListItems()
{
    QStringList items;
    for (int i = 1; i <= 200; ++i)
        items << QStringLiteral("Item %1").arg(i, 3, 10, QLatin1Char('0'));
    return items;
}

void ScrollListBox(benchmark::State& state)
{
    QWidget window;
    window.resize(200, 220);
    auto* list = new TsuiListBox(&window);
    list->SetBounds(10, 10, 150, 200);
    list->SetItems(ListItems());
    auto* bar = new TsuiScrollBar(&window);
    bar->SetUIStyle(WinXP);
    list->SetVScrollBar(bar);
    Scroll(state, window, *list->ListWidget());
}

void ScrollBaselineListBox(benchmark::State& state)
{
    QWidget window;
    window.resize(200, 220);
    auto* list = new QListWidget(&window);
    list->setGeometry(10, 10, 150, 200);
    list->addItems(ListItems());
    Scroll(state, window, *list);
}

void ScrollStringGrid(benchmark::State& state)
{
    QWidget window;
    window.resize(420, 320);
    auto* grid = new TsuiStringGrid(&window);
    grid->SetBounds(10, 10, 400, 300);
    grid->SetColCount(20);
    grid->SetRowCount(50);
    for (int row = 0; row < 50; ++row)
        for (int col = 0; col < 20; ++col)
            grid->SetCells(col, row, QString::number(row * 100 + col));
    Scroll(state, window, *grid->View());
}

void ScrollBaselineStringGrid(benchmark::State& state)
{
    QWidget window;
    window.resize(420, 320);
    auto* grid = new QTableWidget(50, 20, &window);
    grid->setGeometry(10, 10, 400, 300);
    for (int row = 0; row < 50; ++row)
        for (int col = 0; col < 20; ++col)
            grid->setItem(row, col, new QTableWidgetItem(QString::number(row * 100 + col)));
    Scroll(state, window, *grid);
}

void Options(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(RenderMainWindow)->Name("Render/MainWindow")->ArgName("grab")->Arg(0)->Arg(1)->Apply(Options);
BENCHMARK(RenderBaselineWindow)
    ->Name("Render/BaselineWindow")
    ->ArgName("grab")
    ->Arg(0)
    ->Arg(1)
    ->Apply(Options);
BENCHMARK(HoverCheckBox)->Name("Hover/CheckBox")->Apply(Options);
BENCHMARK(HoverBaselineCheckBox)->Name("Hover/BaselineCheckBox")->Apply(Options);
BENCHMARK(HoverButton)->Name("Hover/Button")->Apply(Options);
BENCHMARK(HoverBaselineButton)->Name("Hover/BaselineButton")->Apply(Options);
BENCHMARK(ScrollListBox)->Name("Scroll/ListBox")->Apply(Options);
BENCHMARK(ScrollBaselineListBox)->Name("Scroll/BaselineListBox")->Apply(Options);
BENCHMARK(ScrollStringGrid)->Name("Scroll/StringGrid")->Apply(Options);
BENCHMARK(ScrollBaselineStringGrid)->Name("Scroll/BaselineStringGrid")->Apply(Options);
BENCHMARK(BuildWindows)->Name("Startup/BuildWindows")->Apply(Options);
BENCHMARK(BuildBaselineWindows)->Name("Startup/BuildBaselineWindows")->Apply(Options);
BENCHMARK(StartupProcess)
    ->Name("Startup/Process")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->UseRealTime();
BENCHMARK(StartupBaselineProcess)
    ->Name("Startup/BaselineProcess")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A child started by Startup/Process*: start one way, print the peak RSS.
    if (argc == 2 && std::strncmp(argv[1], "--start=", 8) == 0) {
        if (std::strcmp(argv[1] + 8, "skinned") == 0)
            StartSkinned();
        else
            StartPlain();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
