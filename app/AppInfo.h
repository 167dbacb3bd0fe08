#pragma once

#include "config/Version.h"

#include <string_view>

namespace vanemark {

inline constexpr std::string_view kSocketsFailedText = "Windows sockets initialization failed.";

} // namespace vanemark
