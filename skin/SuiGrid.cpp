#include "skin/SuiGrid.h"

#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <optional>

namespace {

constexpr int kFrame = 2;

} // namespace

// The cells as a table model: texts for the view's accessibility and the
// string grid, and fixed cells that can be neither current nor selected.
class TsuiGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int Cols = 5;
    int Rows = 5;
    int FixedCols = 1;
    int FixedRows = 1;
    // Cells take typed text (goEditing on a string grid).
    bool Editable = false;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : Rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : Cols; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::EditRole)
            return {};
        return Text(index.column(), index.row());
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (IsFixed(index.column(), index.row()))
            return Qt::ItemNeverHasChildren;
        const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
        return Editable ? flags | Qt::ItemIsEditable : flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
            return false;
        SetText(index.column(), index.row(), value.toString());
        return true;
    }

    bool IsFixed(int col, int row) const { return col < FixedCols || row < FixedRows; }

    QString Text(int col, int row) const { return m_texts.value(Key(col, row)); }

    void SetText(int col, int row, const QString& text)
    {
        if (text.isEmpty())
            m_texts.remove(Key(col, row));
        else
            m_texts.insert(Key(col, row), text);
        const QModelIndex cell = index(row, col);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }

    void Resize(int cols, int rows)
    {
        beginResetModel();
        Cols = std::max(cols, 0);
        Rows = std::max(rows, 0);
        endResetModel();
    }

    void FixedChanged()
    {
        beginResetModel();
        endResetModel();
    }

private:
    static quint64 Key(int col, int row) { return (quint64(quint32(col)) << 32) | quint32(row); }

    QHash<quint64, QString> m_texts;
};

class TsuiGridDelegate : public QStyledItemDelegate
{
public:
    explicit TsuiGridDelegate(TsuiCustomDrawGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // The view paints the fixed cells in their own places, never where
        // the scrolling would put them.
        if (m_grid->m_model->IsFixed(index.column(), index.row()))
            return;
        m_grid->PaintCell(painter, option.rect, index.column(), index.row());
    }

private:
    TsuiCustomDrawGrid* m_grid;
};

namespace {

int SectionsLength(const QHeaderView* header, int count)
{
    int length = 0;
    for (int i = 0; i < std::min(count, header->count()); ++i)
        length += header->sectionSize(i);
    return length;
}

// Moves a (hidden) header to its scroll bar's position as the table view
// itself does, so that whole cells scroll.
void FollowScrollBar(QHeaderView* header, const QScrollBar* bar, QAbstractItemView::ScrollMode mode)
{
    if (mode == QAbstractItemView::ScrollPerPixel)
        header->setOffset(bar->value());
    else if (bar->maximum() > 0 && bar->value() == bar->maximum())
        header->setOffsetToLastSection();
    else
        header->setOffsetToSectionPosition(bar->value());
}

} // namespace

// The cells on one viewport: the fixed rows stay at the top and scroll
// sideways only, the fixed columns stay at the left and scroll up and down
// only, and the corner between them stays. A cell scrolled under a fixed row
// or column counts as out of sight. Scrolling moves the pixels of the part
// that scrolls on that axis, so that only the cells coming into sight paint.
class TsuiGridView : public QTableView
{
public:
    TsuiGridView(TsuiCustomDrawGrid* grid, TsuiGridModel* model, QAbstractItemDelegate* delegate)
        : QTableView(grid), m_grid(grid), m_model(model)
    {
        setModel(model);
        setItemDelegate(delegate);
        setFrameShape(QFrame::NoFrame);
        setShowGrid(false);
        horizontalHeader()->hide();
        verticalHeader()->hide();
        horizontalHeader()->setMinimumSectionSize(0);
        verticalHeader()->setMinimumSectionSize(0);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        viewport()->setAutoFillBackground(true);
    }

    // The breadth of the fixed columns and the height of the fixed rows in sight.
    int FixedWidth() const
    {
        return std::min(SectionsLength(horizontalHeader(), m_model->FixedCols), viewport()->width());
    }
    int FixedHeight() const
    {
        return std::min(SectionsLength(verticalHeader(), m_model->FixedRows), viewport()->height());
    }

    // A cell with its grid line in the viewport; a fixed row or column keeps
    // its place on its own axis.
    QRect SectionRect(int col, int row) const
    {
        const QHeaderView* columns = horizontalHeader();
        const QHeaderView* rows = verticalHeader();
        const int left =
            col < m_model->FixedCols ? columns->sectionPosition(col) : columns->sectionViewportPosition(col);
        const int top =
            row < m_model->FixedRows ? rows->sectionPosition(row) : rows->sectionViewportPosition(row);
        return QRect(left, top, columns->sectionSize(col), rows->sectionSize(row));
    }

