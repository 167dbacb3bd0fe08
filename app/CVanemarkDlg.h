#pragma once

#include "app/AircraftOutput.h"
#include "app/CommandInput.h"
#include "app/DemoFeed.h"
#include "app/DeviceLinkFeed.h"
#include "app/FlightRecording.h"
#include "app/FrameRoute.h"
#include "app/JoystickFeed.h"
#include "app/LaunchOptions.h"
#include "app/LinkStatusDisplay.h"
#include "app/SimulatorFeed.h"
#include "app/WindowCommands.h"
#include "app/WindowGeometry.h"
#include "config/OverlaySettings.h"
#include "settings/SettingsHost.h"

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QMenu;

namespace vanemark {

class CommandMenu;
class CPanelCtrl;
class EditMode;
class PanelOutput;
class WebPanelOutput;
class ProfileFile;
class TrayIcon;

// The main window: a fixed-size, frameless, always-on-top tool window that
// the instrument panel fills, at a whole-factor scale. The whole window is a
// drag handle that snaps to the screen edges; a right click opens the
// context menu. Locked in place it lets every click through, and a tray icon
// takes over its menu; with "hide idle" it hides while the simulator is
// away, or out of the cockpit, unless the pilot's joysticks are shown. Its
// feeds (the simulator's DeviceLink link or the demo, then the joysticks)
// make one frame per cycle, and its outputs (the panel, the aircraft's
// title and layout, the recording, the status) take it; OnInitDialog wires
// them. The link's signals (the cycle, the connection changes) all arrive
// on this window's thread.
class CVanemarkDlg : public QWidget, public SettingsHost {
    Q_OBJECT

public:
    explicit CVanemarkDlg(LaunchOptions launch = {}, QWidget* parent = nullptr);
    ~CVanemarkDlg() override;
    CVanemarkDlg(const CVanemarkDlg&) = delete;
    CVanemarkDlg& operator=(const CVanemarkDlg&) = delete;

    // Reads the settings, loads the layout, starts the feed and places the
    // window; call once before show().
    bool OnInitDialog();

    // One calculation cycle: the feeds make this cycle's frame (the latest
    // values, or the demo's motion, and the hand on the joysticks). Hands it
    // to no output. Returns 0.
    int OnCalc();

    // Stops the feed and saves the position, then closes the window and
    // emits finished(0). Runs once; later calls do nothing.
    void RunExitSequence();
    // Writes "position" without ending anything (session save).
    void SavePosition();
    bool ExitDone() const { return exitDone; }

    // SettingsHost
    std::string SettingsPath() const override { return settingsFileName; }
    std::int32_t Interval() const override { return interval; }
    void SetInterval(std::int32_t milliseconds) override;
    std::string PanelFontName() const override { return fontName; }
    std::int32_t PanelFontSize() const override { return fontSize; }
    void SetPanelFont(const std::string& faceName, std::int32_t pointSize) override;
    bool ShowTitle() const override { return showTitle; }
    void SetShowTitle(bool show) override;
    PanelColours Colours() const override;
    void SetColours(const PanelColours& colours) override;
    settings::OverlaySettings Overlay() const override { return overlay; }
    void SetOverlay(const settings::OverlaySettings& value) override;
    // Asks the desktop; a test may stand in for a desktop with a tray.
    bool TrayAvailable() const override;
    settings::HandBindings Hands() const override { return joysticks.Bindings(); }
    void SetHands(const settings::HandBindings& hands) override;
    bool WebPanelAvailable() const override;
    settings::WebPanelSetting WebPanel() const override;
    std::string SetWebPanel(const settings::WebPanelSetting& web) override;
    std::vector<std::string> WebPanelUrls() const override;
    settings::CommandBindings Commands() const override { return commandInput.Bindings(); }
    void SetCommands(const settings::CommandBindings& bindings) override;
    std::array<std::string, settings::kCommandCount> CommandProblems() const override;
    std::string HotkeysUnavailable() override;
    settings::Simulator Simulator() const override;
    void SetSimulator(settings::Simulator simulator) override;

    // What a key combination, a joystick button or a menu item asks for:
    // the same action with the same state and the same saved keys whichever
    // way it came.
    void RunCommand(settings::Command command);
    // Hidden by "show or hide" (not by "hide idle"): the tray offers the way back.
    bool UserHidden() const { return userHidden; }

    // Locked, the window ignores the mouse (clicks reach whatever lies
    // beneath) and the tray icon offers the way back. Stores key "locked".
    // Refused (false) where there is no tray to unlock from.
    bool SetLocked(bool lock);
    bool Locked() const { return locked; }
    // Hidden because "hide idle" is on and DeviceLink is not connected.
    bool IdleHidden() const;
    // nullptr where the desktop has no tray.
    TrayIcon* Tray() const { return tray; }
    // An idle-hidden window stays hidden when shown; it shows on connect.
    void setVisible(bool visible) override;

    bool DemoMode() const { return demo; }
    const CPanelCtrl& Panel() const { return *panel; }
    // What the last cycle showed, with where each value came from.
    const Frame& LastFrame() const { return shown; }
    DeviceLinkFeed& Link() { return link; }
    const DeviceLinkFeed& Link() const { return link; }
    SimulatorFeed& Simulators() { return sims; }
    const JoystickFeed& Joysticks() const { return joysticks; }
    WebPanelOutput& Web() { return *webOutput; }
    // The layout file the panel shows: the aircraft's own, or the "pilot cfg" one.
    const std::string& LayoutInUse() const { return layoutInUse; }
    // Edit mode: the panel's areas are moved and resized with the mouse.
    // Leaving it with unsaved changes asks whether to save them, and can be refused.
    void SetEditing(bool on);
    bool Editing() const { return editMode != nullptr; }

