#include "skin/SuiGrid.h"

#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <array>
#include <vector>

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
        // The main view's fixed cells lie under the fixed views.
        if (option.widget == m_grid->View() && m_grid->CellState(index.column(), index.row()) == gdFixed)
            return;
        m_grid->PaintCell(painter, option.rect, index.column(), index.row());
    }

private:
    TsuiCustomDrawGrid* m_grid;
};

namespace {

// The common set-up of the grid's table views.
void PrepareView(QTableView* view, QAbstractItemModel* model, QAbstractItemDelegate* delegate)
{
    view->setModel(model);
    view->setItemDelegate(delegate);
    view->setFrameShape(QFrame::NoFrame);
    view->setShowGrid(false);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->verticalHeader()->setMinimumSectionSize(0);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->viewport()->setAutoFillBackground(true);
}

int SectionsLength(const QHeaderView* header, int count)
{
    int length = 0;
    for (int i = 0; i < std::min(count, header->count()); ++i)
        length += header->sectionSize(i);
    return length;
}

} // namespace

// The scrolling cells, with the fixed rows and columns laid over them in
// views of their own that follow the horizontal or vertical scrolling only,
// so that the fixed cells stay in place. A cell scrolled under a fixed row
// or column counts as out of sight.
class TsuiGridView : public QTableView
{
public:
    TsuiGridView(TsuiCustomDrawGrid* grid, TsuiGridModel* model, QAbstractItemDelegate* delegate)
        : QTableView(grid), m_model(model)
    {
        PrepareView(this, model, delegate);
        for (QTableView*& frozen : m_frozen) {
            frozen = new QTableView(this);
            // A delegate of its own: a shared one would hand the main view's
            // editors to every view it serves when they commit.
            auto* own = new TsuiGridDelegate(grid);
            own->setParent(frozen);
            PrepareView(frozen, model, own);
            frozen->setFocusPolicy(Qt::NoFocus);
            frozen->setSelectionMode(QAbstractItemView::NoSelection);
            frozen->setAutoScroll(false);
            frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            frozen->viewport()->installEventFilter(this);
        }
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, Top()->horizontalScrollBar(),
                &QScrollBar::setValue);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, Left()->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { SyncSections(); });
        connect(verticalHeader(), &QHeaderView::sectionResized, this, [this] { SyncSections(); });
        viewport()->installEventFilter(this);
    }

    QTableView* Top() const { return m_frozen[0]; }
    QTableView* Left() const { return m_frozen[1]; }
    QTableView* Corner() const { return m_frozen[2]; }
    const std::array<QTableView*, 3>& Frozen() const { return m_frozen; }

    // Copies the cell sizes to the fixed views and lays them over the cells.
    void SyncSections()
    {
        for (QTableView* frozen : m_frozen) {
            for (auto [from, to] : {std::pair{horizontalHeader(), frozen->horizontalHeader()},
                                    std::pair{verticalHeader(), frozen->verticalHeader()}}) {
                to->setDefaultSectionSize(from->defaultSectionSize());
                for (int i = 0; i < from->count(); ++i)
                    if (to->sectionSize(i) != from->sectionSize(i))
                        to->resizeSection(i, from->sectionSize(i));
            }
        }
        PlaceFrozen();
    }

    void PlaceFrozen()
    {
        const QRect area = viewport()->geometry();
        const int fixedWidth = std::min(SectionsLength(horizontalHeader(), m_model->FixedCols), area.width());
        const int fixedHeight = std::min(SectionsLength(verticalHeader(), m_model->FixedRows), area.height());
        Top()->setGeometry(area.x(), area.y(), area.width(), fixedHeight);
        Left()->setGeometry(area.x(), area.y(), fixedWidth, area.height());
        Corner()->setGeometry(area.x(), area.y(), fixedWidth, fixedHeight);
        Top()->setVisible(fixedHeight > 0);
        Left()->setVisible(fixedWidth > 0);
        Corner()->setVisible(fixedWidth > 0 && fixedHeight > 0);
        Top()->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
        Left()->verticalScrollBar()->setValue(verticalScrollBar()->value());
        for (QTableView* frozen : m_frozen)
            frozen->raise();
    }

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
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == viewport()) {
            if (event->type() == QEvent::Resize)
                PlaceFrozen();
        } else if (event->type() == QEvent::Wheel) {
            // The fixed views never scroll on their own.
            QCoreApplication::sendEvent(viewport(), event);
            return true;
        }
        return QTableView::eventFilter(watched, event);
    }

private:
    TsuiGridModel* m_model;
    std::array<QTableView*, 3> m_frozen{};
};

TsuiCustomDrawGrid::TsuiCustomDrawGrid(QWidget* parent)
    : TControl(parent), m_model(new TsuiGridModel(this)), m_delegate(new TsuiGridDelegate(this)),
      m_view(new TsuiGridView(this, m_model, m_delegate))
{
    // Owned by the view, so that they outlive every view that shows them.
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
    for (QTableView* frozen : m_view->Frozen())
        frozen->viewport()->update();
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
    m_view->SyncSections();
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
    // Fixed cells stay where they are whatever the scrolling.
    const QHeaderView* columns = m_view->horizontalHeader();
    const QHeaderView* rows = m_view->verticalHeader();
    const int left =
        col < m_fixedCols ? columns->sectionPosition(col) : columns->sectionViewportPosition(col);
    const int top = row < m_fixedRows ? rows->sectionPosition(row) : rows->sectionViewportPosition(row);
    return Bounds(left, top, columns->sectionSize(col) - m_gridLineWidth,
                  rows->sectionSize(row) - m_gridLineWidth);
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
    std::vector<QWidget*> viewports{m_view->viewport()};
    for (QTableView* frozen : m_view->Frozen())
        viewports.push_back(frozen->viewport());
    for (QWidget* viewport : viewports) {
        QPalette palette = viewport->palette();
        palette.setColor(QPalette::Base, ToQColor(ColorToRGB(Color())));
        palette.setColor(QPalette::Window, ToQColor(ColorToRGB(Color())));
        viewport->setPalette(palette);
        viewport->update();
    }
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
