#include "skin/SuiListBox.h"

#include "framework/TCanvas.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

// The list view of a list box, telling its owner about the input it has
// handled, so that the linked bar can follow what the input did.
class TsuiListBoxWidget : public QListWidget
{
public:
    using QListWidget::QListWidget;

    std::function<void(QEvent* event)> AfterEvent;

    // Runs a layout that Qt has put off, so that the native bar's range
    // counts the items added so far.
    void FlushLayout() { executeDelayedItemsLayout(); }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        QListWidget::keyPressEvent(event);
        Notify(event);
    }
    void wheelEvent(QWheelEvent* event) override
    {
        QListWidget::wheelEvent(event);
        Notify(event);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        QListWidget::mousePressEvent(event);
        Notify(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        QListWidget::mouseMoveEvent(event);
        Notify(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QListWidget::mouseReleaseEvent(event);
        Notify(event);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        QListWidget::focusInEvent(event);
        Notify(event);
    }

private:
    void Notify(QEvent* event)
    {
        if (AfterEvent)
            AfterEvent(event);
    }
};

// Native bars as thick as a linked skinned bar, and the check list box's
// flat check boxes: a one-pixel shadow frame around the window colour, with
// the classic seven-pixel tick.
class TsuiListStyle : public TsuiNativeBarStyle
{
public:
    static constexpr int CheckSize = 13;

    bool FlatChecks = false;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (FlatChecks && (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight))
            return CheckSize;
        return TsuiNativeBarStyle::pixelMetric(metric, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (!FlatChecks || element != PE_IndicatorItemViewItemCheck) {
            TsuiNativeBarStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const bool enabled = option->state & State_Enabled;
        const QRect& r = option->rect;
        const int left = r.left() + (r.width() - CheckSize) / 2;
        const int top = r.top() + (r.height() - CheckSize) / 2;
        painter->save();
        painter->fillRect(left, top, CheckSize, CheckSize, ToQColor(ColorToRGB(clBtnShadow)));
        painter->fillRect(left + 1, top + 1, CheckSize - 2, CheckSize - 2,
                          ToQColor(ColorToRGB(enabled ? clWindow : clBtnFace)));
        if (option->state & (State_On | State_NoChange)) {
            const TColor tick = enabled && (option->state & State_On) ? clWindowText : clGrayText;
            // Columns 0..6 of the tick, each three pixels high, lowest at column 2.
            for (int column = 0; column < 7; ++column) {
                const int y = column <= 2 ? column + 2 : 6 - column;
                painter->fillRect(left + 3 + column, top + 3 + y, 1, 3, ToQColor(ColorToRGB(tick)));
            }
        }
        painter->restore();
    }
};

// Rows as high as the font, as a standard list box draws them, or a fixed
// height; never lower than a minimum (the check box of a check list).
class TsuiRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    int Height = 0;
    int MinHeight = 0;

    int RowHeight(const QFont& font) const
    {
        return std::max(Height > 0 ? Height : QFontMetrics(font).height(), MinHeight);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), RowHeight(option.font)};
    }

    // The focused item gets the dotted focus rectangle, every other pixel
    // inverted, as the standard list box marks it.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!(option.state & QStyle::State_HasFocus))
            return;
        const QRect& r = option.rect;
        painter->save();
        painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        const auto dot = [&](int x, int y) {
            if ((x + y) % 2 == 0)
                painter->fillRect(x, y, 1, 1, Qt::white);
        };
        for (int x = r.left(); x <= r.right(); ++x) {
            dot(x, r.top());
            dot(x, r.bottom());
        }
        for (int y = r.top() + 1; y < r.bottom(); ++y) {
            dot(r.left(), y);
            dot(r.right(), y);
        }
        painter->restore();
    }
};

// --- framed view -------------------------------------------------------------

TsuiFramedView::TsuiFramedView(QWidget* parent) : TControl(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    SetColor(clWindow);
    m_borderColor = GetBorderColor(parent ? parent->window() : nullptr);
    resize(121, 97);
}

void TsuiFramedView::AttachView(QAbstractItemView* view, int inset)
{
    m_view = view;
    m_inset = inset;
    view->setFrameShape(QFrame::NoFrame);
    setFocusProxy(view);
    // Clicks land on the view: a click on an item is the control's click.
    connect(view, &QAbstractItemView::clicked, this, [this] { Click(); });
    PlaceView();
    ColorChanged();
    FontChanged();
}

