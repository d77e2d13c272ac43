#include "tools/gallery/GalleryPage.h"

#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiSideChannel.h"

namespace {

// A framed client area for a channel to dock in.
QWidget* Dock(QWidget* stage, const QString& caption, int left, int top)
{
    TsuiGroupBox* box = Section(stage, caption, left, top, 308, 190);
    auto* area = new TControl(box);
    area->SetColor(clWindow);
    area->SetBounds(8, 20, 292, 162);
    return area;
}

TsuiSideChannel* Channel(QWidget* area, TsuiUIStyle look, TsuiSideChannelAlign align, const QString& caption)
{
    auto* channel = new TsuiSideChannel(area);
    channel->SetAlign(align);
    channel->SetWidth(170);
    channel->SetCaption(caption);
    // What a container's style push does to a channel.
    channel->SetColor(GetThemeColor(look, teControlColor));
    channel->SetSideColor(GetThemeColor(look, teControlColor));
    for (int i = 0; i < 3; ++i) {
        auto* button = new TsuiButton(channel);
        button->SetUIStyle(look);
        button->SetCaption(QStringLiteral("Item %1").arg(i + 1));
        button->SetBounds(26, 28 + i * 32, 120, 25);
    }
    return channel;
}

void BuildSideChannelPage(QWidget* stage, TsuiUIStyle look)
{
    // Open on the left, the pointer over it so the close timer keeps it open.
    auto* open = Channel(Dock(stage, QStringLiteral("Open, left"), 8, 4), look, TsuiSideChannelAlign::suiLeft,
                         QStringLiteral("Tools"));
    open->PointerPos = [open] { return open->mapToGlobal(QPoint(40, 40)); };
    open->Pop(true);

    // Pinned open on the right.
    auto* pinned = Channel(Dock(stage, QStringLiteral("Pinned, right"), 324, 4), look,
                           TsuiSideChannelAlign::suiRight, QStringLiteral("Pinned"));
    pinned->SetAlignment(Qt::AlignLeft);
    pinned->SetStayOn(true);

    // Collapsed on both sides, the left bar under the pointer.
    auto* left = Channel(Dock(stage, QStringLiteral("Collapsed, left (hover)"), 8, 202), look,
                         TsuiSideChannelAlign::suiLeft, QStringLiteral("Left"));
    ShowHover(left->BarButton());
    Channel(Dock(stage, QStringLiteral("Collapsed, right"), 324, 202), look, TsuiSideChannelAlign::suiRight,
            QStringLiteral("Right"));
}

const GalleryPageRegistrar page(QStringLiteral("SideChannel"), 100, BuildSideChannelPage);

} // namespace
