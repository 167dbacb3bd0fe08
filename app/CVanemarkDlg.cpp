#include "app/CVanemarkDlg.h"

#include "app/AppEvents.h"
#include "app/AppInfo.h"
#include "app/LinkKeys.h"
#include "app/ProcessPriority.h"
#include "app/QtConversions.h"
#include "config/IntervalRules.h"
#include "config/ServerSetting.h"
#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "config/WindowPosition.h"
#include "core/ProfileFile.h"
#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"
#include "timing/HighResTimer.h"

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

constexpr std::uint32_t kAllLinkEvents =
    DeviceLinkClient::Connected | DeviceLinkClient::Disconnected | DeviceLinkClient::Key22Received;

} // namespace

CVanemarkDlg::CVanemarkDlg(LaunchOptions launch, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), options(std::move(launch))
{
    InitResources();
    settingsFileName = options.settingsFile;
    fontName = std::string(settings::kFontNameDefault);
    fontSize = settings::kFontSizeDefault;
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
    using namespace settings;
    std::string name = settingsFile;
    ProfileFile profile;
    if (!name.empty()) {
        profile = settings::OpenSettings(name);
    }
    if (!profile.IsLoaded()) {
        name = std::string(kFileName);
        profile = settings::OpenSettings(name);
    }
    if (used != nullptr) {
        *used = name;
    }
    const std::string layoutFile =
        profile.GetString(kSection, kLayoutFileKey, kLayoutFileDefault, kPreWindowTextBuffer);
    ProfileFile layout = settings::OpenSettings(layoutFile);
    const LayoutWindowSize size = vanemark::ReadWindowSize(layout);
    return {size.cx, size.cy};
}

bool CVanemarkDlg::OnInitDialog()
{
    using namespace settings;
    windowSize = PreWindowSize(options.settingsFile, &settingsFileName);

    // The cycle reads this clock, so the window keeps it running.
    HighResTimer::Instance().Start();
    RaiseProcessPriority();
    setWindowIcon(QIcon(QStringLiteral(":/vanemark/vanemark.png")));
    setWindowTitle(AppTitleText());
    panel->SetOwner(this);
    panel->setGeometry(0, 0, windowSize.width(), windowSize.height());

    // Whatever the command line named, the running window keeps its
    // settings in Vanemark.ini.
    settingsFileName = std::string(kFileName);
    ProfileFile profile = settings::OpenSettings(settingsFileName);
    // The bars take the instrument colour, so the colours come before the layout.
    panel->SetColours(ReadColours(profile));
    panel->LoadLayout(profile.GetString(kSection, kLayoutFileKey, kLayoutFileDefault, kTextBuffer));
    DeleteStaleLog();
    demo = options.forceDemo || profile.GetInt(kSection, kDemoKey, 0) != 0;
    client.LoadKeys(profile.GetString(kSection, kKeyFileKey, kKeyFileDefault, kTextBuffer));
    interval = NormaliseStartupInterval(profile.GetInt(kSection, kIntervalKey, kIntervalDefault));
    StartClient(profile);

    showTitle = false;
    panel->SetShowTitle(false);
    panel->SetFont(QString::fromStdString(fontName), fontSize);
    PlaceFromPosition(profile);
    return true;
}

void CVanemarkDlg::DeleteStaleLog() const
{
    namespace fs = std::filesystem;
    const fs::path log = settings::LogFileNameFor(settingsFileName);
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(log, ec))) {
        return;
    }
    // Nothing writes this file any more; a leftover one that cannot be
    // removed is only worth a note.
    if (!fs::remove(log, ec) && ec && options.verbose) {
        std::fprintf(stderr, "vanemark: cannot delete %s: %s\n", log.string().c_str(), ec.message().c_str());
    }
}

void CVanemarkDlg::StartClient(ProfileFile& profile)
{
    using namespace settings;
    const ServerSetting server = ParseServer(profile.GetString(kSection, kServerKey, kServerDefault, kTextBuffer));

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
        [this](int linkEvent, std::uint32_t generation) {
            // A burst of key-22 fields must not flood the window: one title
            // event per link generation waits at a time, and it reads the
            // latest text when it runs.
            if (linkEvent == DeviceLinkClient::Key22Received &&
                pendingTitle.exchange(PendingTitleMark(generation)) == PendingTitleMark(generation)) {
                return;
            }
            QCoreApplication::postEvent(this, new LinkEvent(linkEvent, generation));
        },
        kAllLinkEvents);
    client.SetHeartbeatId(kHeartbeatKey);
    client.SetAutoRequest(true);

    // The stored local address is kept for the settings page; the socket
    // binds to any interface, as it always has.
    if (client.Start(server.host, server.port) != 0) {
        std::fprintf(stderr, "vanemark: cannot use DeviceLink server %s port %d; the panel runs without a connection\n",
                     server.host.c_str(), static_cast<int>(server.port));
    }
    for (const LinkKey& key : kSubscribedKeys) {
        client.SubscribeKey(key.id, interval);
    }
}

ScreenRect CVanemarkDlg::DesktopAt(const QPoint& globalPos) const
{
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (screen == nullptr && isVisible()) {
        screen = this->screen();
    }
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        constexpr auto big = std::numeric_limits<std::int32_t>::max() / 2;
        return {0, 0, big, big};
    }
    return ToScreenRect(screen->geometry());
}

void CVanemarkDlg::PlaceFromPosition(ProfileFile& profile)
{
    using namespace settings;
    const StoredPosition stored =
        ParsePosition(profile.GetString(kSection, kPositionKey, kPositionDefault, kTextBuffer));
    const ScreenRect r = PlaceWindow(stored.left, stored.top, windowSize.width(), windowSize.height(),
                                     panel->MinimumWidth(), panel->LineHeight(), DesktopAt({stored.left, stored.top}));
    setFixedSize(r.Width(), r.Height());
    setGeometry(r.left, r.top, r.Width(), r.Height());
}
void CVanemarkDlg::SetInterval(std::int32_t milliseconds)
{
    if (milliseconds == interval) {
        return;
    }
    interval = settings::NormaliseRuntimeInterval(milliseconds);
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
    panel->SetShowTitle(show);
    panel->Refresh();
}

PanelColours CVanemarkDlg::Colours() const
{
    return panel->Colours();
}

void CVanemarkDlg::SetColours(const PanelColours& colours)
{
    panel->SetColours(colours);
    panel->Refresh();
}
void CVanemarkDlg::StopClient()
{
    client.Stop();
    if (cycleEntry != nullptr) {
        client.RemoveTimerCallback(cycleEntry);
    }
    if (sinkEntry != nullptr) {
        client.RemoveEventSink(sinkEntry);
    }
    cycleEntry = nullptr;
    sinkEntry = nullptr;
}

void CVanemarkDlg::SavePosition()
{
    // A snapshot run leaves the user's settings alone.
    if (options.snapshotPath) {
        return;
    }
    const QRect g = geometry();
    const settings::StoredPosition position{g.top(), g.top() + g.height(), g.left(), g.left() + g.width()};
    ProfileFile profile = settings::OpenSettings(settingsFileName);
    if (profile.WriteString(settings::kSection, settings::kPositionKey, settings::FormatPosition(position)) != 0) {
        std::fprintf(stderr, "vanemark: cannot save the window position to %s\n", settingsFileName.c_str());
    }
}

void CVanemarkDlg::RunExitSequence()
{
    if (exitDone) {
        return;
    }
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
