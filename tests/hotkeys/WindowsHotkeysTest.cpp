#include "hotkeys/WindowsHotkeys.h"

#include <gtest/gtest.h>

namespace vanemark {
namespace {

// Windows itself refuses a combination someone already registered: the
// second program hears that it is taken, and gets it once the first lets go.
TEST(WindowsHotkeys, ASecondRegistrationOfOneCombinationIsTaken)
{
    const QKeyCombination keys(Qt::ControlModifier | Qt::AltModifier, Qt::Key_F9);
    WindowsHotkeys first;
    WindowsHotkeys second;
    EXPECT_EQ(first.Replace({{0, keys}, {1, QKeyCombination(Qt::Key_LaunchMail)}}),
              (std::vector{HotkeyState::Bound, HotkeyState::Unsupported}));
    EXPECT_EQ(second.Replace({{4, keys}}), std::vector{HotkeyState::Taken});
    first.Replace({});
    EXPECT_EQ(second.Replace({{4, keys}}), std::vector{HotkeyState::Bound});
}

} // namespace
} // namespace vanemark
