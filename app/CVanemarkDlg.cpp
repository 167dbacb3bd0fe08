#include "app/CVanemarkDlg.h"

#include "app/AppEvents.h"
#include "app/AppInfo.h"
#include "app/ProcessPriority.h"
#include "app/QtConversions.h"
#include "app/StartupSettings.h"
#include "core/ProfileFile.h"
#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include <array>
#include <cstdio>
#include <filesystem>
#include <limits>

static void InitResources()
{
    Q_INIT_RESOURCE(vanemark);
}

namespace vanemark {

namespace {

constexpr std::array<std::int32_t, 15> kSubscribedKeys{20, 30, 80, 82, 84, 86, 88, 48, 46, 92, 90, 42, 94, 96, 98};
constexpr std::uint32_t kAllLinkEvents =
    DeviceLinkClient::Connected | DeviceLinkClient::Disconnected | DeviceLinkClient::Key22Received;
constexpr std::size_t kPathMax = 1024;
constexpr std::size_t kPreWindowPathMax = 256;

} // namespace

CVanemarkDlg::CVanemarkDlg(LaunchOptions launch, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), options(std::move(launch))
{
    InitResources();
    settingsFileName = options.settingsFile;
    setFocusPolicy(Qt::StrongFocus);
    panel = new CPanelCtrl(this);
    // Every mouse event over the panel is the window's: it is one big drag handle.
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    panel->setFocusPolicy(Qt::NoFocus);
}

CVanemarkDlg::~CVanemarkDlg()
{
    // No tick may post to a window that is going away.
    StopClient();
}

QSize CVanemarkDlg::PreWindowSize(const std::string& settingsFile, std::string* used)
{
    ProfileFile profile;
    std::string name = settingsFile;
    if (!name.empty())
        profile.Open(name, kSettingsComment, kSettingsLineEnd);
    if (!profile.IsLoaded()) {
        name = std::string(kSettingsFileName);
        profile.Open(name, kSettingsComment, kSettingsLineEnd);
    }
    if (used != nullptr)
        *used = name;
    const std::string layoutFile =
        profile.GetString(kSettingsSection, "pilot cfg", std::string_view("Vanemark.cfg"), kPreWindowPathMax);
    profile.Open(layoutFile, kSettingsComment, kSettingsLineEnd);
    const LayoutWindowSize size = vanemark::ReadWindowSize(profile);
    return {size.cx, size.cy};
}

bool CVanemarkDlg::OnInitDialog()
{
    windowSize = PreWindowSize(options.settingsFile, &settingsFileName);

    RaiseProcessPriority();
    setWindowIcon(QIcon(QStringLiteral(":/vanemark/vanemark.png")));
    setWindowTitle(AppTitleText());
    panel->SetOwner(this);
    panel->setGeometry(0, 0, windowSize.width(), windowSize.height());

    // Whatever the command line named, the running window keeps its
    // settings in Vanemark.ini.
    settingsFileName = std::string(kSettingsFileName);
    ProfileFile profile(settingsFileName, kSettingsComment, kSettingsLineEnd);
    ApplyColours(profile);
    panel->LoadLayout(profile.GetString(kSettingsSection, "pilot cfg", std::string_view("Vanemark.cfg"), kPathMax));
    DeleteStaleLog();
    demo = options.forceDemo || profile.GetInt(kSettingsSection, "demo", 0) != 0;
    client.LoadKeys(profile.GetString(kSettingsSection, "keyfile", std::string_view("dlkeys.ini"), kPathMax));
    interval = NormaliseStartupInterval(profile.GetInt(kSettingsSection, "interval", 500));
    StartClient(profile);

    showTitle = false;
    panel->showTitle = 0;
    panel->SetFont(QString::fromStdString(fontName), fontSize);
    PlaceFromPosition(profile);
    return true;
}

void CVanemarkDlg::ApplyColours(ProfileFile& profile)
{
    panel->backgroundColour = profile.GetInt(kSettingsSection, "bkcolor", 0);
    panel->SetInstrumentColour(profile.GetInt(kSettingsSection, "grid color", 0xC0FFC0));
    panel->flapsColour = profile.GetInt(kSettingsSection, "flaps color", 0xC2C2C2);
    panel->pitchUpColour = profile.GetInt(kSettingsSection, "pitch color", 0x808080);
    panel->pitchDownColour = profile.GetInt(kSettingsSection, "pitch down", 0x80FF80);
    panel->stickColour = profile.GetInt(kSettingsSection, "stick color", 0x00FF00);
}

void CVanemarkDlg::DeleteStaleLog() const
{
    namespace fs = std::filesystem;
    const fs::path log = LogFileNameFor(settingsFileName);
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(log, ec)))
        return;
    // Nothing writes this file any more; a leftover one that cannot be
    // removed is only worth a note.
    if (!fs::remove(log, ec) && ec && options.verbose)
        std::fprintf(stderr, "vanemark: cannot delete %s: %s\n", log.string().c_str(), ec.message().c_str());
}

