#include "app/CVanemarkDlg.h"

#include "app/AppInfo.h"
#include "app/EditMode.h"
#include "app/PanelOutput.h"
#include "app/ProcessPriority.h"
#include "app/QtConversions.h"
#include "app/TrayIcon.h"
#include "app/WebPanelOutput.h"
#include "config/CommandBindings.h"
#include "config/HandBindings.h"
#include "config/IntervalRules.h"
#include "config/OverlaySettings.h"
#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "config/WebPanelSetting.h"
#include "config/WindowPosition.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"
#include "panel/CPanelCtrl.h"
#include "panel/PanelLayout.h"
#include "settings/SaveFailure.h"
#include "timing/HighResTimer.h"
#include "web/WebPanelServer.h"

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
    panelOutput = std::make_unique<PanelOutput>(*panel);
    webOutput = std::make_unique<WebPanelOutput>(*panel);
    connect(&sims, &SimulatorFeed::cycleDue, this, &CVanemarkDlg::OnCycleEvent);
    connect(&sims, &SimulatorFeed::connected, this, &CVanemarkDlg::OnConnected);
    connect(&sims, &SimulatorFeed::disconnected, this, &CVanemarkDlg::OnDisconnected);
    connect(&sims, &SimulatorFeed::quietSecond, this, &CVanemarkDlg::OnQuietSecond);
    ConnectCommands();
}

CVanemarkDlg::~CVanemarkDlg()
{
    exitDone = true; // nothing the feeds say on their way out reaches a window going away
    sims.Stop();
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
    pilotLayout = profile.GetString(kSection, kLayoutFileKey, kLayoutFileDefault, kTextBuffer);
    layoutInUse = pilotLayout;
    panel->LoadLayout(pilotLayout);
    DeleteStaleLog();
    demo = options.forceDemo || profile.GetInt(kSection, kDemoKey, 0) != 0;
    interval = NormaliseStartupInterval(profile.GetInt(kSection, kIntervalKey, kIntervalDefault));
    if (!demo) {
        // Nothing is known until the simulator answers.
        PanelValues values = panel->Values();
        SetAllAbsent(values);
        panel->SetValues(values);
    }
    joysticks.SetBindings(ReadHandBindings(profile));
    if (!joysticks.StartError().empty()) {
        std::fprintf(stderr, "vanemark: cannot read the joysticks: %s\n", joysticks.StartError().c_str());
    }
    commandInput.Apply(ReadCommandBindings(profile));
    for (const QString& problem : commandInput.Problems()) {
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "vanemark: %s\n", problem.toLocal8Bit().constData());
        }
    }
    if (!commandInput.ButtonsError().isEmpty()) {
        std::fprintf(stderr, "vanemark: cannot read the joysticks' buttons: %s\n",
                     commandInput.ButtonsError().toLocal8Bit().constData());
    }
    shown.values = panel->Values();
    settings::WebPanelSetting web = settings::ReadWebPanel(profile);
    if (options.webPort) {
        web.enabled = true;
        web.port = *options.webPort;
    }
    webOutput->SetInterval(interval);
    if (const std::string failure = webOutput->Apply(web); !failure.empty()) {
        std::fprintf(stderr, "vanemark: the web panel is off: %s\n", failure.c_str());
    }
    status.Configure(!demo, options.verbose);
    WireFrames();
    sims.Start(profile, interval, CyclesAlways(), options.verbose);
    if (options.recordPath) {
        recording.Start(*options.recordPath);
    }

    const PanelFontSetting font = ReadPanelFont(profile);
    fontName = font.name;
    fontSize = font.size;
    showTitle = font.showTitle;
    panel->SetShowTitle(showTitle);
    panel->SetFont(QString::fromStdString(fontName), fontSize);
    overlay = ReadOverlaySettings(profile);
    panel->SetSpeedUnit(overlay.speedUnit);
    // Left alone at 100 %, so a window without the key is the window it always was.
    if (overlay.opacity != kOpacityDefault) {
        setWindowOpacity(overlay.opacity / 100.0);
    }
    PlaceFromPosition(profile);
    SetUpTray();
    // Locked with no tray to unlock from would leave the window out of reach.
    if (!options.unlock && ReadLocked(profile) && tray != nullptr) {
        ApplyLock(true);
    }
    UpdateIdleVisibility();
    return true;
}

