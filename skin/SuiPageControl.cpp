#include "skin/SuiPageControl.h"

#include "framework/TAccessible.h"
#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QEvent>
#include <algorithm>
#include <memory>

// --- the strip ---------------------------------------------------------------

TsuiTabControlTopPanel::TsuiTabControlTopPanel(TsuiTab* owner) : TControl(owner), m_owner(owner) {}

void TsuiTabControlTopPanel::SetTabs(const TStrings& tabs)
{
    m_tabs = tabs;
    m_shown.resize(std::size_t(tabs.size()), true);
    update();
}

bool TsuiTabControlTopPanel::TabShown(int index) const
{
    return index >= 0 && index < int(m_shown.size()) && m_shown[std::size_t(index)];
}

void TsuiTabControlTopPanel::SetTabShown(int index, bool shown)
{
    if (index < 0 || index >= int(m_shown.size()))
        return;
    m_shown[std::size_t(index)] = shown;
    update();
}

void TsuiTabControlTopPanel::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    m_active = SkinBitmap(GetThemeString(style, teTabActive));
    m_inactive = SkinBitmap(GetThemeString(style, teTabInactive));
    m_line = SkinBitmap(GetThemeString(style, teTabLine));
    const int height = GetThemeInt(style, teTabStripHeight);
    if (height > 0)
        resize(width(), height);
    update();
}

void TsuiTabControlTopPanel::SetTabIndex(int index)
{
    if (m_tabs.isEmpty()) {
        m_tabIndex = -1;
        update();
        return;
    }
    if (index < -1 || index >= m_tabs.size()) {
        update();
        return;
    }
    const int previous = m_tabIndex;
    m_tabIndex = index;
    update();
    AnnounceSelection(previous);
    AnnounceSelection(index);
    m_owner->TabActive(index);
}

void TsuiTabControlTopPanel::AnnounceSelection(int index)
{
    // Screen readers know the shown tabs only; a hidden one has no place.
    if (index < 0 || index >= m_tabs.size() || !TabShown(index))
        return;
    int place = 0;
    for (int i = 0; i < index; ++i)
        place += TabShown(i) ? 1 : 0;
    QAccessible::State changed;
    changed.selected = true;
    AnnounceStateChange(this, changed, place);
}

void TsuiTabControlTopPanel::SetLeftMargin(int margin)
{
    m_leftMargin = margin;
    update();
}

int TsuiTabControlTopPanel::TabWidth(const QString& text) const
{
    if (text.isEmpty())
        return 80;
    // As TCanvas::TextWidth measures, without a canvas to measure on.
    return m_owner->Font().Advance(text) + 20;
}

std::vector<TRect> TsuiTabControlTopPanel::TabRects() const
{
    const int h = m_inactive.Height();
    const int bottom = h > 0 ? h : height();
    std::vector<TRect> rects;
    int x = m_leftMargin;
    for (int i = 0; i < m_tabs.size(); ++i) {
        const int w = TabShown(i) ? TabWidth(m_tabs[i]) : 0;
        rects.push_back(Rect(x, 0, x + w, bottom));
        x += w;
    }
    return rects;
}

int TsuiTabControlTopPanel::TabHeight() const
{
    const int h = m_active.Height();
    return h > 0 ? h : height();
}

int TsuiTabControlTopPanel::TabAt(int x, int y) const
{
    if (y <= 0 || y >= TabHeight())
        return -1;
    const std::vector<TRect> rects = TabRects();
    for (std::size_t i = 0; i < rects.size(); ++i)
        if (rects[i].Left < x && x < rects[i].Right)
            return int(i);
    return -1;
}

void TsuiTabControlTopPanel::Paint(TCanvas& canvas)
{
    // Wherever no tab is drawn the window behind the control shows.
    DoTrans(canvas, m_owner);

    const TBitmap& line = m_line;
    const int h = m_inactive.Height();
    if (!line.Empty()) {
        canvas.StretchDraw(Rect(1, h, width() - 1, h + line.Height()), line);
        canvas.Pen = {m_owner->BorderColor(), 1, psSolid};
        canvas.MoveTo(0, h);
        canvas.LineTo(0, h + line.Height());
        canvas.MoveTo(width() - 1, h);
        canvas.LineTo(width() - 1, h + line.Height());
    }

    canvas.Font = m_owner->Font();
    const std::vector<TRect> rects = TabRects();
    for (int i = 0; i < int(rects.size()); ++i)
        if (TabShown(i))
            DrawTab(canvas, i, rects[std::size_t(i)], i == m_tabIndex);
}