    QRect visualRect(const QModelIndex& index) const override
    {
        if (!index.isValid() || !m_model->IsFixed(index.column(), index.row()))
            return QTableView::visualRect(index);
        return SectionRect(index.column(), index.row());
    }

    QModelIndex indexAt(const QPoint& pos) const override { return QTableView::indexAt(Unfixed(pos)); }

    void scrollTo(const QModelIndex& index, ScrollHint hint) override
    {
        QTableView::scrollTo(index, hint);
        // Scrolling goes by whole cells, so the first cell in sight after
        // the fixed ones is the fixed count plus the scroll position.
        if (!index.isValid())
            return;
        const int row = index.row() - m_model->FixedRows;
        if (row >= 0 && row < verticalScrollBar()->value())
            verticalScrollBar()->setValue(row);
        const int col = index.column() - m_model->FixedCols;
        if (col >= 0 && col < horizontalScrollBar()->value())
            horizontalScrollBar()->setValue(col);
    }

protected:
    void scrollContentsBy(int, int) override
    {
        QHeaderView* columns = horizontalHeader();
        QHeaderView* rows = verticalHeader();
        const QPoint before(columns->offset(), rows->offset());
        FollowScrollBar(columns, horizontalScrollBar(), horizontalScrollMode());
        FollowScrollBar(rows, verticalScrollBar(), verticalScrollMode());
        const int dx = before.x() - columns->offset();
        const int dy = before.y() - rows->offset();
        // Scrolling the whole viewport would move the fixed cells with the rest.
        QWidget* area = viewport();
        if (dx != 0)
            area->scroll(dx, 0, QRect(FixedWidth(), 0, area->width() - FixedWidth(), area->height()));
        if (dy != 0)
            area->scroll(0, dy, QRect(0, FixedHeight(), area->width(), area->height() - FixedHeight()));
        // Moving a part of the viewport leaves its children in place.
        updateEditorGeometries();
    }

    void paintEvent(QPaintEvent* event) override
    {
        const int width = viewport()->width();
        const int height = viewport()->height();
        const QRect corner(0, 0, FixedWidth(), FixedHeight());
        const QRect top(corner.width(), 0, width - corner.width(), corner.height());
        const QRect left(0, corner.height(), corner.width(), height - corner.height());
        const QRegion scrolling = event->region() - top - left - corner;
        if (!scrolling.isEmpty()) {
            QPaintEvent cells(scrolling);
            QTableView::paintEvent(&cells);
        }
        std::optional<QPainter> painter;
        for (const QRect& band : {top, left, corner}) {
            const QRegion part = event->region() & band;
            if (part.isEmpty())
                continue;
            if (!painter)
                painter.emplace(viewport());
            PaintFixedCells(*painter, part);
        }
    }

private:
    // Where the table view finds the cell at a place in the viewport: over a
    // fixed row or column the place counts without the scrolling.
    QPoint Unfixed(QPoint pos) const
    {
        if (pos.x() >= 0 && pos.x() < FixedWidth())
            pos.rx() -= horizontalHeader()->offset();
        if (pos.y() >= 0 && pos.y() < FixedHeight())
            pos.ry() -= verticalHeader()->offset();
        return pos;
    }

    // The cells in a part of one of the fixed bands, clipped to it.
    void PaintFixedCells(QPainter& painter, const QRegion& part)
    {
        const QPoint from = Unfixed(part.boundingRect().topLeft());
        const QPoint to = Unfixed(part.boundingRect().bottomRight());
        const int firstCol = columnAt(from.x());
        const int firstRow = rowAt(from.y());
        if (firstCol < 0 || firstRow < 0)
            return;
        const int lastCol = columnAt(to.x()) < 0 ? m_model->Cols - 1 : columnAt(to.x());
        const int lastRow = rowAt(to.y()) < 0 ? m_model->Rows - 1 : rowAt(to.y());
        painter.setClipRegion(part);
        for (int row = firstRow; row <= lastRow; ++row)
            for (int col = firstCol; col <= lastCol; ++col)
                m_grid->PaintCell(&painter, SectionRect(col, row), col, row);
    }

    TsuiCustomDrawGrid* m_grid;
    TsuiGridModel* m_model;
};

