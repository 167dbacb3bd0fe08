#include "AppTestSupport.h"

#include "app/CVanemarkDlg.h"
#include "hotkeys/X11Hotkeys.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using namespace vanemark;
using namespace vanemark::test;

namespace {

// Keys pressed as a keyboard would, through the X server: they go to the
// window that has the focus, or to whoever grabbed them.
void Press(const char* keys)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(keys)}), 0);
}

// Another X client: a window of its own, which it gives the focus, and its
// own grabs.
struct OtherClient {
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> x{xcb_connect(nullptr, nullptr), xcb_disconnect};
    OtherClient()
    {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
        const xcb_window_t window = xcb_generate_id(x.get());
        xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 400, 300, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(x.get(), window);
        xcb_set_input_focus(x.get(), XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        // A round trip: the server has done all of the above once it answers.
        std::free(xcb_get_input_focus_reply(x.get(), xcb_get_input_focus(x.get()), nullptr));
    }
};

} // namespace

// On a real X server, with the game's window (another client) focused: the
// bound combination hides and shows Vanemark, whatever NumLock says, and a
// combination another client holds is reported by name.
TEST(HotkeyWindow, BoundCombinationWorksWhileAnotherClientHasTheFocus)
{
    WorkFolder folder;
    folder.CopyShippedFiles();
    auto window = StartWindow(folder, kNowhere + "show hide hotkey=Ctrl+Alt+H\n", true);
    EXPECT_EQ(window->HotkeysUnavailable(), "");
    EXPECT_EQ(window->CommandProblems()[0], "");
    OtherClient game;

    Press("ctrl+alt+h");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
    Press("Num_Lock");
    Press("ctrl+alt+h");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 5000)) << "with NumLock on";
    Press("Num_Lock");

    X11Hotkeys theirs(game.x.get());
    ASSERT_EQ(theirs.Replace({{7, QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_T)}}),
              std::vector{HotkeyState::Bound});
    settings::CommandBindings bindings = window->Commands();
    bindings.hotkeys[1] = "Ctrl+Alt+T";
    window->SetCommands(bindings);
    EXPECT_EQ(window->CommandProblems()[1], "Ctrl+Alt+T is taken");
    EXPECT_EQ(window->CommandProblems()[0], "") << "still bound";
}
