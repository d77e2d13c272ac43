#pragma once

#include "framework/TControl.h"
#include "skin/SuiScrollBar.h"

#include <QPointer>
#include <QString>
#include <QStringList>

class QAbstractItemView;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TsuiListBoxWidget;
class TsuiListStyle;
class TsuiRowDelegate;

// A native item view inset by the border width, with the edit's frame
// around it: one pixel in BorderColor outside one pixel in the face colour.
// The focus passes straight to the view, so keyboard, selection and
// accessibility are the view's own.
class TsuiFramedView : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "BorderColor,Color,Font,Align,Anchors,BiDiMode,Enabled,ParentColor,"
                             "ParentFont,ParentShowHint,PopupMenu,ShowHint,TabOrder,TabStop,OnClick,"
                             "OnDblClick,OnEnter,OnExit,OnKeyDown,OnKeyPress,OnKeyUp,OnMouseDown,"
                             "OnMouseMove,OnMouseUp,OnDragDrop,OnDragOver,OnEndDock,OnEndDrag,"
                             "OnStartDock,OnStartDrag")

public:
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);

protected:
    explicit TsuiFramedView(QWidget* parent);

    // Takes the view in, at the given inset; called once by each constructor.
    void AttachView(QAbstractItemView* view, int inset);
    int Inset() const { return m_inset; }
    void SetInset(int inset);

    void Paint(TCanvas& canvas) override;
    void ColorChanged() override;
    void FontChanged() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceView();

    QAbstractItemView* m_view = nullptr;
    TColor m_borderColor = clBlack;
    int m_inset = 2;
};

// The items of a list box and a check list box, over a QListWidget.
class TsuiCustomListBox : public TsuiFramedView
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Items,ItemHeight,OnDrawItem,OnMeasureItem")

public:
    TStrings Items() const;
    void SetItems(const TStrings& items);
    int AddItem(const QString& text);
    void InsertItem(int index, const QString& text);
    // Out-of-range indices are ignored.
    void DeleteItem(int index);
    void Clear();
    int Count() const;
    // -1 when no item is current.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // 0 follows the font's height, as a standard list box does; any other
    // value fixes every row at that height.
    int ItemHeight() const;
    void SetItemHeight(int height);

    // The inner view, for selection, sorting, simulated input.
    QListWidget* ListWidget() const;

protected:
    explicit TsuiCustomListBox(QWidget* parent, int inset);

    TsuiListBoxWidget* View() const { return m_list; }
    TsuiListStyle* ViewStyle() const { return m_style; }
    TsuiRowDelegate* Rows() const { return m_rows; }

private:
    TsuiListBoxWidget* m_list;
    TsuiListStyle* m_style;
    TsuiRowDelegate* m_rows;
};

// List box with the skin's frame. A skinned vertical bar placed beside it on
// the same parent can be linked: it lies over the native bar, shows while the
// native one is usable, and follows it both ways.
class TsuiListBox : public TsuiCustomListBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "VScrollBar")

public:
    explicit TsuiListBox(QWidget* parent = nullptr);
    ~TsuiListBox() override;

    // Weak link: the bar belongs to the form and may go away at any time.
    TsuiScrollBar* VScrollBar() const { return m_vScrollBar; }
    void SetVScrollBar(TsuiScrollBar* bar);

    // Native scroll state to the linked bar.
    void UpdateScrollBars();
    // Places the linked bar over the native one, in the parent's coordinates.
    void UpdateScrollBarsPos();

protected:
    void EnabledChanged() override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnVScrollBarChange();
    void AfterViewEvent(QEvent* event);
    void FitNativeBar();

    // Set while the native state is copied to the bar, so that its change
    // event does not scroll the list back.
    bool m_synchronising = false;
    // Between a left press and its release: moves then drag the selection.
    bool m_leftButtonDown = false;
    QPointer<TsuiScrollBar> m_vScrollBar;
};

// List box with a flat check box before every item.
class TsuiCheckListBox : public TsuiCustomListBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "BorderStyle,BorderWidth,Flat,OnClickCheck")

public:
    explicit TsuiCheckListBox(QWidget* parent = nullptr);

    // The frame is always the skin's own: these read single and 1 whatever
    // was written, and writing keeps the native border off and the width 1.
    TBorderStyle BorderStyle() const { return bsSingle; }
    void SetBorderStyle(TBorderStyle style);
    int BorderWidth() const { return 1; }
    void SetBorderWidth(int width);

    bool Flat() const { return m_flat; }
    void SetFlat(bool value);

    // Out-of-range indices read unchecked and are ignored when written.
    bool Checked(int index) const;
    void SetChecked(int index, bool value);

    // Raised when the user ticks or unticks an item; the sender is the box.
    TNotifyEvent OnClickCheck;

private:
    bool m_flat = true;
    bool m_settingCheck = false;
};

// Report-style list view: a header with columns and one row per item.
class TsuiListView : public TsuiFramedView
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Columns,Items,ViewStyle,OnChange,OnColumnClick,OnSelectItem")

public:
    explicit TsuiListView(QWidget* parent = nullptr);

    void AddColumn(const QString& caption, int width);
    // One row; the first text is the item's caption, the others its sub-items.
    QTreeWidgetItem* AddItem(const QStringList& texts);
    int Count() const;
    void Clear();
    int ItemIndex() const;
    void SetItemIndex(int index);

    QTreeWidget* TreeWidget() const { return m_tree; }

private:
    QTreeWidget* m_tree;
};

// Tree view: nested items with buttons to expand and collapse them.
class TsuiTreeView : public TsuiFramedView
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Items,OnChange,OnCollapsed,OnExpanded")

public:
    explicit TsuiTreeView(QWidget* parent = nullptr);

    // A new last child of `parent`, or a new root item without one.
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& text);
    void Clear();
    QTreeWidgetItem* Selected() const;
    void SetSelected(QTreeWidgetItem* item);

    QTreeWidget* TreeWidget() const { return m_tree; }

private:
    QTreeWidget* m_tree;
};
