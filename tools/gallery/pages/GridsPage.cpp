#include "tools/gallery/GalleryPage.h"

#include "framework/TCanvas.h"
#include "skin/SuiGrid.h"

#include <QTimer>

namespace {

QString ColumnName(int col)
{
    return col < 26 ? QString(QChar('A' + col)) : QStringLiteral("A%1").arg(QChar('A' + col - 26));
}

void BuildGridsPage(QWidget* stage, TsuiUIStyle look)
{
    // 20 columns by 50 rows with a fixed header row and column, a selected
    // range and the focused current cell.
    auto* strings = new TsuiStringGrid(stage);
    strings->SetUIStyle(look);
    strings->SetBounds(8, 8, 400, 384);
    strings->SetColCount(20);
    strings->SetRowCount(50);
    strings->SetDefaultColWidth(52);
    strings->SetDefaultRowHeight(18);
    for (int col = 1; col < 20; ++col)
        strings->SetCells(col, 0, ColumnName(col - 1));
    for (int row = 1; row < 50; ++row) {
        strings->SetCells(0, row, QString::number(row));
        for (int col = 1; col < 20; ++col)
            strings->SetCells(col, row, QString::number(row * 100 + col));
    }
    strings->SetCurrent(2, 3);
    strings->SelectRange(2, 3, 4, 6);
    ShowFocus(strings);

    // A draw grid whose cells the user's handler paints.
    auto* swatches = new TsuiDrawGrid(stage);
    swatches->SetUIStyle(look);
    swatches->SetBounds(416, 8, 216, 200);
    swatches->SetColCount(6);
    swatches->SetRowCount(8);
    swatches->SetDefaultColWidth(40);
    swatches->SetDefaultRowHeight(22);
    swatches->SetCurrent(1, 1);
    swatches->SelectRange(1, 1, 2, 2);
    swatches->OnDrawCell = [swatches](QObject*, TCanvas& canvas, int col, int row, const TRect& rect,
                                      TGridDrawState state) {
        if (state & gdFixed) {
            canvas.Brush.Style = bsClear;
            canvas.Font.Color = swatches->FixedFontColor();
            canvas.TextOut(rect.Left + 4, rect.Top + 4,
                           col == 0 ? QString::number(row) : QString::number(col));
            return;
        }
        canvas.Brush = {RGB(col * 50, 255 - row * 30, 128), bsSolid};
        canvas.Pen = TPen{clBlack, 1, psSolid};
        canvas.Rectangle(rect.Left + 6, rect.Top + 5, rect.Right - 6, rect.Bottom - 5);
    };

    // A draw grid scrolled to its far corner: the fixed row and column stay.
    auto* scrolled = new TsuiDrawGrid(stage);
    scrolled->SetUIStyle(look);
    scrolled->SetBounds(416, 216, 216, 176);
    scrolled->SetRowCount(12);
    scrolled->OnDrawCell = [scrolled](QObject*, TCanvas& canvas, int col, int row, const TRect& rect,
                                      TGridDrawState state) {
        canvas.Brush.Style = bsClear;
        canvas.Font.Color = (state & gdFixed) ? scrolled->FixedFontColor() : scrolled->FontColor();
        canvas.TextOut(rect.Left + 2, rect.Top + 2, QStringLiteral("%1, %2").arg(col).arg(row));
    };
    // Once the window is up and the grid has its size.
    QTimer::singleShot(0, scrolled, [scrolled] { scrolled->SetCurrent(4, 11); });
}

const GalleryPageRegistrar page(QStringLiteral("Grids"), 120, BuildGridsPage);

} // namespace
