#include "GalleryPage.h"
#include "GalleryWindow.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The whole gallery window in one look with one page in front.
int WriteScreenshot(const QString& lookName, const QString& pageName, const QString& path)
{
    const auto look =
        std::find_if(std::begin(kSuiLooks), std::end(kSuiLooks),
                     [&](const TsuiLook& candidate) { return lookName == QLatin1String(candidate.Name); });
    if (look == std::end(kSuiLooks)) {
        std::fprintf(stderr, "no look %s\n", qPrintable(lookName));
        return 2;
    }
    TGalleryWindow window;
    window.SetLook(look->Style);
    if (!window.ShowPage(pageName)) {
        std::fprintf(stderr, "no page %s\n", qPrintable(pageName));
        return 2;
    }
    window.Show();
    (void)QTest::qWaitForWindowExposed(&window, 1000);
    QApplication::processEvents();
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 2;
    }
    return 0;
}

} // namespace

// tessel-gallery                 shows every skin component in every look
// tessel-gallery --goldens DIR   writes each page in each look as DIR/<page>-<look>.png,
//                                off screen with the fixed golden fonts
// tessel-gallery --screenshot LOOK PAGE FILE
//                                writes the gallery window in that look with that page
//                                in front, off screen with the same fonts
int main(int argc, char** argv)
{
    const bool goldens = argc > 2 && std::strcmp(argv[1], "--goldens") == 0;
    const bool screenshot = argc > 4 && std::strcmp(argv[1], "--screenshot") == 0;
    if (goldens || screenshot) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        UseGoldenFonts();
    }
    QApplication app(argc, argv);
    if (screenshot)
        return WriteScreenshot(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                               QString::fromLocal8Bit(argv[4]));
    if (!goldens) {
        TGalleryWindow window;
        window.Show();
        return app.exec();
    }

    const QDir dir(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir.path()));
        return 2;
    }
    int written = 0;
    for (const GalleryPage& page : GalleryPages())
        for (const TsuiLook& look : kSuiLooks) {
            const QString path = dir.filePath(GoldenName(page, look));
            if (!RenderPage(page, look.Style).save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 2;
            }
            ++written;
        }
    std::printf("%d pictures in %s\n", written, qPrintable(dir.path()));
    return 0;
}
