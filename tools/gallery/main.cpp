#include "GalleryPage.h"
#include "GalleryWindow.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

// tessel-gallery                 shows every skin component in every look
// tessel-gallery --goldens DIR   writes each page in each look as DIR/<page>-<look>.png,
//                                off screen with the fixed golden fonts
int main(int argc, char** argv)
{
    const bool goldens = argc > 2 && std::strcmp(argv[1], "--goldens") == 0;
    if (goldens) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        UseGoldenFonts();
    }
    QApplication app(argc, argv);
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
        for (const GalleryLook& look : GalleryLooks()) {
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