void TsuiTabControlTopPanel::DrawTab(TCanvas& canvas, int index, const TRect& rect, bool active)
{
    TRect place = rect;
    // The active tab sits one pixel lower and covers the line's first row.
    if (active)
        place = Rect(rect.Left, rect.Top + 1, rect.Right, rect.Bottom + 1);
    SpitDrawHorizontal(active ? m_active : m_inactive, canvas, place, true);
    canvas.Brush.Style = bsClear;
    canvas.DrawText(m_tabs[index], place, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TsuiTabControlTopPanel::MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    update();
    TControl::MouseDown(button, shift, x, y);
    const int index = TabAt(x, y);
    if (index >= 0)
        SetTabIndex(index);
}

TsuiPageControlTopPanel::TsuiPageControlTopPanel(TsuiPageControl* owner) : TsuiTabControlTopPanel(owner) {}

bool TsuiPageControlTopPanel::DesignHitTest(int x, int y, Qt::MouseButtons buttons)
{
    if (buttons & Qt::LeftButton) {
        MouseDown(mbLeft, {}, x, y);
        if (auto* pages = qobject_cast<TsuiPageControl*>(Owner()))
            if (pages->OnDesignModified)
                pages->OnDesignModified(pages);
    }
    return false;
}

// --- the tabbed base ---------------------------------------------------------

TsuiTab::TsuiTab(QWidget* parent) : TControl(parent)
{
    resize(width(), 80);
}

void TsuiTab::Init()
{
    m_topPanel = CreateTopPanel();
    SetUIStyle(GetSUIFormStyle(parentWidget() ? parentWidget()->window() : nullptr));
    LayoutStrip();
}

void TsuiTab::SetUIStyle(TsuiUIStyle style)
{
    if (style == Custom)
        return;
    m_uiStyle = style;
    m_topPanel->SetColor(GetThemeColor(style, teControlColor));
    m_borderColor = GetThemeColor(style, teControlBorderColor);
    m_topPanel->SetUIStyle(style);
    SetColor(SuiLook(style).WhiteTabControl ? clWhite : GetThemeColor(style, teControlColor));
    UpdateUIStyle(style);
    LayoutStrip();
    update();
}

void TsuiTab::SetBorderColor(TColor color)
{
    m_borderColor = color;
    BorderColorChanged();
    update();
    m_topPanel->update();
}

int TsuiTab::LeftMargin() const
{
    return m_topPanel->LeftMargin();
}

void TsuiTab::SetLeftMargin(int margin)
{
    m_topPanel->SetLeftMargin(margin);
}

const TStrings& TsuiTab::Tabs() const
{
    return m_topPanel->Tabs();
}

void TsuiTab::SetTabs(const TStrings& tabs)
{
    m_topPanel->SetTabs(tabs);
}

bool TsuiTab::event(QEvent* event)
{
    if (event->type() == QEvent::CursorChange && m_topPanel != nullptr)
        m_topPanel->setCursor(cursor());
    return TControl::event(event);
}

int TsuiTab::TabIndex() const
{
    return m_topPanel->TabIndex();
}

void TsuiTab::SetTabIndex(int index)
{
    m_topPanel->SetTabIndex(index);
}

TRect TsuiTab::BodyRect() const
{
    const int top = m_topPanel ? m_topPanel->height() : 0;
    return Rect(0, top, width(), std::max(height(), top));
}

void TsuiTab::TabActive(int index)
{
    if (OnTabActive && !m_loading)
        RunGuarded([&] { OnTabActive(this, index); });
}

void TsuiTab::UpdateUIStyle(TsuiUIStyle style)
{
    ContainerApplyUIStyle(this, style);
}

void TsuiTab::Paint(TCanvas& canvas)
{
    const TRect body = BodyRect();
    canvas.Brush = {Color(), bsSolid};
    canvas.FillRect(body);
    // The top edge is the strip's line.
    canvas.Pen = {m_borderColor, 1, psSolid};
    canvas.MoveTo(0, body.Top);
    canvas.LineTo(0, height() - 1);
    canvas.LineTo(width() - 1, height() - 1);
    canvas.LineTo(width() - 1, body.Top - 1);
}

void TsuiTab::FontChanged()
{
    if (m_topPanel != nullptr)
        m_topPanel->update();
}

void TsuiTab::LayoutStrip()
{
    if (m_topPanel == nullptr)
        return;
    m_topPanel->setGeometry(0, 0, width(), m_topPanel->height());
    LayoutBody();
}

void TsuiTab::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    LayoutStrip();
}

