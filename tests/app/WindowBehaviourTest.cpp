#include "AppTestSupport.h"

#include "app/CVanemarkDlg.h"
#include "panel/CPanelCtrl.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vanemark;
using vanemark::test::SettingsValue;
using vanemark::test::WorkFolder;

namespace {

// A closed local port, so that the windows of these tests talk to nobody.
const std::string kNowhere = "server=9 127.0.0.1\n";

QRect ScreenGeometry()
{
    return QGuiApplication::primaryScreen()->geometry();
}

// Sends one mouse event at a screen position, as the window system would.
void SendMouse(QWidget& w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint global)
{
    QMouseEvent event(type, QPointF(global - w.geometry().topLeft()), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

} // namespace

TEST(WindowStartup, SettingsAreNormalisedAndTheStaleLogGoes)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    struct Case {
        std::string interval;
        int expected;
    };
    for (const Case& c : {Case{"10", 25}, Case{"510", 500}, Case{"20000", 10000}, Case{"-30", 25}}) {
        folder.Write("Vanemark.ini", "[settings]\ninterval=" + c.interval + "\n" + kNowhere);
        CVanemarkDlg window;
        window.OnInitDialog();
        EXPECT_EQ(window.Interval(), c.expected) << c.interval;
    }

    for (const auto& [server, port, host] :
         {std::tuple{"21101", 21101, "127.0.0.1"}, std::tuple{"21102,127.0.0.2", 21102, "127.0.0.2"},
          std::tuple{"abc", 0, "127.0.0.1"}}) {
        folder.Write("Vanemark.ini", std::string("[settings]\nserver=") + server + "\n");
        CVanemarkDlg window;
        window.OnInitDialog();
        EXPECT_EQ(window.ServerPort(), port) << server;
        EXPECT_EQ(window.ServerHost(), host) << server;
    }

    folder.Write("Vanemark.log", "old diagnostics\n");
    folder.Write("Vanemark.ini", "[settings]\n" + kNowhere);
    {
        CVanemarkDlg window;
        window.OnInitDialog();
        EXPECT_FALSE(QFile::exists(folder.Path("Vanemark.log")));
        EXPECT_FALSE(window.DemoMode());
        EXPECT_EQ(window.PanelFontName(), "Courier New");
        EXPECT_EQ(window.PanelFontSize(), 8);
        EXPECT_FALSE(window.ShowTitle());
        EXPECT_EQ(window.Panel().showTitle, 0);
    }
}

TEST(WindowStartup, WithoutFilesTheDefaultsApply)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    CVanemarkDlg window;
    window.OnInitDialog();
    EXPECT_EQ(window.Interval(), 500);
    EXPECT_EQ(window.ServerPort(), 21100);
    EXPECT_EQ(window.ServerHost(), "127.0.0.1");
    EXPECT_EQ(window.size(), QSize(140, 140));
    EXPECT_EQ(window.geometry().topLeft(), ScreenGeometry().topLeft());
    // Start-up reads, never writes.
    EXPECT_FALSE(QFile::exists(folder.Path("Vanemark.ini")));
}

TEST(WindowStartup, CommandLineFileOnlyChoosesTheLayout)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    folder.Write("other.ini", "[settings]\npilot cfg=wide.cfg\ninterval=75\n");
    folder.Write("wide.cfg", "[window]\ncx=210\ncy=90\n");
    folder.Write("Vanemark.ini", "[settings]\ninterval=250\n" + kNowhere);
    LaunchOptions options;
    options.settingsFile = "other.ini";
    CVanemarkDlg window(options);
    window.OnInitDialog();
    EXPECT_EQ(window.size(), QSize(210, 90));
    EXPECT_EQ(window.Interval(), 250);
    EXPECT_EQ(window.SettingsPath(), "Vanemark.ini");

    // A file that cannot be read falls back to Vanemark.ini for the layout too.
    std::string used;
    EXPECT_EQ(CVanemarkDlg::PreWindowSize("missing.ini", &used), QSize(140, 140));
    EXPECT_EQ(used, "Vanemark.ini");
}

