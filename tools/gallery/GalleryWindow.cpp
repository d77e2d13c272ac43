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

    m_pageList = GalleryPages();
    m_stages.assign(m_pageList.size(), {});
    m_pages = new TsuiPageControl(m_frame);
    for (std::size_t i = 0; i < m_pageList.size(); ++i) {
        auto* sheet = new TsuiTabSheet(m_pages);
        sheet->SetCaption(m_pageList[i].Name);
        sheet->OnShow = [this, i](QObject*) { ShowStage(int(i)); };
    }
    m_pages->SetBounds(8, kPagesTop, kStageWidth + 4, kStageHeight + 30);
    m_pages->SetActivePageIndex(0);
    SetLook(WinXP);

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
    for (const auto& looks : m_stages)
        for (QWidget* stage : looks)
            if (stage != nullptr)
                stage->setGeometry(2, 0, width, kStageHeight);
}

QWidget* TGalleryWindow::Stage(int page) const
{
    if (page < 0 || page >= int(m_stages.size()))
        return nullptr;
    return m_stages[std::size_t(page)][std::size_t(m_look)];
}

void TGalleryWindow::ShowStage(int page)
{
    if (page < 0 || page >= int(m_stages.size()) || m_look == Custom)
        return;
    auto& looks = m_stages[std::size_t(page)];
    QWidget*& stage = looks[std::size_t(m_look)];
    if (stage == nullptr) {
        stage = CreateStage(m_pageList[std::size_t(page)], m_look, m_pages->Pages(page));
        stage->setGeometry(2, 0, std::max(kStageWidth, m_pages->Width() - 4), kStageHeight);
    }
    for (QWidget* other : looks)
        if (other != nullptr && other != stage)
            other->hide();
    stage->show();
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
    // Only the page in front is needed now; the others follow when shown.
    if (m_pages->ActivePage() != nullptr)
        ShowStage(m_pages->ActivePageIndex());
}

bool TGalleryWindow::ShowPage(const QString& name)
{
    for (std::size_t i = 0; i < m_pageList.size(); ++i)
        if (m_pageList[i].Name == name) {
            m_pages->SetActivePageIndex(int(i));
            return true;
        }
    return false;
}
