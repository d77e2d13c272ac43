#include "SkinSheet.h"

#include <QGuiApplication>
#include <cstdio>

// tessel_skinsheet [out.png]: writes the contact sheet of every skin bitmap.
int main(int argc, char** argv)
{
    // Renders off screen only; no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("skinsheet.png");

    const SkinSheet sheet = RenderSkinSheet();
    for (const QString& name : sheet.Missing)
        std::fprintf(stderr, "missing skin bitmap: %s\n", qPrintable(name));
    if (!sheet.Image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 2;
    }
    std::printf("%s: %d x %d\n", qPrintable(path), sheet.Image.width(), sheet.Image.height());
    return sheet.Missing.isEmpty() ? 0 : 1;
}
