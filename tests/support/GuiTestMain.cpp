#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The offscreen platform cannot raise windows, set masks or size hints, and
// says so each time.
QtMessageHandler g_previous = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_previous)
        g_previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

#ifdef _WIN32
constexpr char kHeadlessPlatform[] = "minimal:enable_fonts";
#else
constexpr char kHeadlessPlatform[] = "offscreen";
#endif

} // namespace

int main(int argc, char** argv)
{
    g_previous = qInstallMessageHandler(QuietHandler);
    // Windows are driven on a platform without a display, also during test discovery.
    // Windows builds have no offscreen plugin, and Wine keeps every QT_ variable from its
    // programs, so there the default is the only way in: minimal, with the system's fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", kHeadlessPlatform);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/tessel-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    // The windows log their changes; a test run keeps its log to itself.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(state.path()).toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