TsuiCustomDrawGrid::TsuiCustomDrawGrid(QWidget* parent)
    : TControl(parent), m_model(new TsuiGridModel(this)), m_delegate(new TsuiGridDelegate(this)),
      m_view(new TsuiGridView(this, m_model, m_delegate))
{
    // Owned by the view, so that they outlive the view that shows them.
    m_model->setParent(m_view);
    m_delegate->setParent(m_view);
    m_view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setTabKeyNavigation(false);
    m_view->setCornerButtonEnabled(false);
    m_view->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_view);

    SetColor(clWindow);
    resize(320, 120);
    UpdateSections();
    SetCurrent(m_fixedCols, m_fixedRows);
    SetOptions(kDefaultGridOptions);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
    FontChanged();
}

void TsuiCustomDrawGrid::SetScrollBars(TScrollStyle style)
{
    m_scrollBars = style;
    const bool horizontal = style == ssHorizontal || style == ssBoth;
    const bool vertical = style == ssVertical || style == ssBoth;
    m_view->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TsuiCustomDrawGrid::SetOptions(TGridOptions options)
{
    m_options = options;
    m_view->setSelectionMode((options & (goRangeSelect | goRowSelect))
                                 ? QAbstractItemView::ContiguousSelection
                                 : QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior((options & goRowSelect) ? QAbstractItemView::SelectRows
                                                         : QAbstractItemView::SelectItems);
    // Only the string grid holds texts to type into.
    m_model->Editable = (options & goEditing) && qobject_cast<TsuiStringGrid*>(this) != nullptr;
    m_view->setEditTriggers(m_model->Editable
                                ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                      QAbstractItemView::AnyKeyPressed
                                : QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation((options & goTabs) != 0);
    m_view->horizontalScrollBar()->setTracking((options & goThumbTracking) != 0);
    m_view->verticalScrollBar()->setTracking((options & goThumbTracking) != 0);
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid())
        m_view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Current);
    m_view->viewport()->update();
}

TsuiCustomDrawGrid::~TsuiCustomDrawGrid() = default;

QTableView* TsuiCustomDrawGrid::View() const
{
    return m_view;
}

void TsuiCustomDrawGrid::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    if (style == Custom)
        return;
    m_borderColor = GetThemeColor(style, teControlBorderColor);
    m_fixedColor = GetThemeColor(style, teMenuSelectedColor);
    SetColor(GetThemeColor(style, teControlColor));
    m_fixedFontColor = GetThemeColor(style, teMenuSelectedFontColor);
    SetFontColor(GetThemeColor(style, teMenuFontColor));
    update();
    m_view->viewport()->update();
}

void TsuiCustomDrawGrid::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TsuiCustomDrawGrid::SetFocusedColor(TColor color)
{
    m_focusedColor = color;
    m_view->viewport()->update();
}

void TsuiCustomDrawGrid::SetSelectedColor(TColor color)
{
    m_selectedColor = color;
    m_view->viewport()->update();
}

void TsuiCustomDrawGrid::SetFixedColor(TColor color)
{
    m_fixedColor = color;
    m_view->viewport()->update();
}

void TsuiCustomDrawGrid::SetFixedFontColor(TColor color)
{
    m_fixedFontColor = color;
    m_view->viewport()->update();
}

void TsuiCustomDrawGrid::SetFontColor(TColor color)
{
    TFont font = Font();
    font.Color = color;
    SetFont(font);
}

int TsuiCustomDrawGrid::ColCount() const
{
    return m_model->Cols;
}

void TsuiCustomDrawGrid::SetColCount(int value)
{
    m_model->Resize(value, m_model->Rows);
    UpdateSections();
    KeepCurrentOutOfFixed();
}

int TsuiCustomDrawGrid::RowCount() const
{
    return m_model->Rows;
}

void TsuiCustomDrawGrid::SetRowCount(int value)
{
    m_model->Resize(m_model->Cols, value);
    UpdateSections();
    KeepCurrentOutOfFixed();
}

void TsuiCustomDrawGrid::SetFixedCols(int value)
{
    m_fixedCols = std::max(value, 0);
    m_model->FixedCols = m_fixedCols;
    m_model->FixedChanged();
    UpdateSections();
    KeepCurrentOutOfFixed();
}

void TsuiCustomDrawGrid::SetFixedRows(int value)
{
    m_fixedRows = std::max(value, 0);
    m_model->FixedRows = m_fixedRows;
    m_model->FixedChanged();
    UpdateSections();
    KeepCurrentOutOfFixed();
}

void TsuiCustomDrawGrid::SetDefaultColWidth(int value)
{
    m_defaultColWidth = std::max(value, 0);
    UpdateSections();
}