// --- tab control -------------------------------------------------------------

TsuiTabControl::TsuiTabControl(QWidget* parent) : TsuiTab(parent)
{
    Init();
    SetTabs({QStringLiteral("Tab1")});
    SetTabIndex(0);
}

TsuiTabControlTopPanel* TsuiTabControl::CreateTopPanel()
{
    return new TsuiTabControlTopPanel(this);
}

// --- page control ------------------------------------------------------------

TsuiPageControl::TsuiPageControl(QWidget* parent) : TsuiTab(parent)
{
    Init();
}

TsuiPageControl::~TsuiPageControl()
{
    // The sheets go with their parent; they must not call back into us.
    for (TsuiTabSheet* sheet : m_pages)
        sheet->m_pageControl = nullptr;
}

TsuiTabControlTopPanel* TsuiPageControl::CreateTopPanel()
{
    return new TsuiPageControlTopPanel(this);
}

TsuiTabSheet* TsuiPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        return nullptr;
    return m_pages[std::size_t(index)];
}

int TsuiPageControl::ActivePageIndex() const
{
    return m_activePage ? m_activePage->PageIndex() : 0;
}

void TsuiPageControl::SetActivePageIndex(int index)
{
    if (index >= 0 && index < PageCount())
        ActivatePage(index);
}

void TsuiPageControl::ActivatePage(TsuiTabSheet* sheet)
{
    if (sheet == nullptr || sheet->m_pageControl != this) {
        // Selecting no tab leaves no page active.
        TopPanel()->SetTabIndex(-1);
        m_activePage = nullptr;
        ShowOnly(nullptr);
        return;
    }
    m_activePage = sheet;
    // Through the virtual and then the strip itself: the tab is made active
    // twice, and the sheet shown once more after that.
    SetTabIndex(sheet->PageIndex());
    TopPanel()->SetTabIndex(sheet->PageIndex());
    ShowOnly(sheet);
    sheet->DoShow();
}

void TsuiPageControl::ActivatePage(int index)
{
    ActivatePage(Pages(index));
}

void TsuiPageControl::ActivateNextVisiblePage(int index)
{
    for (int i = index - 1; i >= 0; --i)
        if (Pages(i)->TabVisible()) {
            ActivatePage(i);
            return;
        }
    for (int i = index + 1; i < PageCount(); ++i)
        if (Pages(i)->TabVisible()) {
            ActivatePage(i);
            return;
        }
}

int TsuiPageControl::FindNextVisiblePage(int index) const
{
    for (int i = index + 1; i < PageCount(); ++i)
        if (Pages(i)->TabVisible())
            return i;
    for (int i = 0; i < index && i < PageCount(); ++i)
        if (Pages(i)->TabVisible())
            return i;
    return -1;
}

int TsuiPageControl::FindPrevVisiblePage(int index) const
{
    for (int i = std::min(index, PageCount()) - 1; i >= 0; --i)
        if (Pages(i)->TabVisible())
            return i;
    for (int i = PageCount() - 1; i > index; --i)
        if (Pages(i)->TabVisible())
            return i;
    return -1;
}

TsuiTabSheet* TsuiPageControl::FindNextPage(TsuiTabSheet* sheet, bool goForward) const
{
    if (sheet == nullptr)
        return nullptr;
    const int index =
        goForward ? FindNextVisiblePage(sheet->PageIndex()) : FindPrevVisiblePage(sheet->PageIndex());
    return Pages(index);
}

void TsuiPageControl::SelectNextPage(bool goForward)
{
    // No other shown tab: no page stays active.
    if (m_activePage != nullptr)
        ActivatePage(FindNextPage(m_activePage, goForward));
}

TsuiTabSheet* TsuiPageControl::GetCurPage() const
{
    return Pages(TopPanel()->TabIndex());
}

TsuiTabSheet* TsuiPageControl::NewPage()
{
    // Owned by the window, like the sheets a window's description creates.
    QWidget* owner = window();
    QString name;
    for (int n = PageCount() + 1;; ++n) {
        name = QStringLiteral("suiTabSheet%1").arg(n);
        if (owner->findChild<QObject*>(name) == nullptr && owner->objectName() != name)
            break;
    }
    auto* sheet = new TsuiTabSheet();
    sheet->setObjectName(name);
    sheet->SetCaption(name);
    sheet->SetPageControl(this);
    return sheet;
}

