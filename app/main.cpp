#include "cli/CommandLine.h"
#include "framework/TApplication.h"
#include "framework/TDialogService.h"
#include "shell/Accessibility.h"
#include "shell/ExportDialog.h"
#include "shell/Unit1.h"
#include "shell/Windows.h"
#include "tweaks/DefaultBackend.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

namespace {

bool HasDisplay()
{
#ifdef Q_OS_LINUX
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// The window icon, from the PNGs under :/icons named by their size. Each is
// decoded when a size near it is first asked for, as a PNG straight away:
// QIcon::addFile would guess the type of each suffix-less name through the
// MIME database and look for an icon engine plugin first.
class WindowIconEngine final : public QIconEngine
{
public:
    WindowIconEngine()
    {
        for (const QString& name : QDir(QStringLiteral(":/icons")).entryList(QDir::Files)) {
            bool ok = false;
            const int size = name.toInt(&ok);
            if (ok && size > 0)
                sizes_.append(QSize(size, size));
        }
        std::sort(sizes_.begin(), sizes_.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        pixmaps_.resize(sizes_.size());
    }

    QIconEngine* clone() const override { return new WindowIconEngine(*this); }
    QString key() const override { return QStringLiteral("TesselWindowIcon"); }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return sizes_; }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const qsizetype i = Nearest(size);
        return i < 0 ? QSize() : sizes_[i].boundedTo(size);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const qsizetype i = Nearest(size);
        if (i < 0)
            return {};
        QPixmap& pixmap = pixmaps_[i];
        if (pixmap.isNull()) {
            QImageReader reader(QStringLiteral(":/icons/%1").arg(sizes_[i].width()), "png");
            pixmap = QPixmap::fromImageReader(&reader);
        }
        // Never scaled up, as QIcon's own pictures are not.
        if (pixmap.isNull() || (pixmap.width() <= size.width() && pixmap.height() <= size.height()))
            return pixmap;
        return pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    // The smallest picture at least as large, else the largest one.
    qsizetype Nearest(const QSize& size) const
    {
        for (qsizetype i = 0; i < sizes_.size(); ++i)
            if (sizes_[i].width() >= size.width() && sizes_[i].height() >= size.height())
                return i;
        return sizes_.size() - 1;
    }

    QList<QSize> sizes_;
    QList<QPixmap> pixmaps_;
};

void ReportStartFailure(const char* message, const std::string& diagnosis)
{
    std::fprintf(stderr, "tessel: start-up failed: %s\n", message);
    if (!diagnosis.empty())
        std::fprintf(stderr, "%s\n", diagnosis.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    // With arguments Tessel is a command-line tool: nothing of the GUI starts.
    if (argc > 1)
        return tessel::RunCommandLine(argc, argv);
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "Tessel needs a display; without one, run it under a virtual display: "
                     "xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    // Ties the windows to the launcher (Wayland app_id, X11 WM_CLASS).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tessel.Tessel"));
    app.setWindowIcon(QIcon(new WindowIconEngine));
    InstallAccessibility();
    app.setQuitOnLastWindowClosed(false);
    SetDialogService(std::make_unique<TWindowDialogService>());

    bool started = false;
    int result = 1;
    RunGuarded([&] {
        auto registry = tessel::MakeDefaultBackend();
        std::unique_ptr<TWindows> windows;
        try {
            windows = std::make_unique<TWindows>(*registry);
        } catch (const std::exception& error) {
            // The error box keeps its text; the cause goes to standard error.
            ReportStartFailure(error.what(), registry->Diagnosis());
            throw;
        }
        windows->Form1().Show();
        started = true;
        result = app.exec();
    });
    // A failed start has been shown by the error display; it is not a success.
    return started ? result : 1;
}
