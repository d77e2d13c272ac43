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
class TsuiTabControlTopPanel : public TControl
{
    Q_OBJECT

public:
    explicit TsuiTabControlTopPanel(TsuiTab* owner);

    TsuiTab* Owner() const { return m_owner; }

    const QStringList& Tabs() const { return m_tabs; }
    // New tabs are shown; tabs that stay keep their shown flag.
    void SetTabs(const QStringList& tabs);
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

    TsuiTab* m_owner;
    QStringList m_tabs;
    std::vector<bool> m_shown;
    TsuiUIStyle m_uiStyle = Custom;
    // The style's bitmaps, loaded with the style.
    TBitmap m_active;
    TBitmap m_inactive;
    TBitmap m_line;
    int m_tabIndex = -1;
    int m_leftMargin = 10;
};

class TsuiPageControlTopPanel : public TsuiTabControlTopPanel
{
    Q_OBJECT

public:
    using TsuiTabControlTopPanel::TsuiTabControlTopPanel;
};

// A panel whose top is a tab strip and whose body is framed on three sides
// in BorderColor. Derived controls create the strip (Init) and decide what
// the body shows.
class TsuiTab : public TControl
{
    Q_OBJECT

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

private:
    void LayoutStrip();

    TsuiTabControlTopPanel* m_topPanel = nullptr;
    TsuiUIStyle m_uiStyle = Custom;
    TColor m_borderColor = clBlack;
};

// One tab per sheet; the sheet of the active tab fills the body and the
// others are hidden, so neither clicks nor the focus reach them.
class TsuiPageControl : public TsuiTab
{
    Q_OBJECT

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
};

// One page: holds the page's controls, framed left, bottom and right.
class TsuiTabSheet : public TControl
{
    Q_OBJECT

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
