#include "framework/TCanvas.h"
#include "skin/SuiGrid.h"
#include "skin/SuiStyleRules.h"
#include "tests/support/PixelHelpers.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct GridFixture : ::testing::Test
{
    QWidget window;
    TsuiStringGrid* grid = new TsuiStringGrid(&window);
    QWidget* other = new QWidget(&window);

    void SetUp() override
    {
        window.resize(400, 260);
        grid->SetBounds(0, 0, 360, 200);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(370, 0, 20, 20);
        ContainerApplyUIStyle(&window, WinXP);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A corner of the cell, clear of its text.
    TColor CellPixel(int col, int row)
    {
        const QImage cells = grid->View()->grab().toImage();
        const TRect r = grid->CellRect(col, row);
        return PixelAt(cells, r.Right - 2, r.Bottom - 2);
    }

    QRect Ink(int col, int row, TColor ink)
    {
        const QImage cells = grid->View()->grab().toImage();
        const TRect r = grid->CellRect(col, row);
        QRect box;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (PixelAt(cells, x, y) == ink)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
};

} // namespace

TEST_F(GridFixture, CellBackgroundFollowsSelectionAndFocus)
{
    const struct
    {
        TGridDrawState state;
        TColor color;
    } rules[] = {
        {0, 0xDEEBEF}, {gdSelected, 0x00FFFF}, {gdFocused, 0x008000}, {gdSelected | gdFocused, 0x008000}};
    for (const auto& rule : rules)
        EXPECT_EQ(grid->CellColor(rule.state), rule.color) << rule.state;

    grid->SetCurrent(1, 1);
    grid->SelectRange(1, 1, 2, 2);
    grid->setFocus();
    ASSERT_TRUE(grid->View()->hasFocus());
    const struct
    {
        int col, row;
        TGridDrawState state;
        TColor color;
    } cells[] = {
        {1, 1, gdSelected | gdFocused, 0x008000},
        {2, 2, gdSelected, 0x00FFFF},
        {3, 3, 0, 0xDEEBEF},
        {0, 2, gdFixed, 0xEFD3C6},
        {2, 0, gdFixed, 0xEFD3C6},
    };
    for (const auto& c : cells) {
        EXPECT_EQ(grid->CellState(c.col, c.row), c.state) << c.col << "," << c.row;
        EXPECT_EQ(CellPixel(c.col, c.row), c.color) << c.col << "," << c.row;
    }

    other->setFocus();
    EXPECT_EQ(grid->CellState(1, 1), TGridDrawState(gdSelected));
    EXPECT_EQ(CellPixel(1, 1), 0x00FFFFu);
}

TEST_F(GridFixture, FlatFrameFixedTextAndKeptColours)
{
    const QImage shot = grid->grab().toImage();
    EXPECT_EQ(PixelAt(shot, 0, 0), 0x686868u);
    EXPECT_EQ(PixelAt(shot, 359, 199), 0x686868u);
    EXPECT_EQ(PixelAt(shot, 1, 1), 0xDEEBEFu);
    EXPECT_EQ(PixelAt(shot, 358, 100), 0xDEEBEFu);
    EXPECT_EQ(grid->FixedFontColor(), 0x000000u);
    EXPECT_EQ(grid->FontColor(), 0x000000u);

    // Fixed text in FixedFontColor, other text in FontColor, both from (left + 2, top + 2).
    grid->SetFixedFontColor(clRed);
    grid->SetFontColor(clBlue);
    grid->SetCells(0, 1, QStringLiteral("W"));
    grid->SetCells(2, 2, QStringLiteral("W"));
    const TRect fixed = grid->CellRect(0, 1);
    const TRect normal = grid->CellRect(2, 2);
    const QRect fixedInk = Ink(0, 1, clRed);
    const QRect normalInk = Ink(2, 2, clBlue);
    ASSERT_FALSE(fixedInk.isEmpty());
    EXPECT_EQ(fixedInk.translated(-fixed.Left, -fixed.Top), normalInk.translated(-normal.Left, -normal.Top));
    EXPECT_GE(fixedInk.left(), fixed.Left + 2);
    EXPECT_GE(fixedInk.top(), fixed.Top + 2);
    EXPECT_TRUE(Ink(2, 2, clRed).isEmpty());

    grid->SetCtl3D(true);
    EXPECT_FALSE(grid->Ctl3D());
    grid->SetBorderColor(0x112233);
    grid->SetUIStyle(Custom);
    EXPECT_EQ(grid->BorderColor(), 0x112233u);
    EXPECT_EQ(grid->Color(), 0xDEEBEFu);
    EXPECT_EQ(grid->FixedColor(), 0xEFD3C6u);
    EXPECT_EQ(grid->FixedFontColor(), TColor(clRed));
}

TEST_F(GridFixture, KeyboardAndMouseNeverReachFixedCells)
{
    grid->setFocus();
    ASSERT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(1, 1));
    const struct
    {
        Qt::Key key;
        int col, row;
    } steps[] = {{Qt::Key_Up, 1, 1},   {Qt::Key_Left, 1, 1}, {Qt::Key_Right, 2, 1},
                 {Qt::Key_Down, 2, 2}, {Qt::Key_Home, 1, 2}, {Qt::Key_End, 4, 2}};
    for (const auto& step : steps) {
        QTest::keyClick(grid->View(), step.key);
        EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(step.col, step.row)) << step.key;
    }

    const TRect fixed = grid->CellRect(0, 3);
    QTest::mouseClick(grid->View()->viewport(), Qt::LeftButton, {}, QPoint(fixed.Left + 5, fixed.Top + 5));
    EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(4, 2));
    const TRect cell = grid->CellRect(3, 3);
    QTest::mouseClick(grid->View()->viewport(), Qt::LeftButton, {}, QPoint(cell.Left + 5, cell.Top + 5));
    EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(3, 3));
}