void TsuiFramedView::SetInset(int inset)
{
    m_inset = inset;
    PlaceView();
    update();
}

void TsuiFramedView::PlaceView()
{
    if (m_view != nullptr)
        m_view->setGeometry(m_inset, m_inset, std::max(width() - 2 * m_inset, 0),
                            std::max(height() - 2 * m_inset, 0));
}

void TsuiFramedView::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TsuiFramedView::Paint(TCanvas& canvas)
{
    DrawControlBorder(canvas, m_borderColor, Color());
}

void TsuiFramedView::ColorChanged()
{
    if (m_view != nullptr) {
        ApplyInnerColors(m_view, Color(), Font().Color);
        QPalette palette = m_view->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(ColorToRGB(clGrayText)));
        palette.setColor(QPalette::Highlight, ToQColor(ColorToRGB(clHighlight)));
        palette.setColor(QPalette::HighlightedText, ToQColor(ColorToRGB(clHighlightText)));
        m_view->setPalette(palette);
    }
    update();
}

void TsuiFramedView::FontChanged()
{
    if (m_view != nullptr)
        m_view->setFont(Font().ToQFont());
    ColorChanged();
}

void TsuiFramedView::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    PlaceView();
}

// --- list items ----------------------------------------------------------------

TsuiCustomListBox::TsuiCustomListBox(QWidget* parent, int inset)
    : TsuiFramedView(parent), m_list(new TsuiListBoxWidget(this)), m_style(new TsuiListStyle),
      m_rows(new TsuiRowDelegate(m_list))
{
    // Created after the view, so destroyed after it too.
    m_style->setParent(this);
    m_list->setStyle(m_style);
    m_list->verticalScrollBar()->setStyle(m_style);
    m_list->setItemDelegate(m_rows);
    m_list->setUniformItemSizes(true);
    // A list box scrolls by whole items and never sideways.
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    AttachView(m_list, inset);
}

QListWidget* TsuiCustomListBox::ListWidget() const
{
    return m_list;
}

TStrings TsuiCustomListBox::Items() const
{
    TStrings items;
    items.reserve(m_list->count());
    for (int i = 0; i < m_list->count(); ++i)
        items << m_list->item(i)->text();
    return items;
}

void TsuiCustomListBox::SetItems(const TStrings& items)
{
    m_list->clear();
    m_list->addItems(items);
}

int TsuiCustomListBox::AddItem(const QString& text)
{
    m_list->addItem(text);
    return m_list->count() - 1;
}

void TsuiCustomListBox::InsertItem(int index, const QString& text)
{
    m_list->insertItem(std::clamp(index, 0, m_list->count()), text);
}

void TsuiCustomListBox::DeleteItem(int index)
{
    if (index < 0 || index >= m_list->count())
        return;
    // The view owns its items; taking one out hands it to us.
    std::unique_ptr<QListWidgetItem> taken(m_list->takeItem(index));
}

void TsuiCustomListBox::Clear()
{
    m_list->clear();
}

int TsuiCustomListBox::Count() const
{
    return m_list->count();
}

int TsuiCustomListBox::ItemIndex() const
{
    return m_list->currentRow();
}

void TsuiCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= m_list->count())
        return;
    m_list->setCurrentRow(index);
    if (index < 0)
        m_list->clearSelection();
}

int TsuiCustomListBox::ItemHeight() const
{
    return m_rows->RowHeight(m_list->font());
}

void TsuiCustomListBox::SetItemHeight(int height)
{
    m_rows->Height = std::max(height, 0);
    // Uniform rows are measured once; a new height needs a new layout.
    m_list->doItemsLayout();
}

// --- list box -----------------------------------------------------------------

