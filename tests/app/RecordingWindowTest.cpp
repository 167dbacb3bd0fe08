#include "AppTestSupport.h"

#include "app/AppEvents.h"
#include "app/TrayIcon.h"
#include "flightlog/FlightLogReader.h"
#include "panel/CPanelCtrl.h"
#include "tools/DeviceLinkSim.h"

#include <QHelpEvent>
#include <QMenu>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <set>

using namespace vanemark;
using namespace vanemark::test;

namespace {

std::unique_ptr<CVanemarkDlg> StartRecording(WorkFolder& folder, int port, const std::string& file, bool demo = false)
{
    LaunchOptions options;
    options.recordPath = file;
    options.forceDemo = demo;
    return StartWindow(folder, "server=" + std::to_string(port) + " 127.0.0.1\ninterval=50\n", true, options);
}

void ChooseRecordItem(CVanemarkDlg& window)
{
    QTimer::singleShot(50, &window, [&window] {
        window.ContextMenu()->setActiveAction(Item(window.ContextMenu(), "record"));
        QTest::keyClick(window.ContextMenu(), Qt::Key_Return);
    });
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(20, 20));
}

} // namespace

// A flight recorded through the window off the stand-in server across a
// connection, a loss and a reconnection, then replayed by it into a fresh
// window. The recording holds only what the server sent: each value its
// pinned one or empty, never a zero made up at a connection or a loss, the
// aircraft the server's name or empty, never "0". Every value the second
// window takes comes from the recording, its speed in the recorded order.
TEST(RecordingWindow, RecordsALiveFlightThatReplaysIntoTheWindow)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    DeviceLinkSim live({.port = 0});
    std::string error;
    ASSERT_EQ(live.Start(error), 0) << error;
    live.SetValue(22, "Bf-109G-6/AS");
    const auto pinned = [](std::size_t column) { return 0.25 * static_cast<double>(column + 1); };
    for (std::size_t i = 1; i < kFlightValueColumns.size(); ++i) {
        live.SetValue(kFlightValueColumns[i].id, std::to_string(pinned(i)));
    }
    live.SetValue(30, "100"); // speeds in steps the synthetic flight never shows
    const auto recorder = StartRecording(folder, live.Port(), folder.File("flight.csv"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder->Link().Client().IsConnected(); }, 5000));
    for (const char* speed : {"101", "102"}) {
        QTest::qWait(700);
        live.SetValue(30, speed);
    }
    live.SetSilent(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder->Link().Client().IsConnected(); }, 5000));
    live.SetSilent(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder->Link().Client().IsConnected(); }, 5000));
    QTest::qWait(700);
    ChooseRecordItem(*recorder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder->Recording().IsRecording(); }, 3000));

    std::vector<FlightSample> rows;
    ASSERT_TRUE(ReadFlightLog(folder.File("flight.csv"), rows, error)) << error;
    std::vector<std::set<double>> recorded(kFlightValueColumns.size());
    for (const FlightSample& row : rows) {
        EXPECT_TRUE(row.aircraft.empty() || row.aircraft == "Bf-109G-6/AS") << row.aircraft;
        EXPECT_TRUE(std::ranges::all_of(row.hand, [](double v) { return std::isnan(v); })); // no joystick bound
        for (std::size_t i = 0; i < row.values.size(); ++i) {
            if (!std::isnan(row.values[i])) {
                recorded[i].insert(row.values[i]);
            }
        }
    }
    EXPECT_EQ(recorded[0], (std::set<double>{100.0, 101.0, 102.0}));
    for (std::size_t i = 1; i < recorded.size(); ++i) {
        EXPECT_EQ(recorded[i], std::set<double>{pinned(i)}) << kFlightValueColumns[i].name;
    }
    const auto recording = std::make_shared<FlightReplay>(rows, false, 1.0);
    DeviceLinkSim replay({.port = 0, .replay = recording});
    ASSERT_EQ(replay.Start(error), 0) << error;
    std::vector<double> speeds;
    auto window = StartWindow(folder, "server=" + std::to_string(replay.Port()) + " 127.0.0.1\ninterval=50\n");
    OnEvent(window->Link(), CycleEvent::EventType(), [&] {
        std::array<std::int32_t, kFlightValueColumns.size()> ids{};
        std::ranges::transform(kFlightValueColumns, ids.begin(), &FlightColumn::id);
        std::array<std::optional<double>, ids.size()> values;
        window->Link().Client().ReadKeys(ids, values);
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_TRUE(!values[i] || recorded[i].contains(*values[i])) << kFlightValueColumns[i].name;
        }
        if (values[0] && (speeds.empty() || speeds.back() != *values[0])) {
            speeds.push_back(*values[0]);
        }
    });
    QTest::qWait(static_cast<int>(recording->LengthMs()) + 500);
    EXPECT_EQ(speeds, (std::vector<double>{100.0, 101.0, 102.0}));
}

// A full disk ends the recording with the file's name and the reason; the
// window runs on and offers a new recording.
TEST(RecordingWindow, AWriteFailureStopsTheRecordingOnly)
{
    WorkFolder folder;
    const auto window = StartRecording(folder, 9, "/dev/full", true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Recording().IsRecording(); }, 5000));
    EXPECT_TRUE(window->Recording().Error().starts_with("/dev/full: ")) << window->Recording().Error();
    const PanelValues before = window->Panel().Values();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !(window->Panel().Values() == before); }, 3000));
    QTimer::singleShot(50, window.get(), [&window] {
        EXPECT_EQ(Item(window->ContextMenu(), "record")->text(), "Record flight...");
        window->ContextMenu()->close();
    });
    QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(20, 20));
}

// Live and unanswered, the status on the tray icon and the window's tooltip
// turns into what to check, with our own server port filled in.
TEST(RecordingWindow, StatusSaysWhatToCheckWhenTheSimulatorStaysQuiet)
{
    WorkFolder folder;
    // Without a key table nothing could ever be asked for: the status says so first.
    const auto window = StartWindow<TrayDesktopWindow>(folder, "locked=1\n" + kNowhere, true);
    const TrayIcon& tray = *window->Tray();
    EXPECT_TRUE(tray.ToolTip().startsWith("DeviceLink server 127.0.0.1:9\nKey table dlkeys.ini: no key could be read, "
                                          "so nothing is asked for\nWaiting"))
        << tray.ToolTip().toStdString();
    EXPECT_FALSE(tray.ToolTip().contains("[DeviceLink]"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.ToolTip().contains("[DeviceLink]:\n    port=9\n"); }, 9000));
    window->SetLocked(false);
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), window->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(window.get(), &hover);
    EXPECT_TRUE(QToolTip::text().contains("[DeviceLink]:\n    port=9\n")) << QToolTip::text().toStdString();
}