void TsuiCustomDrawGrid::SetDefaultRowHeight(int value)
{
    m_defaultRowHeight = std::max(value, 0);
    UpdateSections();
}

void TsuiCustomDrawGrid::SetGridLineWidth(int value)
{
    m_gridLineWidth = std::max(value, 0);
    UpdateSections();
}

void TsuiCustomDrawGrid::SetColWidth(int col, int width)
{
    m_view->horizontalHeader()->resizeSection(col, std::max(width, 0) + m_gridLineWidth);
}

void TsuiCustomDrawGrid::SetRowHeight(int row, int height)
{
    m_view->verticalHeader()->resizeSection(row, std::max(height, 0) + m_gridLineWidth);
}

void TsuiCustomDrawGrid::UpdateSections()
{
    // A section holds the cell and the grid line to its right or below it.
    m_view->horizontalHeader()->setDefaultSectionSize(m_defaultColWidth + m_gridLineWidth);
    m_view->verticalHeader()->setDefaultSectionSize(m_defaultRowHeight + m_gridLineWidth);
    for (int c = 0; c < ColCount(); ++c)
        m_view->horizontalHeader()->resizeSection(c, m_defaultColWidth + m_gridLineWidth);
    for (int r = 0; r < RowCount(); ++r)
        m_view->verticalHeader()->resizeSection(r, m_defaultRowHeight + m_gridLineWidth);
    m_view->viewport()->update();
}

int TsuiCustomDrawGrid::Col() const
{
    return m_view->currentIndex().column();
}

int TsuiCustomDrawGrid::Row() const
{
    return m_view->currentIndex().row();
}

void TsuiCustomDrawGrid::SetCurrent(int col, int row)
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount() || m_model->IsFixed(col, row))
        return;
    m_view->selectionModel()->setCurrentIndex(m_model->index(row, col), QItemSelectionModel::ClearAndSelect);
}

void TsuiCustomDrawGrid::SelectRange(int left, int top, int right, int bottom)
{
    left = std::max(left, m_fixedCols);
    top = std::max(top, m_fixedRows);
    right = std::min(right, ColCount() - 1);
    bottom = std::min(bottom, RowCount() - 1);
    if (left > right || top > bottom)
        return;
    const QItemSelection range(m_model->index(top, left), m_model->index(bottom, right));
    m_view->selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
}

void TsuiCustomDrawGrid::KeepCurrentOutOfFixed()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid() || m_model->IsFixed(current.column(), current.row()))
        SetCurrent(m_fixedCols, m_fixedRows);
}

TGridDrawState TsuiCustomDrawGrid::CellState(int col, int row) const
{
    if (m_model->IsFixed(col, row))
        return gdFixed;
    TGridDrawState state = 0;
    const QModelIndex index = m_model->index(row, col);
    if (m_view->selectionModel()->isSelected(index))
        state |= gdSelected;
    if (index == m_view->currentIndex() && m_view->hasFocus())
        state |= gdFocused;
    return state;
}

TColor TsuiCustomDrawGrid::CellColor(TGridDrawState state) const
{
    TColor color = Color();
    if (state & gdSelected)
        color = m_selectedColor;
    if (state & gdFocused)
        color = m_focusedColor;
    return color;
}

TRect TsuiCustomDrawGrid::CellRect(int col, int row) const
{
    const QRect section = m_view->SectionRect(col, row);
    return Bounds(section.left(), section.top(), section.width() - m_gridLineWidth,
                  section.height() - m_gridLineWidth);
}

