#pragma once

#include "framework/TControl.h"
#include "skin/Suithemes.h"

#include <QImage>
#include <QString>
#include <functional>

class QTableView;
class TsuiGridModel;
class TsuiGridDelegate;
class TsuiGridView;

enum TGridDrawStateItem : unsigned
{
    gdSelected = 0x1,
    gdFocused = 0x2,
    gdFixed = 0x4,
};
using TGridDrawState = unsigned;

// What a grid draws and lets the user do; sizing, moving and the
// focus-selected look are not offered by these grids.
enum TGridOption : unsigned
{
    goFixedVertLine = 0x1,
    goFixedHorzLine = 0x2,
    goVertLine = 0x4,
    goHorzLine = 0x8,
    goRangeSelect = 0x10,
    goRowSelect = 0x20,
    goEditing = 0x40,
    goTabs = 0x80,
    goThumbTracking = 0x100,
};
using TGridOptions = unsigned;
constexpr TGridOptions kDefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

using TDrawCellEvent = std::function<void(QObject* sender, TCanvas& canvas, int col, int row,
                                          const TRect& rect, TGridDrawState state)>;

// A grid of cells on a table view: the first FixedCols columns and FixedRows
// rows are fixed cells in FixedColor that take no selection; the others
// select as a range, and the current cell is the focused one while the grid
// has the focus. Cells are drawn in DrawCell; the skin's flat frame (one
// pixel of BorderColor outside one of Color) replaces a 3-D border.
class TsuiCustomDrawGrid : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TsuiCustomDrawGrid(QWidget* parent = nullptr);
    ~TsuiCustomDrawGrid() override;

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // Custom keeps the current colours.
    void SetUIStyle(TsuiUIStyle style);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    TColor FocusedColor() const { return m_focusedColor; }
    void SetFocusedColor(TColor color);
    TColor SelectedColor() const { return m_selectedColor; }
    void SetSelectedColor(TColor color);
    TColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColor color);
    TColor FixedFontColor() const { return m_fixedFontColor; }
    void SetFixedFontColor(TColor color);
    // The font's colour.
    TColor FontColor() const { return Font().Color; }
    void SetFontColor(TColor color);
    // The flat look has no 3-D border: always false, setting it changes nothing.
    bool Ctl3D() const { return false; }
    void SetCtl3D(bool) {}

    int ColCount() const;
    void SetColCount(int value);
    int RowCount() const;
    void SetRowCount(int value);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int value);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int value);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return m_gridLineWidth; }
    void SetGridLineWidth(int value);
    void SetColWidth(int col, int width);
    void SetRowHeight(int row, int height);

    // The scroll bars the grid may show, each only while there is something to scroll.
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle style);
    // Grid lines (between fixed cells and between the others, each way),
    // range and row selection, typing into cells (string grid), Tab from
    // cell to cell and scrolling while the thumb is dragged.
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions options);

    // The current cell; moving it selects it alone. Fixed cells are refused.
    int Col() const;
    int Row() const;
    void SetCurrent(int col, int row);
    // Selects the range between two cells; the current cell stays.
    void SelectRange(int left, int top, int right, int bottom);

    // The state DrawCell gets for a cell as things stand.
    TGridDrawState CellState(int col, int row) const;
    // The background of a cell that is not fixed, in that state.
    TColor CellColor(TGridDrawState state) const;
    // The cell's rectangle in the grid's coordinates, the grid line left out.
    TRect CellRect(int col, int row) const;

    // The view of the cells, the fixed ones with the others.
    QTableView* View() const;

    TDrawCellEvent OnDrawCell;

protected:
    // Draws one cell; the canvas arrives with the fixed colour filled in
    // for a fixed cell and the grid's font set.
    virtual void DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state);
    // The drawing every grid does after the background: OnDrawCell.
    virtual void DefaultDrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state);
    TsuiGridModel* Model() const { return m_model; }

    void Paint(TCanvas& canvas) override;
    void ColorChanged() override;
    void FontChanged() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TsuiGridDelegate;
    friend class TsuiGridView;
    void PaintCell(QPainter* painter, const QRect& sectionRect, int col, int row);
    void UpdateSections();
    void KeepCurrentOutOfFixed();

    TsuiGridModel* m_model;
    TsuiGridDelegate* m_delegate;
    TsuiGridView* m_view;
    // Every cell composes here, so that a repaint allocates no picture per cell.
    QImage m_cellBuffer;
    TsuiUIStyle m_uiStyle = Custom;
    TColor m_borderColor = clBlack;
    TColor m_focusedColor = clGreen;
    TColor m_selectedColor = clYellow;
    TColor m_fixedColor = clBtnFace;
    TColor m_fixedFontColor = clBlack;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_gridLineWidth = 1;
    TScrollStyle m_scrollBars = ssBoth;
    TGridOptions m_options = 0;
};

class TsuiDrawGrid : public TsuiCustomDrawGrid
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,BorderColor,FocusedColor,SelectedColor,FixedFontColor,FontColor,"
                             "Ctl3D,ColCount,RowCount,FixedCols,FixedRows,FixedColor,DefaultColWidth,"
                             "DefaultRowHeight,GridLineWidth,ScrollBars,Options,Color,Font,Align,Anchors,"
                             "BiDiMode,ParentColor,ParentFont,ParentShowHint,PopupMenu,ShowHint,TabOrder,"
                             "TabStop,OnClick,OnDblClick,OnDrawCell,OnEnter,OnExit,OnKeyDown,OnKeyPress,"
                             "OnKeyUp,OnMouseDown,OnMouseMove,OnMouseUp,OnSelectCell,OnDragDrop,"
                             "OnDragOver,OnEndDock,OnEndDrag,OnStartDock,OnStartDrag")

public:
    explicit TsuiDrawGrid(QWidget* parent = nullptr);
};

// A draw grid that holds a text per cell and writes it at (left + 2, top + 2),
// fixed cells in FixedFontColor.
class TsuiStringGrid : public TsuiCustomDrawGrid
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,BorderColor,FocusedColor,SelectedColor,FixedFontColor,FontColor,"
                             "Ctl3D,ColCount,RowCount,FixedCols,FixedRows,FixedColor,DefaultColWidth,"
                             "DefaultRowHeight,GridLineWidth,ScrollBars,Options,Color,Font,Align,Anchors,"
                             "BiDiMode,ParentColor,ParentFont,ParentShowHint,PopupMenu,ShowHint,TabOrder,"
                             "TabStop,OnClick,OnDblClick,OnDrawCell,OnEnter,OnExit,OnKeyDown,OnKeyPress,"
                             "OnKeyUp,OnMouseDown,OnMouseMove,OnMouseUp,OnSelectCell,OnDragDrop,"
                             "OnDragOver,OnEndDock,OnEndDrag,OnStartDock,OnStartDrag")

public:
    explicit TsuiStringGrid(QWidget* parent = nullptr);

    // Empty outside the grid; writes outside it are ignored.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);

protected:
    void DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) override;
    void DefaultDrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) override;
};
