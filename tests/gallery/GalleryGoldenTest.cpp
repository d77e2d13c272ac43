#include "tools/gallery/GalleryPage.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

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
        for (const GalleryLook& look : GalleryLooks()) {
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