TEST(WindowPlacement, StoredPositionIsPulledBackAtRightAndBottomOnly)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    const QRect screen = ScreenGeometry();
    folder.Write("Vanemark.ini", "[settings]\nposition=20 0 5000 0\n" + kNowhere);
    {
        CVanemarkDlg window;
        window.OnInitDialog();
        EXPECT_EQ(window.geometry(), QRect(screen.right() + 1 - 140, 20, 140, 140));
    }
    folder.Write("Vanemark.ini", "[settings]\nposition=-15 0 -40 0\n" + kNowhere);
    {
        CVanemarkDlg window;
        window.OnInitDialog();
        EXPECT_EQ(window.geometry().topLeft(), QPoint(-40, -15));
    }
    folder.Write("Vanemark.ini", "[settings]\nposition=9999 0 10 0\n" + kNowhere);
    {
        CVanemarkDlg window;
        window.OnInitDialog();
        EXPECT_EQ(window.geometry().bottom() + 1, screen.bottom() + 1);
        EXPECT_EQ(window.geometry().left(), 10);
        // Fixed size: the user cannot resize it.
        EXPECT_EQ(window.minimumSize(), window.maximumSize());
    }
    // A layout too small for the panel font still gives a usable window.
    folder.Write("Vanemark.ini", "[settings]\npilot cfg=tiny.cfg\n" + kNowhere);
    folder.Write("tiny.cfg", "[window]\ncx=2\ncy=1\n");
    {
        CVanemarkDlg window;
        window.OnInitDialog();
        ASSERT_GT(window.Panel().MinimumWidth(), 2);
        ASSERT_GT(window.Panel().LineHeight(), 1);
        EXPECT_EQ(window.size(), QSize(window.Panel().MinimumWidth(), window.Panel().LineHeight()));
    }
}

TEST(WindowBehaviour, DragSnapsToTheScreenEdges)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    folder.Write("Vanemark.ini", "[settings]\nposition=200 0 200 0\n" + kNowhere);
    CVanemarkDlg window;
    window.OnInitDialog();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect screen = ScreenGeometry();
    const QPoint grab = window.geometry().topLeft() + QPoint(30, 20);

    auto dragTo = [&](QPoint cursor) {
        SendMouse(window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, cursor);
        QCoreApplication::processEvents();
        return window.geometry();
    };
    SendMouse(window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, grab);
    EXPECT_EQ(dragTo(QPoint(330, 320)).topLeft(), QPoint(300, 300));
    EXPECT_EQ(dragTo(QPoint(screen.left() + 9 + 30, 320)).left(), screen.left());
    EXPECT_EQ(dragTo(QPoint(screen.left() + 10 + 30, 320)).left(), screen.left() + 10);
    EXPECT_EQ(dragTo(QPoint(330, screen.top() + 9 + 20)).top(), screen.top());
    EXPECT_EQ(dragTo(QPoint(330, screen.top() + 10 + 20)).top(), screen.top() + 10);
    // Right edge 9 px short of the screen's right edge snaps; 10 px does not.
    const int width = window.width();
    EXPECT_EQ(dragTo(QPoint(screen.right() + 1 - 9 - width + 30, 320)).right() + 1, screen.right() + 1);
    EXPECT_EQ(dragTo(QPoint(screen.right() + 1 - 10 - width + 30, 320)).right() + 1, screen.right() + 1 - 10);
    const int height = window.height();
    EXPECT_EQ(dragTo(QPoint(330, screen.bottom() + 1 - 5 - height + 20)).bottom() + 1, screen.bottom() + 1);
    SendMouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, window.geometry().topLeft());
    // Without a pressed button the window stays put.
    const QRect before = window.geometry();
    EXPECT_EQ(dragTo(QPoint(400, 400)), before);
    window.RunExitSequence();
}

