#include "tools/gallery/GalleryPage.h"

#include "resources/SkinSizes.h"
#include "skin/SuiImagePanel.h"

#include <QDir>
#include <QImage>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString Hex(QRgb rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

// Empty when the pictures agree; otherwise what differs, the first pixels by place.
std::string Differences(const QImage& expected, const QImage& actual)
{
    if (expected.size() != actual.size())
        return QStringLiteral("size %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height())
            .toStdString();
    QStringList listed;
    int count = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb want = expected.pixel(x, y) & 0xFFFFFF;
            const QRgb got = actual.pixel(x, y) & 0xFFFFFF;
            if (want == got)
                continue;
            if (++count <= 20)
                listed << QStringLiteral("(%1,%2) %3 expected %4").arg(x).arg(y).arg(Hex(got), Hex(want));
        }
    if (count == 0)
        return {};
    return QStringLiteral("%1 pixels differ: %2%3")
        .arg(count)
        .arg(listed.join(QStringLiteral(", ")), count > 20 ? QStringLiteral(", ...") : QString())
        .toStdString();
}

} // namespace

TEST(GalleryGoldens, EveryPageInEveryLookMatchesItsPicture)
{
    ASSERT_EQ(qgetenv("FONTCONFIG_FILE"), QByteArrayLiteral(TESSEL_GALLERY_FONTS_CONF))
        << "run through ctest, which fixes the fonts";
    const QDir goldens(QStringLiteral(TESSEL_GOLDEN_DIR));
    const QDir actualDir(QStringLiteral(TESSEL_GOLDEN_ACTUAL_DIR));
    ASSERT_FALSE(GalleryPages().empty());
    for (const GalleryPage& page : GalleryPages())
        for (const TsuiLook& look : kSuiLooks) {
            const QString name = GoldenName(page, look);
            SCOPED_TRACE(name.toStdString());
            const QImage actual = RenderPage(page, look.Style);
            const QImage expected(goldens.filePath(name));
            ASSERT_FALSE(expected.isNull())
                << "no golden picture; regenerate with "
                   "build/tools/gallery/tessel-gallery --goldens tests/gallery/goldens";
            const std::string differences =
                Differences(expected.convertToFormat(QImage::Format_RGB32), actual);
            if (!differences.empty()) {
                QDir().mkpath(actualDir.path());
                actual.save(actualDir.filePath(name), "PNG");
                ADD_FAILURE() << differences << "\n  drawn now: " << actualDir.filePath(name).toStdString();
            }
        }
}

// The skin bitmap page holds every bitmap of its look at its size, and every
// fixed bitmap shows on some look's page.
TEST(GallerySkinBitmaps, EveryBitmapOfEveryLookIsShownAtItsSize)
{
    const auto pages = GalleryPages();
    const auto page = std::find_if(pages.begin(), pages.end(), [](const GalleryPage& p) {
        return p.Name == QLatin1String("SkinBitmaps");
    });
    ASSERT_NE(page, pages.end());
    QSet<QString> fixedShown;
    for (const TsuiLook& look : kSuiLooks) {
        SCOPED_TRACE(look.Name);
        const std::unique_ptr<QWidget> stage(CreateStage(*page, look.Style));
        QMap<QString, QSize> shown;
        for (const TsuiImagePanel* panel : stage->findChildren<TsuiImagePanel*>())
            shown.insert(panel->toolTip(), panel->size());
        for (const QString& name : GetThemeResourceNames(look.Style)) {
            ASSERT_TRUE(shown.contains(name)) << name.toStdString();
            const TBitmap& bitmap = SkinBitmap(name);
            EXPECT_FALSE(bitmap.Empty()) << name.toStdString();
            EXPECT_EQ(shown.value(name), QSize(bitmap.Width(), bitmap.Height())) << name.toStdString();
        }
        for (const tessel::FixedSkinBitmap& fixed : tessel::kFixedSkinBitmaps) {
            const QString name = QString::fromLatin1(fixed.Name);
            if (!shown.contains(name))
                continue;
            fixedShown.insert(name);
            EXPECT_EQ(shown.value(name), QSize(fixed.Size.Width, fixed.Size.Height)) << fixed.Name;
            // A look's own fixed bitmaps show on its page only.
            for (const TsuiLook& other : kSuiLooks) {
                if (other.Style != look.Style) {
                    EXPECT_FALSE(name.startsWith(QLatin1String(other.Prefix))) << fixed.Name;
                }
            }
        }
    }
    EXPECT_EQ(fixedShown.size(), qsizetype(std::size(tessel::kFixedSkinBitmaps)));
}