    // The pop-up menu while it is open (tests drive it), else nullptr.
    QMenu* ContextMenu() const { return contextMenu; }
    const FlightRecording& Recording() const { return recording; }

    // Pre-window step: the settings file names the layout file, whose
    // section "window" gives the window size. An unreadable settings file
    // falls back to Vanemark.ini; the file actually used is returned in *used.
    static QSize PreWindowSize(const std::string& settingsFile, std::string* used = nullptr);

Q_SIGNALS:
    // The window has ended; the process should exit with this code.
    void finished(int exitCode);

protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void DeleteStaleLog() const;
    void PlaceFromPosition(ProfileFile& profile);
    void OnCycleEvent();
    void OnAircraftChanged(const std::string& name);
    void OnConnected();
    void OnDisconnected();
    // The feeds and outputs of each cycle, in their order; once.
    void WireFrames();
    // Cycles run while the link is down where something else is shown.
    bool CyclesAlways() const;
    void ShowContextMenu(const QPoint& globalPos);
    // Shows a menu as the window's own (tests reach it through ContextMenu())
    // and returns the chosen command, to run once the menu has closed.
    std::function<void()> RunMenu(CommandMenu& menu, const QPoint& globalPos);
    void ApplyLock(bool lock);
    void UpdateIdleVisibility();
    void UpdateTray();
    void SetUpTray();
    void ConnectCommands();
    // Sizes the window for the layout at the current scale with its top-left
    // corner at `topLeft`, pulled back inside the screen at right and bottom.
    void PlaceAt(QPoint topLeft);
    std::vector<ScreenRect> ScreenRects() const;
    void OpenSettings();
    // "Record flight..." or "Stop recording", whichever the moment offers.
    void ToggleRecording();
    // Starts recording to a new file in the settings folder, or stops: no dialog.
    void ToggleRecordingQuietly();
    void ToggleShown();
    void SetScale(std::int32_t scale);
    void ToggleHandMarks();
    // Stores one key of section "settings" as the pages do, telling a failure.
    void SaveKey(std::string_view key, std::int32_t value);
    // Once a second while cycles do not run: what they would keep current.
    void OnQuietSecond();
    // Once a second from the cycle, for "hide idle": whether the pilot has
    // left the cockpit, which no event tells.
    void FollowCockpit(std::uint32_t nowMs);
    void FinishSnapshot();
    ScreenRect DesktopAt(const QPoint& globalPos) const;
    // Per-aircraft layouts and edit mode (CVanemarkDlgLayout.cpp).
    // The layout of the aircraft the frames name now, or the pilot's own.
    void FollowAircraft();
    void ShowLayout(const std::string& file);
    void ResizeInPlace();
    void ApplyEdit();
    void CancelEdit();
    bool SaveEdit();
    void SaveEditForAircraft(const std::string& file);
    bool EditMousePress(QMouseEvent* e);
    bool EditMouseMove(QMouseEvent* e);
    bool EditMouseRelease(QMouseEvent* e);
    void ShowEditMenu(const QPoint& globalPos);

    LaunchOptions options;
    std::string settingsFileName;
    QSize windowSize{140, 140};
    bool demo = false;
    std::int32_t interval = 500;
    std::string fontName;
    std::int32_t fontSize = 0;
    bool showTitle = false;
    settings::OverlaySettings overlay;
    bool locked = false;
    // What show() and hide() last asked for; idle hiding keeps it apart from
    // whether the window is on screen.
    bool wantVisible = false;
    bool userHidden = false;

    CPanelCtrl* panel = nullptr; // child widget, owned by Qt
    // Feeds.
    DeviceLinkFeed link;
    SimulatorFeed sims{link}; // DeviceLink (the link above) or another simulator
    DemoFeed demoFeed;
    JoystickFeed joysticks;
    // Outputs.
    std::unique_ptr<PanelOutput> panelOutput;
    std::unique_ptr<WebPanelOutput> webOutput;
    AircraftOutput aircraftOutput{[this](const std::string& name) { OnAircraftChanged(name); }};
    FlightRecording recording{this};
    LinkStatusDisplay status{sims, joysticks, *this};
    FrameRoute route;
    WindowCommands commands;
    CommandInput commandInput{[this](settings::Command command) { RunCommand(command); }};

    // What the last cycle showed, as the feeds made it.
    Frame shown;
    CycleClock cycleClock;
    int cyclesRun = 0;

    QPoint dragOffset;
    bool dragging = false;
    QMenu* contextMenu = nullptr;
    std::string pilotLayout;
    std::string layoutInUse;
    std::unique_ptr<EditMode> editMode;
    TrayIcon* tray = nullptr; // child object, owned by Qt
    bool exitDone = false;

    static constexpr std::uint32_t kCockpitCheckMs = 1000;
    bool notInCockpit = false; // the simulator answers only its clock
    std::uint32_t cockpitCheckedMs = 0;
};

} // namespace vanemark
