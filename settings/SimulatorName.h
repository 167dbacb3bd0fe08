#pragma once

#include "config/SimulatorSetting.h"

#include <QString>

namespace vanemark {

// The simulator's name as the pilot knows it, translated: for the General
// page's list and for the status the window shows.
QString SimulatorName(settings::Simulator simulator);

} // namespace vanemark