TEST(WindowBehaviour, EnterEndsEscapeDoesNot)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    folder.Write("Vanemark.ini", "[settings]\nposition=100 0 40 0\n" + kNowhere);
    folder.CopyShippedFiles();
    CVanemarkDlg window;
    window.OnInitDialog();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy finished(&window, &CVanemarkDlg::finished);

    QTest::keyClick(&window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.ExitDone());
    EXPECT_TRUE(window.Client().IsStarted());

    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.ExitDone());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(SettingsValue(folder, "position"), "100 182 40 318");
}

TEST(WindowBehaviour, CloseBoxEndsOnlyWhenTheTitleIsShown)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    folder.Write("Vanemark.ini", "[settings]\nposition=50 0 60 0\n" + kNowhere);
    CVanemarkDlg window;
    window.OnInitDialog();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint closeBox = window.geometry().topRight() + QPoint(-5, 5);

    // Hidden title strip: the corner is just a drag handle.
    SendMouse(window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, closeBox);
    SendMouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, closeBox);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.ExitDone());

    window.SetShowTitle(true);
    EXPECT_EQ(window.Panel().showTitle, 1);
    ASSERT_EQ(window.Panel().HitTestClose(closeBox), CPanelCtrl::closeHitCode);
    SendMouse(window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, closeBox);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.ExitDone(); }, 2000));
    EXPECT_EQ(SettingsValue(folder, "position"), "50 190 60 200");
}

TEST(WindowBehaviour, SetIntervalAndTheSettingsDialog)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    folder.Write("Vanemark.ini", "[settings]\n" + kNowhere);
    CVanemarkDlg window;
    window.OnInitDialog();
    window.show();
    ASSERT_EQ(window.Interval(), 500);
    window.SetInterval(30);
    EXPECT_EQ(window.Interval(), 25);
    window.SetInterval(20000);
    EXPECT_EQ(window.Interval(), 20000);
    window.SetInterval(20000);
    EXPECT_EQ(window.Interval(), 20000);
    window.SetInterval(130);
    EXPECT_EQ(window.Interval(), 125);

    window.SetPanelFont("Liberation Sans", 11);
    EXPECT_EQ(window.PanelFontName(), "Liberation Sans");
    EXPECT_EQ(window.Panel().FontSize(), 11);

    // "Settings" opens the modal settings dialog; the window stays alive meanwhile.
    bool sawDialog = false;
    QTimer::singleShot(10, [&] {
        QMenu* menu = window.ContextMenu();
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().constFirst());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    std::function<void()> closeDialog = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            sawDialog = dialog->windowTitle().contains(QLatin1String("Vanemark Settings"));
            dialog->reject();
            return;
        }
        QTimer::singleShot(20, closeDialog);
    };
    QTimer::singleShot(50, closeDialog);
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(window.ExitDone());
    window.RunExitSequence();
}

namespace {

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& w) { w.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

} // namespace

TEST(WindowBehaviour, OnlyCyclesThatChangeSomethingRedraw)
{
    WorkFolder folder;
    ASSERT_TRUE(folder.IsValid());
    folder.CopyShippedFiles();
    // Nobody answers: after the first cycle every value stays as it is.
    folder.Write("Vanemark.ini", "[settings]\ninterval=25\n" + kNowhere);
    {
        CVanemarkDlg window;
        window.OnInitDialog();
        PaintCounter counter(window.Panel());
        window.show();
        QTest::qWait(500);
        EXPECT_GE(counter.paints, 1);
        EXPECT_LE(counter.paints, 4);
        EXPECT_DOUBLE_EQ(window.Panel().flaps, 0.0); // the cycles did run
        window.RunExitSequence();
    }
    folder.Write("Vanemark.ini", "[settings]\ninterval=25\ndemo=1\n" + kNowhere);
    {
        CVanemarkDlg window;
        window.OnInitDialog();
        PaintCounter counter(window.Panel());
        window.show();
        QTest::qWait(500);
        EXPECT_GE(counter.paints, 8);
        window.RunExitSequence();
    }
}
