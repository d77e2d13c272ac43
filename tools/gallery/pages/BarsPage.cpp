#include "tools/gallery/GalleryPage.h"

#include "skin/SuiCheckGroup.h"
#include "skin/SuiProgressBar.h"
#include "skin/SuiScrollBar.h"

namespace {

void BuildBarsPage(QWidget* stage, TsuiUIStyle look)
{
    // Progress bars: horizontal at several positions, one hiding its
    // caption at Min, and vertical ones filling from the bottom.
    QWidget* progress = Section(stage, QStringLiteral("TsuiProgressBar"), 8, 4, 300, 190);
    const int positions[] = {0, 25, 50, 100, 130};
    for (int i = 0; i < 5; ++i) {
        auto* bar = new TsuiProgressBar(progress);
        bar->SetUIStyle(look);
        bar->SetBounds(10, 22 + i * 24, 200, 12);
        bar->SetPosition(positions[i]);
    }
    auto* smart = new TsuiProgressBar(progress);
    smart->SetUIStyle(look);
    smart->SetBounds(10, 142, 200, 12);
    smart->SetPosition(0);
    smart->SetSmartShowCaption(true);
    auto* coloured = new TsuiProgressBar(progress);
    coloured->SetUIStyle(look);
    coloured->SetBounds(10, 166, 200, 12);
    coloured->SetPosition(75);
    coloured->SetCaptionColor(clRed);
    const int upright[] = {20, 60, 100};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new TsuiProgressBar(progress);
        bar->SetUIStyle(look);
        bar->SetOrientation(suiVertical);
        bar->SetBounds(230 + i * 22, 22, 12, 156);
        bar->SetPosition(upright[i]);
    }

    // Track bars in both orientations.
    QWidget* tracks = Section(stage, QStringLiteral("TsuiTrackBar"), 316, 4, 316, 190);
    const int trackPositions[] = {0, 40, 100};
    for (int i = 0; i < 3; ++i) {
        auto* track = new TsuiTrackBar(tracks);
        track->SetUIStyle(look);
        track->SetBounds(10, 22 + i * 34, 200, 24);
        track->SetPosition(trackPositions[i]);
    }
    for (int i = 0; i < 3; ++i) {
        auto* track = new TsuiTrackBar(tracks);
        track->SetUIStyle(look);
        track->SetOrientation(suiVertical);
        track->SetBounds(225 + i * 30, 22, 24, 156);
        track->SetPosition(trackPositions[i]);
    }
    auto* disabled = new TsuiTrackBar(tracks);
    disabled->SetUIStyle(look);
    disabled->SetBounds(10, 130, 200, 24);
    disabled->SetPosition(60);
    disabled->SetEnabled(false);

    // Scroll bars: slider sized by page size or by a line-button length.
    QWidget* scrolls = Section(stage, QStringLiteral("TsuiScrollBar"), 8, 200, 624, 196);
    const struct
    {
        int position, pageSize, lineButton;
    } vertical[] = {{0, 10, 0}, {50, 30, 0}, {100, 60, 0}, {70, 10, 40}};
    for (int i = 0; i < 4; ++i) {
        auto* bar = new TsuiScrollBar(scrolls);
        bar->SetUIStyle(look);
        bar->SetBounds(10 + i * 26, 20, 16, 170);
        bar->SetPageSize(vertical[i].pageSize);
        bar->SetLineButton(vertical[i].lineButton);
        bar->SetPosition(vertical[i].position);
    }
    const struct
    {
        int position, pageSize;
    } horizontal[] = {{0, 10}, {30, 25}, {80, 50}, {100, 100}};
    for (int i = 0; i < 4; ++i) {
        auto* bar = new TsuiScrollBar(scrolls);
        bar->SetUIStyle(look);
        bar->SetOrientation(suiHorizontal);
        bar->SetBounds(130, 24 + i * 30, 480, 16);
        bar->SetPageSize(horizontal[i].pageSize);
        bar->SetPosition(horizontal[i].position);
    }
    auto* idle = new TsuiScrollBar(scrolls);
    idle->SetUIStyle(look);
    idle->SetOrientation(suiHorizontal);
    idle->SetBounds(130, 150, 480, 16);
    idle->SetSliderVisible(false);
    idle->SetEnabled(false);
}

const GalleryPageRegistrar page(QStringLiteral("Bars"), 40, BuildBarsPage);

} // namespace
