#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"
#include "skin/Suithemes.h"

#include <QStringList>
#include <functional>
#include <vector>

class TsuiTab;
class TsuiTabSheet;

using TTabActiveNotify = std::function<void(QObject* sender, int tabIndex)>;

// The tab strip along the top of a tabbed control: tabs drawn from the
// style's TAB_ACTIVE / TAB_INACTIVE bitmaps over the TAB_LINE bitmap. A click
// on a tab selects it and tells the owner.
class TsuiTabControlTopPanel : public TCustomPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TsuiTabControlTopPanel(TsuiTab* owner);

    TsuiTab* Owner() const { return m_owner; }

    const TStrings& Tabs() const { return m_tabs; }
    // New tabs are shown; tabs that stay keep their shown flag.
    void SetTabs(const TStrings& tabs);
    bool TabShown(int index) const;
    void SetTabShown(int index, bool shown);

    // The bitmap names and the strip height of the style.
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    // Out-of-range values only repaint; -1 selects nothing.
    int TabIndex() const { return m_tabIndex; }
    void SetTabIndex(int index);
    int LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(int margin);

    // Each tab's place as painted; a hidden tab has no width.
    std::vector<TRect> TabRects() const;
    // Height of the active tab bitmap: clicks below it miss.
    int TabHeight() const;
    // The tab a click at (x, y) selects, -1 for none.
    int TabAt(int x, int y) const;

protected:
    void Paint(TCanvas& canvas) override;
    virtual void DrawTab(TCanvas& canvas, int index, const TRect& rect, bool active);
    void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;

private:
    int TabWidth(const QString& text) const;
    void AnnounceSelection(int index);

    TsuiTab* m_owner;
    TStringList m_tabs;
    std::vector<bool> m_shown;
    TsuiUIStyle m_uiStyle = Custom;
    // The style's bitmaps, loaded with the style.
    TBitmap m_active;
    TBitmap m_inactive;
    TBitmap m_line;
    int m_tabIndex = -1;
    int m_leftMargin = 10;
};

class TsuiPageControl;

// The strip of a page control. In an editor a click with the left button
// held on a tab switches pages without the strip taking the click.
class TsuiPageControlTopPanel : public TsuiTabControlTopPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TsuiPageControlTopPanel(TsuiPageControl* owner);

    // Runs the tab hit test at the point when the left button is held and
    // reports the form as modified; the click is never taken.
    bool DesignHitTest(int x, int y, Qt::MouseButtons buttons);
};

// A panel whose top is a tab strip and whose body is framed on three sides
// in BorderColor. Derived controls create the strip (Init) and decide what
// the body shows.
class TsuiTab : public TCustomPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,LeftMargin,BorderColor,Color,Font,Align,Anchors,TabOrder,TabStop,"
                             "OnClick,OnMouseDown,OnResize,OnTabActive")

public:
    explicit TsuiTab(QWidget* parent = nullptr);

    TsuiTabControlTopPanel* TopPanel() const { return m_topPanel; }

    // Custom is ignored: the control keeps its look.
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    int LeftMargin() const;
    void SetLeftMargin(int margin);
    int TabIndex() const;
    virtual void SetTabIndex(int index);
    const TStrings& Tabs() const;
    void SetTabs(const TStrings& tabs);

    // While loading, OnTabActive is not raised.
    bool Loading() const { return m_loading; }
    void SetLoading(bool value) { m_loading = value; }

    // The area below the strip.
    TRect BodyRect() const;

    TTabActiveNotify OnTabActive;

    // The strip made a tab active.
    virtual void TabActive(int index);
    // Pushes a style to the controls inside.
    virtual void UpdateUIStyle(TsuiUIStyle style);

protected:
    // Creates the strip and takes the owner form's style; the most derived
    // constructor calls it once.
    void Init();
    virtual TsuiTabControlTopPanel* CreateTopPanel() = 0;
    virtual void BorderColorChanged() {}
    virtual void LayoutBody() {}

    void Paint(TCanvas& canvas) override;
    void FontChanged() override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void LayoutStrip();

    TsuiTabControlTopPanel* m_topPanel = nullptr;
    bool m_loading = false;
    TsuiUIStyle m_uiStyle = Custom;
    TColor m_borderColor = clBlack;
};

// Tabs that are plain strings over one shared body; starts with "Tab1".
class TsuiTabControl : public TsuiTab
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Tabs,TabIndex")

public:
    explicit TsuiTabControl(QWidget* parent = nullptr);

protected:
    TsuiTabControlTopPanel* CreateTopPanel() override;
};

