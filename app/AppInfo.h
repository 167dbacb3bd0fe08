#pragma once

#include "config/Version.h"

#include <QtGlobal>

#include <string_view>

namespace vanemark {

inline constexpr std::string_view kSocketsFailedText =
    QT_TRANSLATE_NOOP("vanemark", "Windows sockets initialization failed.");

} // namespace vanemark