void CVanemarkDlg::SetUpTray()
{
    if (!TrayAvailable()) {
        return;
    }
    tray = new TrayIcon(windowIcon(), commands, this);
    status.SetTray(tray);
    tray->SetToolTip(status.Text());
    connect(&tray->Menu(), &QMenu::aboutToShow, this, [this] {
        commands.SetRecording(recording.IsRecording());
        commands.SetShown(!userHidden);
    });
}

void CVanemarkDlg::ConnectCommands()
{
    // Queued: a command runs once the menu that chose it has closed, so a
    // dialog it opens is not nested in the menu's own event loop, and a
    // window closed meanwhile runs nothing.
    constexpr auto queued = Qt::QueuedConnection;
    connect(&commands.settings, &QAction::triggered, this, &CVanemarkDlg::OpenSettings, queued);
    connect(
        &commands.lock, &QAction::triggered, this, [this] { SetLocked(!locked); }, queued);
    connect(&commands.record, &QAction::triggered, this, &CVanemarkDlg::ToggleRecording, queued);
    connect(
        &commands.editLayout, &QAction::triggered, this, [this] { SetEditing(true); }, queued);
    connect(
        &commands.showHide, &QAction::triggered, this, [this] { RunCommand(settings::Command::ShowHide); }, queued);
    connect(
        &commands.handMarks, &QAction::triggered, this, [this] { RunCommand(settings::Command::HandMarks); }, queued);
    connect(&commands.exit, &QAction::triggered, this, &CVanemarkDlg::RunExitSequence, queued);
    // Unlocking opens nothing, and the tray hides as soon as it is done.
    connect(&commands.unlock, &QAction::triggered, this, [this] { SetLocked(false); });
}

bool CVanemarkDlg::WebPanelAvailable() const
{
    return WebPanelServer::Available();
}

settings::WebPanelSetting CVanemarkDlg::WebPanel() const
{
    return webOutput->Setting();
}

std::string CVanemarkDlg::SetWebPanel(const settings::WebPanelSetting& web)
{
    return webOutput->Apply(web);
}

std::vector<std::string> CVanemarkDlg::WebPanelUrls() const
{
    return webOutput->Urls();
}

