#pragma once

#include "app/Frame.h"
#include "flightlog/FlightColumns.h"

namespace vanemark {

// A frame's values in the recording's column order, which the recording
// and the web panel's values both follow. A column no shown value stands
// for reads 0.
FlightValues ColumnValues(const Frame& frame);

} // namespace vanemark
