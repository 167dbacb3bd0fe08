#include "app/CVanemarkApp.h"

#include "app/AppInfo.h"
#include "app/CVanemarkDlg.h"
#include "app/CommandLine.h"
#include "app/ExitSignalWatcher.h"
#include "app/GuardedApplication.h"
#include "app/PlatformChoice.h"
#include "app/SocketsLayer.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSessionManager>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace vanemark {

namespace {

QString Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowErrorBox(const QString& message)
{
    std::fprintf(stderr, "vanemark: %s\n", message.toLocal8Bit().constData());
    QMessageBox::critical(nullptr, Text(kAppTitle), message);
}

std::string Environment(std::string_view name)
{
    const char* value = std::getenv(std::string(name).c_str());
    return value != nullptr ? value : "";
}

} // namespace

CVanemarkApp::CVanemarkApp() : CVanemarkApp(Hooks{}) {}

CVanemarkApp::CVanemarkApp(Hooks h) : hooks(std::move(h))
{
    if (!hooks.initialiseSockets) {
        hooks.initialiseSockets = InitialiseSocketsLayer;
    }
    if (!hooks.showError) {
        hooks.showError = ShowErrorBox;
    }
}

int CVanemarkApp::Main(int argc, char** argv)
{
    const std::string program =
        argc > 0 && argv[0] != nullptr ? std::filesystem::path(argv[0]).filename().string() : "vanemark";
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CommandLineResult parsed = ParseCommandLine(args);
    if (!parsed.options) {
        std::fprintf(stderr, "vanemark: %s\n%s", parsed.error.c_str(), UsageText(program).c_str());
        return 2;
    }
    const CommandLine& line = *parsed.options;
    if (line.help) {
        std::fputs(UsageText(program).c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("%.*s\n", static_cast<int>(kAppTitle.size()), kAppTitle.data());
        return 0;
    }

#if defined(__unix__) && !defined(__APPLE__)
    if (auto platform = ChoosePlatform(Environment, line.snapshot.has_value())) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    }
#endif

    GuardedApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vanemark"));
    QApplication::setApplicationVersion(Text(kVersionText));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vanemark/vanemark.png")));
    // The window decides when the program ends: after its exit sequence.
    QApplication::setQuitOnLastWindowClosed(false);

    LaunchOptions options;
    options.settingsFile = line.settingsFile;
    options.forceDemo = line.demo;
    options.snapshotPath = line.snapshot;
    options.snapshotCycles = line.cycles;
    options.verbose = line.verbose;
    options.unlock = line.unlock;
    options.recordPath = line.record;
    CVanemarkApp app;
    return app.Run(options);
}

int CVanemarkApp::Run(const LaunchOptions& options) const
{
    if (!hooks.initialiseSockets()) {
        hooks.showError(Text(kSocketsFailedText));
        return 1;
    }

    CVanemarkDlg window(options);
    // Queued, so that a window that ends before the event loop runs still ends it.
    QObject::connect(
        &window, &CVanemarkDlg::finished, qApp, [](int code) { QCoreApplication::exit(code); }, Qt::QueuedConnection);

    ExitSignalWatcher exitSignals;
    QObject::connect(&exitSignals, &ExitSignalWatcher::exitRequested, &window, &CVanemarkDlg::RunExitSequence);
    // Logging out: save the position while the session manager asks, and run
    // the whole sequence if the application is told to quit.
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.SavePosition(); });
#endif
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window, &CVanemarkDlg::RunExitSequence);

    window.OnInitDialog();
    window.show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window.raise();
        window.activateWindow();
    }
    if (hooks.windowStarted) {
        hooks.windowStarted(window);
    }
    return QApplication::exec();
}

} // namespace vanemark
