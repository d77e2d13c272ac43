#include "tools/gallery/GalleryPage.h"

#include "resources/SkinSizes.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiImagePanel.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr int kGap = 4;
constexpr int kInset = 8;
constexpr int kCaptionRoom = 20;

// The bitmaps of one look: what its theme elements name, then the fixed
// bitmaps that carry its prefix or no look's prefix at all.
QStringList FixedNames(TsuiUIStyle look)
{
    const QLatin1String prefix(SuiLook(look).Prefix);
    auto anyPrefix = [](const QString& name) {
        return std::any_of(std::begin(kSuiLooks), std::end(kSuiLooks), [&](const TsuiLook& other) {
            return name.startsWith(QLatin1String(other.Prefix));
        });
    };
    QStringList names;
    for (const tessel::FixedSkinBitmap& fixed : tessel::kFixedSkinBitmaps) {
        const QString name = QString::fromLatin1(fixed.Name);
        if (name.startsWith(prefix) || !anyPrefix(name))
            names.append(name);
    }
    return names;
}

// Each bitmap at its own size in an image panel, left to right in rows, with
// the key colours left showing; the box grows to what it holds.
int FlowBitmaps(TsuiGroupBox* box, const QStringList& names, int width)
{
    int x = kInset;
    int y = kCaptionRoom;
    int rowHeight = 0;
    for (const QString& name : names) {
        const TBitmap& bitmap = SkinBitmap(name);
        if (x + bitmap.Width() > width - kInset && x > kInset) {
            x = kInset;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        auto* panel = new TsuiImagePanel(box);
        TPicture picture;
        picture.Assign(bitmap);
        panel->SetPicture(picture);
        panel->SetBounds(x, y, bitmap.Width(), bitmap.Height());
        panel->setToolTip(name);
        x += bitmap.Width() + kGap;
        rowHeight = std::max(rowHeight, bitmap.Height());
    }
    return y + rowHeight + kInset;
}

void BuildSkinBitmapsPage(QWidget* stage, TsuiUIStyle look)
{
    const int width = kStageWidth - 16;
    TsuiGroupBox* theme = Section(stage, QStringLiteral("Theme bitmaps"), 8, 4, width, 0);
    theme->resize(width, FlowBitmaps(theme, GetThemeResourceNames(look), width));
    TsuiGroupBox* fixed = Section(stage, QStringLiteral("Fixed bitmaps"), 8, theme->height() + 12, width, 0);
    fixed->resize(width, FlowBitmaps(fixed, FixedNames(look), width));
}

const GalleryPageRegistrar page(QStringLiteral("SkinBitmaps"), 130, BuildSkinBitmapsPage);

} // namespace
