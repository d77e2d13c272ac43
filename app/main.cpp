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
#include <QFileInfo>
#include <QIcon>

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
    QIcon icon;
    for (const QFileInfo& size : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(size.filePath());
    app.setWindowIcon(icon);
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