bool CVanemarkDlg::TrayAvailable() const
{
    return TrayIcon::Available();
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

void CVanemarkDlg::OnQuietSecond()
{
    if (exitDone) {
        return;
    }
    // What the cycle keeps current while it runs: the status, the tray and
    // the recording's flush (the frame of a link that is down is not live).
    route.Deliver(shown, static_cast<std::uint32_t>(HighResTimer::Instance().ElapsedMs()));
}

void CVanemarkDlg::FollowCockpit(std::uint32_t nowMs)
{
    if (demo || !overlay.hideIdle || nowMs - cockpitCheckedMs < kCockpitCheckMs) {
        return;
    }
    cockpitCheckedMs = nowMs;
    const bool out = sims.NotInCockpit();
    if (out != notInCockpit) {
        notInCockpit = out;
        UpdateIdleVisibility();
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

std::vector<ScreenRect> CVanemarkDlg::ScreenRects() const
{
    std::vector<ScreenRect> rects;
    for (const QScreen* screen : QGuiApplication::screens()) {
        rects.push_back(ToScreenRect(screen->geometry()));
    }
    return rects;
}

void CVanemarkDlg::PlaceFromPosition(ProfileFile& profile)
{
    using namespace settings;
    const StoredPosition stored =
        ParsePosition(profile.GetString(kSection, kPositionKey, kPositionDefault, kTextBuffer));
    PlaceAt({stored.left, stored.top});
    // A monitor unplugged since the last run may have taken the window with
    // it: bring it onto the nearest screen that is still there.
    const ScreenRect placed = ToScreenRect(geometry());
    const ScreenRect rescued = RescueWindow(placed, ScreenRects());
    if (!(rescued == placed)) {
        PlaceAt({rescued.left, rescued.top});
    }
}

void CVanemarkDlg::PlaceAt(QPoint topLeft)
{
    const std::int32_t scale = overlay.scale;
    panel->SetScale(scale);
    const ScreenRect r = PlaceWindow(topLeft.x(), topLeft.y(), windowSize.width() * scale, windowSize.height() * scale,
                                     panel->MinimumWidth() * scale, panel->LineHeight() * scale, DesktopAt(topLeft));
    setFixedSize(r.Width(), r.Height());
    setGeometry(r.left, r.top, r.Width(), r.Height());
}
void CVanemarkDlg::SetInterval(std::int32_t milliseconds)
{
    if (milliseconds == interval) {
        return;
    }
    interval = settings::NormaliseRuntimeInterval(milliseconds);
    sims.SetInterval(interval);
    webOutput->SetInterval(interval);
}

settings::Simulator CVanemarkDlg::Simulator() const
{
    return sims.Choice();
}

void CVanemarkDlg::SetSimulator(settings::Simulator simulator)
{
    if (exitDone) {
        return;
    }
    ProfileFile profile;
    if (!settingsFileName.empty()) {
        profile = settings::OpenSettings(settingsFileName);
    }
    sims.Start(profile, interval, CyclesAlways(), options.verbose, simulator);
    UpdateIdleVisibility();
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

void CVanemarkDlg::SetOverlay(const settings::OverlaySettings& value)
{
    settings::OverlaySettings next = value;
    next.scale = settings::ClampScale(next.scale);
    next.opacity = settings::ClampOpacity(next.opacity);
    const bool rescale = next.scale != overlay.scale;
    overlay = next;
    setWindowOpacity(overlay.opacity / 100.0);
    panel->SetSpeedUnit(overlay.speedUnit);
    if (rescale) {
        // The top-left corner stays; a larger window is pulled back at right and bottom.
        PlaceAt(pos());
    }
    panel->Refresh();
    UpdateIdleVisibility();
}

bool CVanemarkDlg::SetLocked(bool lock)
{
    if (lock && tray == nullptr) {
        return false;
    }
    if (lock == locked) {
        return true;
    }
    ApplyLock(lock);
    if (options.snapshotPath) {
        return true;
    }
    ProfileFile file = settings::OpenSettings(settingsFileName);
    ProfileEdit edit(file);
    edit.SetInt(settings::kSection, settings::kLockedKey, lock ? 1 : 0);
    if (edit.Commit() != 0) {
        ShowSaveFailure(nullptr, settingsFileName, edit.Error());
    }
    return true;
}

void CVanemarkDlg::ApplyLock(bool lock)
{
    locked = lock;
    dragging = false;
    // A new window flag recreates the native window hidden; Qt asks for a
    // show() again, and the place must survive it.
    const bool wasWanted = wantVisible;
    const QRect place = geometry();
    setWindowFlag(Qt::WindowTransparentForInput, lock);
    setGeometry(place);
    if (wasWanted) {
        setVisible(true);
    }
    UpdateTray();
}

bool CVanemarkDlg::IdleHidden() const
{
    // The hand on the joysticks is worth showing whatever the simulator does.
    return overlay.hideIdle && !demo && !joysticks.Active() && tray != nullptr && !exitDone &&
           (!sims.IsConnected() || notInCockpit);
}

void CVanemarkDlg::setVisible(bool visible)
{
    wantVisible = visible;
    QWidget::setVisible(visible && !IdleHidden());
    UpdateTray();
}

void CVanemarkDlg::UpdateIdleVisibility()
{
    const bool shown = wantVisible && !IdleHidden();
    if (shown != isVisible()) {
        QWidget::setVisible(shown);
    }
    UpdateTray();
}

void CVanemarkDlg::UpdateTray()
{
    if (tray == nullptr) {
        return;
    }
    commands.unlock.setEnabled(locked);
    commands.SetShown(!userHidden);
    tray->SetVisible(!exitDone && (locked || userHidden || IdleHidden()));
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
    sims.Stop();
    recording.Stop();
    SavePosition();
    UpdateTray();
    Q_EMIT finished(0);
    close();
}

void CVanemarkDlg::FinishSnapshot()
{
    exitDone = true;
    sims.Stop();
    // The recording ends with the run, and a recording the disk refused
    // (its last write included) fails the run: it has been told already.
    recording.Stop();
    const bool recorded = recording.Error().empty();
    UpdateTray();
    const QString path = QString::fromStdString(*options.snapshotPath);
    const bool written = panel->SaveSnapshot(path);
    if (written) {
        std::printf("vanemark: wrote %dx%d panel to %s\n", panel->width(), panel->height(),
                    options.snapshotPath->c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "vanemark: cannot write the snapshot %s\n", options.snapshotPath->c_str());
    }
    Q_EMIT finished(written && recorded ? 0 : 1);
    close();
}

} // namespace vanemark