TEST_F(GridFixture, FixedCellsStayWhileTheOthersScroll)
{
    grid->SetRowCount(40);
    grid->SetColCount(20);
    grid->SetCells(0, 0, QStringLiteral("W"));
    grid->SetCells(0, 1, QStringLiteral("W"));
    grid->setFocus();
    const QRect corner = Ink(0, 0, 0x000000);
    ASSERT_FALSE(corner.isEmpty());
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(grid->View(), Qt::Key_Down);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(grid->View(), Qt::Key_Right);
    ASSERT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(11, 31));
    const int scrolled = grid->View()->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    ASSERT_GT(grid->View()->horizontalScrollBar()->value(), 0);

    // The fixed row and column are where they were; row 1's text is gone
    // from under the fixed column, which now shows the row in its place.
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 24));
    EXPECT_EQ(Ink(0, 0, 0x000000), corner);
    EXPECT_EQ(CellPixel(grid->Col(), 0), 0xEFD3C6u);
    EXPECT_EQ(CellPixel(0, grid->Row()), 0xEFD3C6u);
    EXPECT_EQ(grid->CellRect(0, 1 + scrolled).Top, 25);

    // Moving back up scrolls the current cell out from under the fixed row.
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(grid->View(), Qt::Key_Up);
        EXPECT_GE(grid->CellRect(grid->Col(), grid->Row()).Top, 25) << grid->Row();
    }
    EXPECT_EQ(grid->View()->verticalScrollBar()->value(), 0);
}

TEST(DrawGrid, CellsAreDrawnByTheHandlerInTheirRectangles)
{
    QWidget window;
    auto* grid = new TsuiDrawGrid(&window);
    grid->SetBounds(0, 0, 300, 150);
    grid->SetUIStyle(Custom);
    ContainerApplyUIStyle(&window, Protein);
    EXPECT_EQ(grid->UIStyle(), Protein);
    EXPECT_EQ(grid->Color(), 0xFBFBFBu);
    // Sections hold the cell and its grid line.
    EXPECT_EQ(grid->CellRect(1, 1), Rect(65, 25, 129, 49));
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 24));

    int drawn = 0;
    grid->OnDrawCell = [&](QObject*, TCanvas& canvas, int col, int row, const TRect& rect,
                           TGridDrawState state) {
        EXPECT_EQ(rect, grid->CellRect(col, row));
        EXPECT_EQ(state, (col == 0 || row == 0) ? TGridDrawState(gdFixed) : grid->CellState(col, row));
        canvas.Brush = {clFuchsia, bsSolid};
        canvas.FillRect(Rect(rect.Left + 1, rect.Top + 1, rect.Left + 3, rect.Top + 3));
        ++drawn;
    };
    const QImage cells = grid->View()->grab().toImage();
    EXPECT_GT(drawn, 4);
    const TRect r = grid->CellRect(2, 1);
    EXPECT_EQ(PixelAt(cells, r.Left + 1, r.Top + 1), TColor(clFuchsia));
    EXPECT_EQ(PixelAt(cells, r.Left, r.Top), grid->Color());
    // Grid lines: silver between cells, black between fixed cells.
    EXPECT_EQ(PixelAt(cells, r.Right, r.Top + 5), TColor(clSilver));
    EXPECT_EQ(PixelAt(cells, 64, 5), TColor(clBlack));
}