void CVanemarkDlg::StartClient(ProfileFile& profile)
{
    const ServerAddress server = ParseServer(profile.GetString(kSettingsSection, "server", kDefaultServer, kPathMax));
    serverHost = server.host;
    serverPort = server.port;

    if (options.verbose) {
        client.SetLogger([](std::string_view line) {
            std::fwrite(line.data(), 1, line.size(), stderr);
            std::fflush(stderr);
        });
    }
    // The tick thread must never touch a widget: both hand their work over as posted events.
    cycleEntry = client.AddTimerCallback(
        [this] {
            if (pendingCycles.fetch_add(1) >= kMaxPendingCycles) {
                pendingCycles.fetch_sub(1);
                return;
            }
            QCoreApplication::postEvent(this, new CycleEvent);
        },
        interval, -1);
    sinkEntry = client.AddEventSink(
        [this](int linkEvent) { QCoreApplication::postEvent(this, new LinkEvent(linkEvent)); }, kAllLinkEvents);
    client.SetHeartbeatId(kHeartbeatKey);
    client.SetAutoRequest(1);

    if (client.Start(serverHost, serverPort) != 0)
        std::fprintf(stderr, "vanemark: cannot use DeviceLink server %s port %d; the panel runs without a connection\n",
                     serverHost.c_str(), static_cast<int>(serverPort));
    for (const std::int32_t key : kSubscribedKeys)
        client.SubscribeKey(key, interval);
}

ScreenRect CVanemarkDlg::DesktopAt(const QPoint& globalPos) const
{
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (screen == nullptr && isVisible())
        screen = this->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        constexpr auto big = std::numeric_limits<std::int32_t>::max() / 2;
        return {0, 0, big, big};
    }
    return ToScreenRect(screen->geometry());
}

void CVanemarkDlg::PlaceFromPosition(ProfileFile& profile)
{
    const StoredPosition stored =
        ParsePosition(profile.GetString(kSettingsSection, "position", kDefaultPosition, kPathMax));
    const ScreenRect r = PlaceWindow(stored.left, stored.top, windowSize.width(), windowSize.height(),
                                     panel->MinimumWidth(), panel->LineHeight(), DesktopAt({stored.left, stored.top}));
    setFixedSize(r.Width(), r.Height());
    setGeometry(r.left, r.top, r.Width(), r.Height());
}
void CVanemarkDlg::SetInterval(std::int32_t milliseconds)
{
    if (milliseconds == interval)
        return;
    interval = NormaliseRuntimeInterval(milliseconds);
    client.SetTimerPeriod(cycleEntry, interval);
    client.SetPollInterval(interval);
}

void CVanemarkDlg::SetPanelFont(const std::string& faceName, std::int32_t pointSize)
{
    fontName = faceName;
    fontSize = pointSize;
    panel->SetFont(QString::fromStdString(fontName), fontSize);
}

void CVanemarkDlg::SetShowTitle(bool show)
{
    showTitle = show;
    panel->showTitle = show ? 1 : 0;
    panel->Refresh();
}
void CVanemarkDlg::StopClient()
{
    client.Stop();
    if (cycleEntry != nullptr)
        client.RemoveTimerCallback(cycleEntry);
    if (sinkEntry != nullptr)
        client.RemoveEventSink(sinkEntry);
    cycleEntry = nullptr;
    sinkEntry = nullptr;
}

void CVanemarkDlg::SavePosition()
{
    // A snapshot run leaves the user's settings alone.
    if (options.snapshotPath)
        return;
    const QRect g = geometry();
    const StoredPosition position{g.top(), g.top() + g.height(), g.left(), g.left() + g.width()};
    ProfileFile profile(settingsFileName, kSettingsComment, kSettingsLineEnd);
    if (profile.WriteString(kSettingsSection, "position", FormatPosition(position)) != 0)
        std::fprintf(stderr, "vanemark: cannot save the window position to %s\n", settingsFileName.c_str());
}

void CVanemarkDlg::RunExitSequence()
{
    if (exitDone)
        return;
    exitDone = true;
    StopClient();
    SavePosition();
    Q_EMIT finished(0);
    close();
}

void CVanemarkDlg::FinishSnapshot()
{
    exitDone = true;
    StopClient();
    const QString path = QString::fromStdString(*options.snapshotPath);
    const bool written = panel->SaveSnapshot(path);
    if (written) {
        std::printf("vanemark: wrote %dx%d panel to %s\n", panel->width(), panel->height(),
                    options.snapshotPath->c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "vanemark: cannot write the snapshot %s\n", options.snapshotPath->c_str());
    }
    Q_EMIT finished(written ? 0 : 1);
    close();
}

} // namespace vanemark
