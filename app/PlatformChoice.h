#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vanemark {

// Which Qt platform plugin to ask for before the application object exists,
// or nothing to keep Qt's own choice. A platform the user set through
// QT_QPA_PLATFORM always wins. On a Wayland desktop the X11 plugin is used
// through XWayland, because Wayland does not let a program place or raise
// its own window. Without any display a snapshot still works offscreen.
std::optional<std::string> ChoosePlatform(const std::function<std::string(std::string_view)>& environment,
                                          bool snapshotOnly);

// Sets QT_QPA_PLATFORM to ChoosePlatform's answer for this process's
// environment, where Qt has more than one desktop platform to pick from (the
// X11 and Wayland systems); elsewhere Qt's one choice stays.
void ApplyPlatformChoice(bool snapshotOnly);

// Asks Qt's X11 plugin to send each frame as plain image data rather than
// through shared memory. A QT_XCB_NO_MIT_SHM of the user's stays, except
// that "0" (which Qt alone would read as "off" too) asks for shared memory.
// For a window this small the shared-memory round trip of every frame costs
// the program and the X server together more than the pixels themselves.
// Other platforms never read the variable.
void PreferPlainImageTransfer();

} // namespace vanemark