TsuiListBox::TsuiListBox(QWidget* parent) : TsuiCustomListBox(parent, 2)
{
    QAbstractItemModel* model = View()->model();
    const auto refresh = [this] { UpdateScrollBars(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, this, refresh);
    connect(model, &QAbstractItemModel::modelReset, this, refresh);
    connect(model, &QAbstractItemModel::layoutChanged, this, refresh);
    connect(View(), &QListWidget::itemSelectionChanged, this, refresh);
    connect(View(), &QListWidget::currentRowChanged, this, refresh);
    // Every way the list scrolls ends in the native bar's signals; its
    // length changes when Qt lays it out after showing it.
    QScrollBar* native = View()->verticalScrollBar();
    connect(native, &QScrollBar::valueChanged, this, refresh);
    connect(native, &QScrollBar::rangeChanged, this, refresh);
    native->installEventFilter(this);
    View()->AfterEvent = [this](QEvent* event) { AfterViewEvent(event); };
}

TsuiListBox::~TsuiListBox()
{
    // The view's items go after this object: their removal must not call back,
    // and the bar outlives the list on its form.
    View()->AfterEvent = nullptr;
    View()->model()->disconnect(this);
    View()->disconnect(this);
    View()->verticalScrollBar()->disconnect(this);
    View()->verticalScrollBar()->removeEventFilter(this);
    if (m_vScrollBar)
        m_vScrollBar->SetOnChange(nullptr);
}

bool TsuiListBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == View()->verticalScrollBar() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        UpdateScrollBars();
    return TsuiCustomListBox::eventFilter(watched, event);
}

void TsuiListBox::AfterViewEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_leftButtonDown = true;
        UpdateScrollBars();
        break;
    case QEvent::MouseMove:
        // Dragging the selection past an edge scrolls the list.
        if (m_leftButtonDown)
            UpdateScrollBars();
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_leftButtonDown = false;
        break;
    default:
        UpdateScrollBars();
        break;
    }
}

void TsuiListBox::SetVScrollBar(TsuiScrollBar* bar)
{
    if (bar == m_vScrollBar)
        return;
    if (m_vScrollBar) {
        m_vScrollBar->SetOnChange(nullptr);
        m_vScrollBar->SetLineButton(0);
        m_vScrollBar->SetMax(100);
        m_vScrollBar->SetEnabled(true);
    }
    m_vScrollBar = bar;
    if (bar != nullptr) {
        bar->SetOrientation(suiVertical);
        bar->SetOnChange([this](QObject*) { OnVScrollBarChange(); });
        bar->raise();
        UpdateScrollBarsPos();
    } else {
        FitNativeBar();
    }
}

void TsuiListBox::FitNativeBar()
{
    const int extent = m_vScrollBar ? m_vScrollBar->width() : 0;
    if (extent == ViewStyle()->Extent)
        return;
    ViewStyle()->Extent = extent;
    // Setting the style again makes the bar measure itself anew.
    View()->verticalScrollBar()->setStyle(ViewStyle());
}

void TsuiListBox::UpdateScrollBarsPos()
{
    FitNativeBar();
    if (m_vScrollBar)
        m_vScrollBar->setGeometry(x() + width() - m_vScrollBar->width() - 2, y() + 1, m_vScrollBar->width(),
                                  height() - 2);
    UpdateScrollBars();
}

void TsuiListBox::UpdateScrollBars()
{
    if (!m_vScrollBar)
        return;
    // Before the flag: the layout may move the native bar, which lands here.
    View()->FlushLayout();
    m_synchronising = true;
    TsuiScrollBar* bar = m_vScrollBar;
    const QScrollBar* native = View()->verticalScrollBar();
    // Hidden while every item fits, unavailable while the list is disabled.
    const bool usable = View()->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
                        native->maximum() > native->minimum() && native->isEnabled();
    if (usable) {
        bar->SetLineButton(NativeThumbLength(native));
        bar->SetEnabled(true);
        bar->SetVisible(true);
    } else {
        bar->SetLineButton(0);
        bar->SetEnabled(false);
        bar->SetVisible(false);
    }
    // Qt's maximum is already the last first-visible item: the native range's
    // max - page + 1.
    bar->SetMax(native->maximum());
    bar->SetMin(native->minimum());
    bar->SetPosition(native->value());
    m_synchronising = false;
}

void TsuiListBox::OnVScrollBarChange()
{
    if (m_synchronising || !m_vScrollBar)
        return;
    View()->verticalScrollBar()->setValue(m_vScrollBar->Position());
    update();
}

void TsuiListBox::EnabledChanged()
{
    UpdateScrollBars();
    update();
}

