#include "app/CVanemarkApp.h"

#include "app/AppInfo.h"
#include "app/CVanemarkDlg.h"
#include "app/CommandLine.h"
#include "app/ExitSignalWatcher.h"
#include "app/GuardedApplication.h"
#include "app/PlatformChoice.h"
#include "app/QtConversions.h"
#include "app/SessionEndWatcher.h"
#include "app/SocketsLayer.h"
#include "app/Translations.h"
#include "app/UserOutput.h"
#include "app/WorkingFolder.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>

#include <cstdio>
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
    // Nobody could dismiss a box on the offscreen platform; the run would hang.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        QMessageBox::critical(nullptr, Text(kAppTitle), message);
    }
}

// File names typed on the command line mean what they meant where the user
// typed them, not inside the working folder.
void AnchorToCurrentFolder(std::string& name)
{
    if (!name.empty()) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
        if (!ec) {
            name = absolute.string();
        }
    }
}

// Runs the window in the folder the user chose, so that every file it reads
// and writes by its plain name lives there. Returns an error text, empty when
// the program may go on.
QString EnterWorkingFolder(const CommandLine& line, const std::filesystem::path& portable, LaunchOptions& options)
{
    std::filesystem::path folder;
    if (line.folder) {
        folder = *line.folder;
    } else if (line.userFolder) {
        // Windows keeps a user's settings in the roaming folder (%APPDATA%),
        // so they follow the user from machine to machine; Linux in ~/.config.
#if defined(_WIN32)
        const auto where = QStandardPaths::AppDataLocation;
#else
        const auto where = QStandardPaths::AppConfigLocation;
#endif
        const QString location = QStandardPaths::writableLocation(where);
        if (location.isEmpty()) {
            return QCoreApplication::translate("vanemark", "This system names no per-user configuration folder.");
        }
        folder = ToPath(location);
    } else {
        folder = portable;
    }
    AnchorToCurrentFolder(options.settingsFile);
    if (options.snapshotPath) {
        AnchorToCurrentFolder(*options.snapshotPath);
    }
    if (options.recordPath) {
        AnchorToCurrentFolder(*options.recordPath);
    }

    const std::filesystem::path shipped =
        FindShippedFolder(ToPath(QCoreApplication::applicationDirPath()), VANEMARK_BUILD_TREE_RES);
    const SeedResult seeded = SeedFolder(folder, shipped);
    if (!seeded.error.empty()) {
        return QString::fromStdString(seeded.error);
    }
    for (const std::string& warning : seeded.warnings) {
        std::fprintf(stderr, "vanemark: %s\n", warning.c_str());
    }
    if (!seeded.copied.empty()) {
        std::string names;
        for (const std::string& name : seeded.copied) {
            names.append(names.empty() ? "" : ", ").append(name);
        }
        std::fprintf(stderr, "vanemark: copied the shipped %s into %s\n", names.c_str(), folder.string().c_str());
    }
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    if (ec) {
        return QCoreApplication::translate("vanemark", "Cannot work in the folder %1: %2")
            .arg(QString::fromStdString(folder.string()), QString::fromStdString(ec.message()));
    }
    return {};
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
    const UserOutput output;
    // A line that cannot be read is answered in the desktop's language.
    Translations translations(parsed.options ? parsed.options->language : std::nullopt);
    const QString usage =
        translations.Text("CommandLine", kUsageText).arg(QString::fromStdString(program), Text(kPerUserFolderText));
    if (!parsed.options) {
        QString why = translations.Text("CommandLine", parsed.reason);
        if (why.contains(QLatin1String("%1"))) {
            why = why.arg(QString::fromStdString(parsed.argument));
        }
        output.Error(QStringLiteral("vanemark: %1\n%2").arg(why, usage));
        return 2;
    }
    const CommandLine& line = *parsed.options;
    if (line.help) {
        output.Print(usage);
        return 0;
    }
    if (line.version) {
        output.Print(Text(kAppTitle) + QLatin1Char('\n'));
        return 0;
    }

    ApplyPlatformChoice(line.snapshot.has_value());

    GuardedApplication application(argc, argv);
    // The per-user folder is named after it: ~/.config/vanemark, as Linux
    // names such folders, and %APPDATA%\Vanemark, as Windows does.
#if defined(_WIN32)
    QApplication::setApplicationName(QStringLiteral("Vanemark"));
#else
    QApplication::setApplicationName(QStringLiteral("vanemark"));
#endif
    // Ties the window to its desktop entry, for the desktop's icon and grouping.
    QGuiApplication::setDesktopFileName(QStringLiteral(VANEMARK_APP_ID));
    QApplication::setApplicationVersion(Text(kVersionText));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vanemark/vanemark.png")));
    // The window decides when the program ends: after its exit sequence.
    QApplication::setQuitOnLastWindowClosed(false);
    translations.Install();

    LaunchOptions options;
    options.settingsFile = line.settingsFile;
    options.forceDemo = line.demo;
    options.snapshotPath = line.snapshot;
    options.snapshotCycles = line.cycles;
    options.verbose = line.verbose;
    options.unlock = line.unlock;
    options.recordPath = line.record;
    options.webPort = line.webPort;
    const std::filesystem::path portable = PortableFolder(ToPath(QCoreApplication::applicationDirPath()));
    if (line.userFolder || line.folder || !portable.empty()) {
        if (const QString error = EnterWorkingFolder(line, portable, options); !error.isEmpty()) {
            ShowErrorBox(error);
            return 1;
        }
    }
    CVanemarkApp app;
    return app.Run(options);
}

int CVanemarkApp::Run(const LaunchOptions& options) const
{
    if (!hooks.initialiseSockets()) {
        hooks.showError(QCoreApplication::translate("vanemark", kSocketsFailedText.data()));
        return 1;
    }

    CVanemarkDlg window(options);
    // Queued, so that a window that ends before the event loop runs still ends it.
    QObject::connect(
        &window, &CVanemarkDlg::finished, qApp, [](int code) { QCoreApplication::exit(code); }, Qt::QueuedConnection);

    ExitSignalWatcher exitSignals;
    QObject::connect(&exitSignals, &ExitSignalWatcher::exitRequested, &window, &CVanemarkDlg::RunExitSequence);
    SessionEndWatcher sessionEnd;
    QObject::connect(&sessionEnd, &SessionEndWatcher::saveRequested, &window, &CVanemarkDlg::SavePosition);
    QObject::connect(&sessionEnd, &SessionEndWatcher::endRequested, &window, &CVanemarkDlg::RunExitSequence);

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