void TsuiPageControl::ShowControl(QWidget* control)
{
    control->show();
    if (auto* sheet = qobject_cast<TsuiTabSheet*>(control))
        ActivatePage(sheet);
}

void TsuiPageControl::UpdateTabVisible()
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        TopPanel()->SetTabShown(int(i), m_pages[i]->m_tabVisible);
}

void TsuiPageControl::ReadPages(const QStringList& names)
{
    m_pageOrder += names;
}

QStringList TsuiPageControl::WritePages() const
{
    QStringList names;
    for (const TsuiTabSheet* sheet : m_pages)
        names << sheet->objectName();
    return names;
}

void TsuiPageControl::ReSortPages()
{
    for (TsuiTabSheet* sheet : m_pages)
        sheet->m_pageIndex = int(m_pageOrder.indexOf(sheet->objectName()));
    std::stable_sort(m_pages.begin(), m_pages.end(), [](const TsuiTabSheet* a, const TsuiTabSheet* b) {
        return a->m_pageIndex < b->m_pageIndex;
    });
    UpdatePageIndex();
    UpdateCaptions();
}

void TsuiPageControl::ShowOnly(TsuiTabSheet* sheet)
{
    for (TsuiTabSheet* page : m_pages)
        if (page != sheet)
            page->hide();
    if (sheet != nullptr) {
        sheet->show();
        sheet->raise();
    }
}

void TsuiPageControl::TabActive(int index)
{
    TsuiTabSheet* sheet = Pages(index);
    if (sheet == nullptr) {
        m_activePage = nullptr;
        ShowOnly(nullptr);
        return;
    }
    m_activePage = sheet;
    ShowOnly(sheet);
    sheet->DoShow();
    TsuiTab::TabActive(index);
}

void TsuiPageControl::UpdateUIStyle(TsuiUIStyle style)
{
    for (TsuiTabSheet* sheet : m_pages) {
        sheet->SetColor(Color());
        sheet->SetBorderColor(BorderColor());
        sheet->UpdateUIStyle(style);
    }
}

void TsuiPageControl::BorderColorChanged()
{
    for (TsuiTabSheet* sheet : m_pages)
        sheet->SetBorderColor(BorderColor());
}

void TsuiPageControl::ColorChanged()
{
    for (TsuiTabSheet* sheet : m_pages)
        sheet->SetColor(Color());
    TsuiTab::ColorChanged();
}

void TsuiPageControl::LayoutBody()
{
    const TRect body = BodyRect();
    for (TsuiTabSheet* sheet : m_pages)
        sheet->setGeometry(body.ToQRect());
}

void TsuiPageControl::InsertPage(TsuiTabSheet* sheet)
{
    sheet->SetColor(Color());
    sheet->SetBorderColor(BorderColor());
    sheet->setGeometry(BodyRect().ToQRect());
    m_pages.push_back(sheet);
    UpdatePageIndex();
    UpdateCaptions();
    ActivatePage(sheet);
}

void TsuiPageControl::RemovePage(TsuiTabSheet* sheet)
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), sheet);
    if (found == m_pages.end())
        return;
    const int index = sheet->PageIndex();
    m_pages.erase(found);
    sheet->m_pageIndex = -1;
    if (m_activePage == sheet)
        m_activePage = nullptr;
    UpdatePageIndex();
    UpdateCaptions();
    ActivatePage(index - 1);
}

void TsuiPageControl::MovePage(TsuiTabSheet* sheet, int newIndex)
{
    if (newIndex < 0 || newIndex >= PageCount() || sheet->m_pageControl != this)
        return;
    m_pages.erase(std::find(m_pages.begin(), m_pages.end(), sheet));
    m_pages.insert(m_pages.begin() + newIndex, sheet);
    UpdatePageIndex();
    UpdateCaptions();
    ActivatePage(sheet);
}

void TsuiPageControl::UpdatePageIndex()
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_pages[i]->m_pageIndex = int(i);
}

void TsuiPageControl::UpdateCaptions()
{
    QStringList captions;
    for (const TsuiTabSheet* sheet : m_pages)
        captions << sheet->Caption();
    TopPanel()->SetTabs(captions);
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        TopPanel()->SetTabShown(int(i), m_pages[i]->TabVisible());
}

// --- sheets ------------------------------------------------------------------