void TsuiListBox::resizeEvent(QResizeEvent* event)
{
    TsuiCustomListBox::resizeEvent(event);
    UpdateScrollBarsPos();
}

void TsuiListBox::moveEvent(QMoveEvent* event)
{
    TsuiCustomListBox::moveEvent(event);
    UpdateScrollBarsPos();
}

// --- check list box ------------------------------------------------------------

TsuiCheckListBox::TsuiCheckListBox(QWidget* parent) : TsuiCustomListBox(parent, 1)
{
    ViewStyle()->FlatChecks = true;
    Rows()->MinHeight = TsuiListStyle::CheckSize;
    // Every item gets its box as it arrives.
    connect(View()->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                const bool was = std::exchange(m_settingCheck, true);
                for (int i = first; i <= last; ++i) {
                    QListWidgetItem* item = View()->item(i);
                    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                    if (item->data(Qt::CheckStateRole).isNull())
                        item->setCheckState(Qt::Unchecked);
                }
                m_settingCheck = was;
            });
    connect(View(), &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
        if (!m_settingCheck)
            Fire(OnClickCheck);
    });
}

void TsuiCheckListBox::SetBorderStyle(TBorderStyle)
{
    View()->setFrameShape(QFrame::NoFrame);
}

void TsuiCheckListBox::SetBorderWidth(int)
{
    SetInset(1);
}

void TsuiCheckListBox::SetFlat(bool value)
{
    m_flat = value;
    ViewStyle()->FlatChecks = value;
    // The indicator's size comes from the style: lay the rows out again.
    View()->setStyle(ViewStyle());
    View()->viewport()->update();
}

bool TsuiCheckListBox::Checked(int index) const
{
    const QListWidgetItem* item = View()->item(index);
    return item != nullptr && item->checkState() == Qt::Checked;
}

void TsuiCheckListBox::SetChecked(int index, bool value)
{
    QListWidgetItem* item = View()->item(index);
    if (item == nullptr)
        return;
    const bool was = std::exchange(m_settingCheck, true);
    item->setCheckState(value ? Qt::Checked : Qt::Unchecked);
    m_settingCheck = was;
}

// --- list view -----------------------------------------------------------------

TsuiListView::TsuiListView(QWidget* parent) : TsuiFramedView(parent), m_tree(new QTreeWidget(this))
{
    m_tree->setColumnCount(0);
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->header()->setStretchLastSection(false);
    AttachView(m_tree, 2);
}

void TsuiListView::AddColumn(const QString& caption, int width)
{
    const int column = m_tree->columnCount();
    m_tree->setColumnCount(column + 1);
    m_tree->headerItem()->setText(column, caption);
    m_tree->setColumnWidth(column, width);
}

QTreeWidgetItem* TsuiListView::AddItem(const QStringList& texts)
{
    return new QTreeWidgetItem(m_tree, texts);
}

int TsuiListView::Count() const
{
    return m_tree->topLevelItemCount();
}

void TsuiListView::Clear()
{
    m_tree->clear();
}

int TsuiListView::ItemIndex() const
{
    return m_tree->currentItem() ? m_tree->indexOfTopLevelItem(m_tree->currentItem()) : -1;
}

void TsuiListView::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        return;
    if (index < 0) {
        m_tree->setCurrentItem(nullptr);
        m_tree->clearSelection();
        return;
    }
    m_tree->setCurrentItem(m_tree->topLevelItem(index));
}

// --- tree view -----------------------------------------------------------------

TsuiTreeView::TsuiTreeView(QWidget* parent) : TsuiFramedView(parent), m_tree(new QTreeWidget(this))
{
    m_tree->setColumnCount(1);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    AttachView(m_tree, 2);
}

QTreeWidgetItem* TsuiTreeView::AddItem(QTreeWidgetItem* parent, const QString& text)
{
    if (parent != nullptr)
        return new QTreeWidgetItem(parent, {text});
    return new QTreeWidgetItem(m_tree, {text});
}

void TsuiTreeView::Clear()
{
    m_tree->clear();
}

QTreeWidgetItem* TsuiTreeView::Selected() const
{
    return m_tree->currentItem();
}

void TsuiTreeView::SetSelected(QTreeWidgetItem* item)
{
    m_tree->setCurrentItem(item);
}