// One tab per sheet; the sheet of the active tab fills the body and the
// others are hidden, so neither clicks nor the focus reach them.
class TsuiPageControl : public TsuiTab
{
    Q_OBJECT
    Q_CLASSINFO("Published", "ActivePage")

public:
    explicit TsuiPageControl(QWidget* parent = nullptr);
    ~TsuiPageControl() override;

    int PageCount() const { return int(m_pages.size()); }
    // Null out of range.
    TsuiTabSheet* Pages(int index) const;

    TsuiTabSheet* ActivePage() const { return m_activePage; }
    void SetActivePage(TsuiTabSheet* sheet) { ActivatePage(sheet); }
    // 0 without an active page; out-of-range indices are ignored.
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    void ActivatePage(TsuiTabSheet* sheet);
    // Out of range leaves no page active.
    void ActivatePage(int index);
    // The nearest page with a shown tab before the index, else after it.
    void ActivateNextVisiblePage(int index);
    int FindNextVisiblePage(int index) const;
    int FindPrevVisiblePage(int index) const;
    TsuiTabSheet* FindNextPage(TsuiTabSheet* sheet, bool goForward) const;
    void SelectNextPage(bool goForward);
    // The sheet of the strip's selected tab.
    TsuiTabSheet* GetCurPage() const;
    // A new last page named and captioned "suiTabSheet<n>", unique on the window.
    TsuiTabSheet* NewPage();
    // Showing a sheet makes it the active page.
    void ShowControl(QWidget* control);
    // The strip shows the tab of every sheet whose own TabVisible is set.
    void UpdateTabVisible();

    // The page order by sheet name, kept with the window's description.
    // ReadPages appends to the order read so far; once every page has been
    // read, the pages are sorted into it (ReSortPages).
    void ReadPages(const QStringList& names);
    QStringList WritePages() const;
    void ReSortPages();

    // Reports a page added or removed by an editor, or a tab switched there.
    TNotifyEvent OnDesignModified;

    void TabActive(int index) override;
    void UpdateUIStyle(TsuiUIStyle style) override;

protected:
    TsuiTabControlTopPanel* CreateTopPanel() override;
    void BorderColorChanged() override;
    void LayoutBody() override;
    void ColorChanged() override;

private:
    friend class TsuiTabSheet;

    void InsertPage(TsuiTabSheet* sheet);
    void RemovePage(TsuiTabSheet* sheet);
    void MovePage(TsuiTabSheet* sheet, int newIndex);
    void UpdatePageIndex();
    void UpdateCaptions();
    void ShowOnly(TsuiTabSheet* sheet);

    std::vector<TsuiTabSheet*> m_pages;
    TsuiTabSheet* m_activePage = nullptr;
    QStringList m_pageOrder;
};

// One page: holds the page's controls, framed left, bottom and right.
class TsuiTabSheet : public TCustomPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "PageControl,PageIndex,TabVisible,BorderColor,Caption,Color,OnShow")

public:
    explicit TsuiTabSheet(TsuiPageControl* pageControl = nullptr);
    ~TsuiTabSheet() override;

    TsuiPageControl* PageControl() const { return m_pageControl; }
    // Moves the sheet to another page control (its last page), or out of any.
    void SetPageControl(TsuiPageControl* pageControl);
    int PageIndex() const { return m_pageIndex; }
    // Out of range keeps the page where it is.
    void SetPageIndex(int index);
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool value);
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);

    TNotifyEvent OnShow;

    // The page control by name, among the window's controls, as a window's
    // description refers to it; sorts the pages once all are there.
    void ReadPageControl(const QString& name);
    QString WritePageControl() const;

    void UpdateUIStyle(TsuiUIStyle style);

protected:
    void Paint(TCanvas& canvas) override;
    void CaptionChanged() override;
    virtual void DoShow();

private:
    friend class TsuiPageControl;

    TsuiPageControl* m_pageControl = nullptr;
    int m_pageIndex = -1;
    bool m_tabVisible = true;
    TColor m_borderColor = clBlack;
};

// Page editing as an editor offers it; the gallery uses them at run time.
TsuiTabSheet* PageControl_InsertPage(TsuiPageControl* pageControl);
// Frees the current page.
void PageControl_RemovePage(TsuiPageControl* pageControl);
bool PageControl_CanRemove(const TsuiPageControl* pageControl);
TsuiTabSheet* TabSheet_InsertPage(TsuiTabSheet* sheet);
void TabSheet_RemovePage(TsuiTabSheet* sheet);
bool TabSheet_CanRemove(const TsuiTabSheet* sheet);
