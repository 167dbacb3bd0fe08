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

} // namespace vanemark
