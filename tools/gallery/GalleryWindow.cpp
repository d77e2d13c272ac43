#include "GalleryWindow.h"

#include "GalleryPage.h"
#include "skin/SuiButton.h"
#include "skin/SuiForm.h"
#include "skin/SuiPageControl.h"

#include <algorithm>

namespace {

constexpr int kSwitcherTop = 38;
constexpr int kPagesTop = 64;

} // namespace

TGalleryWindow::TGalleryWindow()
{
    SetCaption(QStringLiteral("Tessel skin gallery"));
    SetSizeableClientSize(kStageWidth + 24, kStageHeight + kPagesTop + 60);
    SetPosition(Position::DesktopCenter);
    m_frame = new TsuiForm(this);
    m_frame->SetSizeable(true);

    int x = 12;
    for (const TsuiLook& look : kSuiLooks) {
        auto* button = new TsuiRadioButton(m_frame);
        button->SetCaption(QString::fromLatin1(look.Name));
        button->SetBounds(x, kSwitcherTop, 100, 19);
        const TsuiUIStyle style = look.Style;
        button->OnClick = [this, style](QObject*) { SetLook(style); };
        m_lookButtons.push_back(button);
        x += 110;
    }

    m_pages = new TsuiPageControl(m_frame);
    for (const GalleryPage& page : GalleryPages()) {
        auto* sheet = new TsuiTabSheet(m_pages);
        sheet->SetCaption(page.Name);
    }
    m_pages->SetBounds(8, kPagesTop, kStageWidth + 4, kStageHeight + 30);
    SetLook(WinXP);
    m_pages->SetActivePageIndex(0);

    // Every tab must be reachable: the window grows with the strip, and the
    // stages grow with their pages, in the look's face colour.
    const std::vector<TRect> tabs = m_pages->TopPanel()->TabRects();
    const int stripRight = tabs.empty() ? 0 : tabs.back().Right + 10;
    if (stripRight > m_pages->Width()) {
        m_pages->SetWidth(stripRight);
        SetSizeableClientSize(stripRight + 20, kStageHeight + kPagesTop + 60);
        PlaceStages();
    }
}

void TGalleryWindow::PlaceStages()
{
    const int width = std::max(kStageWidth, m_pages->Width() - 4);
    for (int i = 0; i < m_pages->PageCount(); ++i)
        for (QWidget* stage : m_pages->Pages(i)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            stage->setGeometry(2, 0, width, kStageHeight);
}

void TGalleryWindow::SetLook(TsuiUIStyle look)
{
    if (look == m_look)
        return;
    m_look = look;
    m_frame->SetUIStyle(look);
    m_frame->SetCaption(QStringLiteral("Tessel skin gallery - ") +
                        QString::fromLatin1(SuiLookOf(look)->Name));
    m_pages->SetUIStyle(look);
    for (std::size_t i = 0; i < m_lookButtons.size(); ++i) {
        m_lookButtons[i]->SetUIStyle(look);
        m_lookButtons[i]->SetChecked(kSuiLooks[i].Style == look);
    }
    const std::vector<GalleryPage> pages = GalleryPages();
    for (int i = 0; i < m_pages->PageCount() && i < int(pages.size()); ++i) {
        TsuiTabSheet* sheet = m_pages->Pages(i);
        for (QWidget* old : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            old->deleteLater();
        CreateStage(pages[std::size_t(i)], look, sheet)->show();
    }
    PlaceStages();
}

bool TGalleryWindow::ShowPage(const QString& name)
{
    const std::vector<GalleryPage> pages = GalleryPages();
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i].Name == name) {
            m_pages->SetActivePageIndex(int(i));
            return true;
        }
    return false;
}
