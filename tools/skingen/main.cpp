#include "Catalogue.h"
#include "Painting.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

using namespace skingen;

bool Check(const QImage& img, const QString& name, QSize size)
{
    if (img.size() == size)
        return true;
    std::fprintf(stderr, "%s: drawn %dx%d, expected %dx%d\n", qPrintable(name), img.width(), img.height(),
                 size.width(), size.height());
    return false;
}

// Every picture at 1x and, as NAME@2x beside it, with twice the detail.
constexpr int kZooms[] = {1, 2};

QString ZoomSuffix(int zoom)
{
    return zoom == 1 ? QString() : QStringLiteral("@%1x").arg(zoom);
}

QString ZoomedFile(const QString& file, int zoom)
{
    const qsizetype dot = file.lastIndexOf(u'.');
    return file.left(dot) + ZoomSuffix(zoom) + file.mid(dot);
}

bool Save(const QImage& img, const QString& path, const char* format, int quality = -1)
{
    QImageWriter writer(path, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (writer.write(img))
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
    return false;
}

// The Windows icon: every size of the desktop icon in one .ico, each entry
// a PNG, as Windows has read them since Vista.
QByteArray IcoFile(const std::vector<std::pair<QSize, QByteArray>>& pngs)
{
    QByteArray ico;
    auto put16 = [&ico](int v) {
        ico.append(char(v & 0xFF));
        ico.append(char((v >> 8) & 0xFF));
    };
    auto put32 = [&](qsizetype v) {
        put16(int(v & 0xFFFF));
        put16(int((v >> 16) & 0xFFFF));
    };
    put16(0); // reserved
    put16(1); // icon
    put16(int(pngs.size()));
    qsizetype offset = 6 + 16 * qsizetype(pngs.size());
    for (const auto& [size, png] : pngs) {
        ico.append(char(size.width() & 0xFF)); // 256 is written as 0
        ico.append(char(size.height() & 0xFF));
        ico.append(char(0)); // no palette
        ico.append(char(0));
        put16(1);  // planes
        put16(32); // bits per pixel
        put32(png.size());
        put32(offset);
        offset += png.size();
    }
    for (const auto& entry : pngs)
        ico.append(entry.second);
    return ico;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

QImage ForPicture(const QImage& img, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Jpeg:
        return img.convertToFormat(QImage::Format_RGB32);
    case PictureFormat::Png24:
        return img.convertToFormat(QImage::Format_RGB888);
    case PictureFormat::Png16Colours:
        return img;
    case PictureFormat::Png32:
        return Unpremultiplied(img);
    }
    return img;
}

int Generate(const QString& resources)
{
    const QDir root(resources);
    if (!root.mkpath("skin") || !root.mkpath("pictures") || !root.mkpath("icons")) {
        std::fprintf(stderr, "cannot create folders under %s\n", qPrintable(resources));
        return 1;
    }
    bool ok = true;
    QString qrc;
    QTextStream q(&qrc);
    q << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/skin\">\n";
    for (const SkinEntry& e : SkinEntries()) {
        for (int zoom : kZooms) {
            const QImage img = e.draw(zoom);
            const QString name = e.name + ZoomSuffix(zoom);
            ok = Check(img, name, e.size * zoom) && ok;
            // Skin bitmaps are opaque 24-bit, masked by key colours; the icon keeps its alpha.
            const QImage out = img.hasAlphaChannel() ? img : img.convertToFormat(QImage::Format_RGB888);
            ok = Save(out, root.filePath("skin/" + name + ".png"), "png") && ok;
            q << "  <file alias=\"" << name << "\">skin/" << name << ".png</file>\n";
        }
    }
    q << "</qresource>\n<qresource prefix=\"/pictures\">\n";
    for (const PictureEntry& e : PictureEntries()) {
        for (int zoom : kZooms) {
            const QImage img = ForPicture(e.draw(zoom), e.format);
            const QString file = ZoomedFile(e.file, zoom);
            ok = Check(img, file, e.size * zoom) && ok;
            const bool jpeg = e.format == PictureFormat::Jpeg;
            ok = Save(img, root.filePath("pictures/" + file), jpeg ? "jpeg" : "png", jpeg ? 90 : -1) && ok;
            q << "  <file alias=\"" << file << "\">pictures/" << file << "</file>\n";
        }
    }
    // Every size of the desktop icon, for the window icon.
    q << "</qresource>\n<qresource prefix=\"/icons\">\n";
    std::vector<std::pair<QSize, QByteArray>> pngs;
    for (const PictureEntry& e : DesktopIconEntries()) {
        const QImage img = ForPicture(e.draw(1), e.format);
        ok = Check(img, e.file, e.size) && ok;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ok = img.save(&buffer, "png") && WriteFile(root.filePath("icons/" + e.file), png) && ok;
        pngs.emplace_back(e.size, png);
        q << "  <file alias=\"" << e.size.width() << "\">icons/" << e.file << "</file>\n";
    }
    q << "</qresource>\n</RCC>\n";
    ok = WriteFile(root.filePath("icons/tessel.ico"), IcoFile(pngs)) && ok;
    QFile file(root.filePath("tessel.qrc"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(qrc.toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && !args[0].startsWith("--"))
        return Generate(args[0]);
    std::fprintf(stderr, "usage: tessel_skingen <resources folder>\n");
    return 2;
}