TEST_F(GridFixture, OptionsRuleTheLinesBetweenFixedAndOtherCells)
{
    struct Case
    {
        TGridOptions Options;
        TColor FixedRight, FixedBelow, NormalRight, NormalBelow;
    };
    const TColor fixedFace = 0xEFD3C6;
    const TColor face = 0xDEEBEF;
    const Case cases[] = {
        {kDefaultGridOptions, clBlack, clBlack, clSilver, clSilver},
        {goVertLine | goHorzLine, fixedFace, fixedFace, clSilver, clSilver},
        {goFixedVertLine | goHorzLine, clBlack, fixedFace, face, clSilver},
        {goFixedHorzLine | goVertLine, fixedFace, clBlack, clSilver, face},
    };
    grid->SetCurrent(4, 4);
    for (const Case& c : cases) {
        grid->SetOptions(c.Options);
        const QImage cells = grid->View()->grab().toImage();
        const TRect fixed = grid->CellRect(0, 1);
        const TRect normal = grid->CellRect(2, 2);
        EXPECT_EQ(PixelAt(cells, fixed.Right, fixed.Top + 5), c.FixedRight) << c.Options;
        EXPECT_EQ(PixelAt(cells, fixed.Left + 5, fixed.Bottom), c.FixedBelow) << c.Options;
        EXPECT_EQ(PixelAt(cells, normal.Right, normal.Top + 5), c.NormalRight) << c.Options;
        EXPECT_EQ(PixelAt(cells, normal.Left + 5, normal.Bottom), c.NormalBelow) << c.Options;
    }
}