TsuiTabSheet::TsuiTabSheet(TsuiPageControl* pageControl) : TControl(pageControl)
{
    if (pageControl != nullptr)
        SetPageControl(pageControl);
}

TsuiTabSheet::~TsuiTabSheet()
{
    if (m_pageControl != nullptr)
        m_pageControl->RemovePage(this);
}

void TsuiTabSheet::SetPageControl(TsuiPageControl* pageControl)
{
    if (m_pageControl == pageControl && m_pageIndex >= 0)
        return;
    if (m_pageControl != nullptr) {
        TsuiPageControl* old = m_pageControl;
        m_pageControl = nullptr;
        old->RemovePage(this);
    }
    m_pageControl = pageControl;
    if (pageControl == nullptr) {
        setParent(nullptr);
        return;
    }
    if (parentWidget() != pageControl)
        setParent(pageControl);
    pageControl->InsertPage(this);
}

void TsuiTabSheet::ReadPageControl(const QString& name)
{
    QWidget* owner = window();
    auto* pageControl = owner->findChild<TsuiPageControl*>(name);
    if (pageControl == nullptr)
        return;
    SetPageControl(pageControl);
    if (pageControl->m_pageOrder.size() == pageControl->PageCount()) {
        pageControl->ReSortPages();
        pageControl->UpdateTabVisible();
    }
}

QString TsuiTabSheet::WritePageControl() const
{
    return m_pageControl ? m_pageControl->objectName() : QString();
}

void TsuiTabSheet::SetPageIndex(int index)
{
    if (m_pageControl != nullptr)
        m_pageControl->MovePage(this, index);
}

void TsuiTabSheet::SetTabVisible(bool value)
{
    m_tabVisible = value;
    if (m_pageControl == nullptr)
        return;
    m_pageControl->TopPanel()->SetTabShown(m_pageIndex, value);
    if (value)
        m_pageControl->ActivatePage(m_pageIndex);
    else
        m_pageControl->ActivateNextVisiblePage(m_pageIndex);
}

void TsuiTabSheet::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TsuiTabSheet::UpdateUIStyle(TsuiUIStyle style)
{
    ContainerApplyUIStyle(this, style);
}

void TsuiTabSheet::DoShow()
{
    Fire(OnShow);
}

void TsuiTabSheet::CaptionChanged()
{
    if (m_pageControl != nullptr)
        m_pageControl->UpdateCaptions();
    update();
}

void TsuiTabSheet::Paint(TCanvas& canvas)
{
    // Left, bottom and right edges; the strip's line is the top.
    canvas.Pen = {m_borderColor, 1, psSolid};
    canvas.MoveTo(0, 0);
    canvas.LineTo(0, height() - 1);
    canvas.LineTo(width() - 1, height() - 1);
    canvas.LineTo(width() - 1, -1);
}

// --- page editing ------------------------------------------------------------

namespace {

// Detaches the sheet from its page control and frees it.
void FreeSheet(TsuiTabSheet* sheet)
{
    std::unique_ptr<TsuiTabSheet> owned(sheet);
    sheet->SetPageControl(nullptr);
}

void Modified(TsuiPageControl* pageControl)
{
    if (pageControl != nullptr && pageControl->OnDesignModified)
        pageControl->OnDesignModified(pageControl);
}

} // namespace

TsuiTabSheet* PageControl_InsertPage(TsuiPageControl* pageControl)
{
    TsuiTabSheet* sheet = pageControl->NewPage();
    Modified(pageControl);
    return sheet;
}

void PageControl_RemovePage(TsuiPageControl* pageControl)
{
    if (TsuiTabSheet* sheet = pageControl->GetCurPage()) {
        FreeSheet(sheet);
        Modified(pageControl);
    }
}

bool PageControl_CanRemove(const TsuiPageControl* pageControl)
{
    return !pageControl->TopPanel()->Tabs().isEmpty();
}

TsuiTabSheet* TabSheet_InsertPage(TsuiTabSheet* sheet)
{
    return sheet->PageControl() ? PageControl_InsertPage(sheet->PageControl()) : nullptr;
}

void TabSheet_RemovePage(TsuiTabSheet* sheet)
{
    TsuiPageControl* pageControl = sheet->PageControl();
    FreeSheet(sheet);
    Modified(pageControl);
}

bool TabSheet_CanRemove(const TsuiTabSheet* sheet)
{
    return sheet->PageControl() != nullptr && PageControl_CanRemove(sheet->PageControl());
}