void TsuiCustomDrawGrid::PaintCell(QPainter* painter, const QRect& sectionRect, int col, int row)
{
    if (sectionRect.isEmpty())
        return;
    const qreal ratio = painter->device()->devicePixelRatioF();
    const QSize need = DeviceSize(sectionRect.size(), ratio);
    if (m_cellBuffer.width() < need.width() || m_cellBuffer.height() < need.height() ||
        m_cellBuffer.devicePixelRatio() != ratio) {
        m_cellBuffer = DeviceImage(sectionRect.size().expandedTo(LogicalSize(m_cellBuffer.size(), ratio)),
                                   ratio, QImage::Format_RGB32);
    }
    m_cellBuffer.fill(ToQColor(ColorToRGB(Color())));
    {
        TCanvas canvas(m_cellBuffer);
        const QWidget* viewport = m_view->viewport();
        // The cell draws in the viewport's coordinates.
        const TCanvasView view(canvas, sectionRect.left(), sectionRect.top(), viewport->width(),
                               viewport->height());
        const TGridDrawState state = CellState(col, row);
        const bool fixed = (state & gdFixed) != 0;
        const TRect section = TRect::FromQRect(sectionRect);
        const TRect cell = Rect(section.Left, section.Top, section.Right - m_gridLineWidth,
                                section.Bottom - m_gridLineWidth);
        canvas.Font = Font();
        canvas.Pen = TPen{};
        canvas.Brush = {fixed ? m_fixedColor : Color(), bsSolid};
        if (fixed)
            canvas.FillRect(cell);
        canvas.SetClipRect(cell);
        DrawCell(canvas, col, row, cell, state);
        canvas.ClearClipRect();
        if (m_gridLineWidth > 0) {
            // Fixed cells are ruled in black, the others in silver; where the
            // options leave a line out, its place takes the cell's background.
            const TColor line = fixed ? clBlack : clSilver;
            const TColor face = fixed ? m_fixedColor : Color();
            const bool vertical = (m_options & (fixed ? goFixedVertLine : goVertLine)) != 0;
            const bool horizontal = (m_options & (fixed ? goFixedHorzLine : goHorzLine)) != 0;
            canvas.Brush = {vertical ? line : face, bsSolid};
            canvas.FillRect(Rect(cell.Right, section.Top, section.Right, section.Bottom));
            canvas.Brush = {horizontal ? line : face, bsSolid};
            canvas.FillRect(Rect(section.Left, cell.Bottom, section.Right, section.Bottom));
        }
    }
    painter->drawImage(QRectF(sectionRect), m_cellBuffer, QRectF(QPointF(0, 0), QSizeF(need)));
}

void TsuiCustomDrawGrid::DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state)
{
    // Fixed cells keep the fixed colour the grid has filled in.
    if (!(state & gdFixed)) {
        canvas.Brush = {CellColor(state), bsSolid};
        canvas.FillRect(rect);
    }
    DefaultDrawCell(canvas, col, row, rect, state);
}

void TsuiCustomDrawGrid::DefaultDrawCell(TCanvas& canvas, int col, int row, const TRect& rect,
                                         TGridDrawState state)
{
    if (OnDrawCell)
        RunGuarded([&] { OnDrawCell(this, canvas, col, row, rect, state); });
}

void TsuiCustomDrawGrid::Paint(TCanvas& canvas)
{
    DrawControlBorder(canvas, m_borderColor, Color());
}

void TsuiCustomDrawGrid::ColorChanged()
{
    QWidget* viewport = m_view->viewport();
    QPalette palette = viewport->palette();
    palette.setColor(QPalette::Base, ToQColor(ColorToRGB(Color())));
    palette.setColor(QPalette::Window, ToQColor(ColorToRGB(Color())));
    viewport->setPalette(palette);
    viewport->update();
    update();
}

void TsuiCustomDrawGrid::FontChanged()
{
    m_view->setFont(Font().ToQFont());
    m_view->viewport()->update();
}

void TsuiCustomDrawGrid::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    m_view->setGeometry(kFrame, kFrame, std::max(width() - 2 * kFrame, 0),
                        std::max(height() - 2 * kFrame, 0));
}

bool TsuiCustomDrawGrid::eventFilter(QObject* watched, QEvent* event)
{
    // The current cell's colour follows the focus.
    if (watched == m_view && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        m_view->viewport()->update();
    return TControl::eventFilter(watched, event);
}

// --- draw grid and string grid -----------------------------------------------

TsuiDrawGrid::TsuiDrawGrid(QWidget* parent) : TsuiCustomDrawGrid(parent) {}

TsuiStringGrid::TsuiStringGrid(QWidget* parent) : TsuiCustomDrawGrid(parent) {}

QString TsuiStringGrid::Cells(int col, int row) const
{
    return Model()->Text(col, row);
}

void TsuiStringGrid::SetCells(int col, int row, const QString& text)
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return;
    Model()->SetText(col, row, text);
}

void TsuiStringGrid::DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state)
{
    // The fixed text goes out in the fixed font colour at the place every
    // cell's text takes.
    if (state & gdFixed)
        canvas.Font.Color = FixedFontColor();
    TsuiCustomDrawGrid::DrawCell(canvas, col, row, rect, state);
}

void TsuiStringGrid::DefaultDrawCell(TCanvas& canvas, int col, int row, const TRect& rect,
                                     TGridDrawState state)
{
    canvas.Brush.Style = bsClear;
    canvas.TextOut(rect.Left + 2, rect.Top + 2, Cells(col, row));
    TsuiCustomDrawGrid::DefaultDrawCell(canvas, col, row, rect, state);
}