TEST_F(GridFixture, OptionsRuleSelectionTabsAndTyping)
{
    const auto click = [&](int col, int row, Qt::KeyboardModifiers keys) {
        const TRect r = grid->CellRect(col, row);
        QTest::mouseClick(grid->View()->viewport(), Qt::LeftButton, keys, QPoint(r.Left + 5, r.Top + 5));
    };
    struct Case
    {
        TGridOptions Options;
        bool RangeBetween, WholeRow;
    };
    for (const Case c :
         {Case{goRangeSelect, true, false}, Case{0, false, false}, Case{goRowSelect, true, true}}) {
        grid->SetOptions(c.Options);
        click(1, 1, {});
        click(3, 3, Qt::ShiftModifier);
        EXPECT_EQ((grid->CellState(2, 2) & gdSelected) != 0, c.RangeBetween) << c.Options;
        EXPECT_EQ((grid->CellState(4, 3) & gdSelected) != 0, c.WholeRow) << c.Options;
    }

    for (const bool tabs : {true, false}) {
        grid->SetOptions(tabs ? kDefaultGridOptions | goTabs : kDefaultGridOptions);
        grid->SetCurrent(1, 1);
        grid->View()->setFocus();
        QTest::keyClick(grid->View(), Qt::Key_Tab);
        EXPECT_EQ(grid->Col(), tabs ? 2 : 1) << tabs;
        EXPECT_EQ(grid->View()->hasFocus(), tabs);
    }

    // Committing an edit must not make Qt complain about the fixed views.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg)
                warnings << text;
        });
    for (const bool editing : {false, true}) {
        grid->SetOptions(editing ? kDefaultGridOptions | goEditing : kDefaultGridOptions);
        grid->SetCurrent(2, 2);
        grid->View()->setFocus();
        // The first key opens the editor, which then has the focus.
        QTest::keyClick(grid->View(), Qt::Key_H);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents(); // the view commits the editor's text queued
        EXPECT_EQ(grid->Cells(2, 2), editing ? QStringLiteral("hi") : QString()) << editing;
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

TEST_F(GridFixture, ScrollBarsAndThumbTracking)
{
    grid->SetRowCount(30);
    grid->SetColCount(20);
    struct Case
    {
        TScrollStyle Style;
        bool Horizontal, Vertical;
    };
    for (const Case c : {Case{ssBoth, true, true}, Case{ssNone, false, false}, Case{ssVertical, false, true},
                         Case{ssHorizontal, true, false}}) {
        grid->SetScrollBars(c.Style);
        QApplication::processEvents();
        EXPECT_EQ(grid->View()->horizontalScrollBar()->isVisible(), c.Horizontal) << c.Style;
        EXPECT_EQ(grid->View()->verticalScrollBar()->isVisible(), c.Vertical) << c.Style;
    }
    grid->SetScrollBars(ssBoth);
    for (const bool tracking : {false, true}) {
        grid->SetOptions(tracking ? kDefaultGridOptions | goThumbTracking : kDefaultGridOptions);
        QScrollBar* bar = grid->View()->verticalScrollBar();
        bar->setValue(0);
        bar->setSliderDown(true);
        bar->setSliderPosition(5);
        EXPECT_EQ(bar->value(), tracking ? 5 : 0) << tracking;
        bar->setSliderDown(false);
        EXPECT_EQ(bar->value(), 5) << "released";
    }
}

TEST_F(GridFixture, AScrollStepPaintsOnlyTheCellsComingIntoSight)
{
    struct Case
    {
        int FixedCols, FixedRows;
        Qt::Orientation Axis;
        int Step;
    };
    const Case cases[] = {
        {1, 1, Qt::Vertical, 1},  {1, 1, Qt::Vertical, -1},   {1, 1, Qt::Horizontal, 1},
        {0, 0, Qt::Vertical, 1},  {0, 0, Qt::Horizontal, -1}, {2, 1, Qt::Horizontal, 1},
        {1, 3, Qt::Vertical, -1}, {2, 2, Qt::Horizontal, -1},
    };
    grid->SetColCount(20);
    grid->SetRowCount(40);
    for (int row = 0; row < 40; ++row)
        for (int col = 0; col < 20; ++col)
            grid->SetCells(col, row, QString::number(row * 100 + col));
    QTableView* view = grid->View();
    QWidget* viewport = view->viewport();
    // What the window shows, rather than a fresh paint of it.
    const auto onScreen = [&] {
        const QPoint at = viewport->mapTo(&window, QPoint(0, 0));
        return window.screen()
            ->grabWindow(window.winId(), at.x(), at.y(), viewport->width(), viewport->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.FixedCols << "x" << c.FixedRows << " fixed, axis " << c.Axis
                                          << ", step " << c.Step);
        grid->OnDrawCell = nullptr;
        grid->SetFixedCols(c.FixedCols);
        grid->SetFixedRows(c.FixedRows);
        grid->SetCurrent(c.FixedCols + 1, c.FixedRows + 1);
        view->horizontalScrollBar()->setValue(3);
        view->verticalScrollBar()->setValue(3);
        // Off the cells: the cell under the mouse repaints as it changes.
        QTest::mouseMove(&window, QPoint(395, 255));
        QApplication::processEvents();

        std::vector<QRect> painted;
        grid->OnDrawCell = [&](QObject*, TCanvas&, int col, int row, const TRect&, TGridDrawState) {
            painted.push_back(grid->CellRect(col, row).ToQRect());
        };
        QScrollBar* bar = c.Axis == Qt::Vertical ? view->verticalScrollBar() : view->horizontalScrollBar();
        const TRect firstBefore = grid->CellRect(c.FixedCols + 3, c.FixedRows + 3);
        bar->setValue(bar->value() + c.Step);
        QApplication::processEvents();
        const TRect firstAfter = grid->CellRect(c.FixedCols + 3, c.FixedRows + 3);

        // The strip the scrolling uncovers: at the far end going forward,
        // next to the fixed cells going back.
        const int shift =
            c.Axis == Qt::Vertical ? firstAfter.Top - firstBefore.Top : firstAfter.Left - firstBefore.Left;
        ASSERT_NE(shift, 0);
        const int fixedWidth = c.FixedCols > 0 ? grid->CellRect(c.FixedCols - 1, 0).Right + 1 : 0;
        const int fixedHeight = c.FixedRows > 0 ? grid->CellRect(0, c.FixedRows - 1).Bottom + 1 : 0;
        const QRect strip = c.Axis == Qt::Vertical
                                ? QRect(0, shift < 0 ? viewport->height() + shift : fixedHeight,
                                        viewport->width(), std::abs(shift))
                                : QRect(shift < 0 ? viewport->width() + shift : fixedWidth, 0,
                                        std::abs(shift), viewport->height());
        EXPECT_FALSE(painted.empty());
        for (const QRect& cell : painted)
            EXPECT_TRUE(cell.intersects(strip)) << cell.x() << "," << cell.y();

        EXPECT_EQ(onScreen(), viewport->grab().toImage().convertToFormat(QImage::Format_RGB32));

        // A fixed cell takes no click, whatever lies scrolled under it.
        if (c.FixedCols > 0) {
            const TRect fixed = grid->CellRect(0, c.FixedRows + 4);
            QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(fixed.Left + 5, fixed.Top + 5));
            EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(c.FixedCols + 1, c.FixedRows + 1));
        }
    }
    grid->OnDrawCell = nullptr;
}
