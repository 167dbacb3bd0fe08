#include "config/SpeedUnit.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

using namespace vanemark::settings;

// The link sends km/h; 100 km/h is 62.14 mph and 53.996 kn, cut toward zero
// like the km/h read-out always was.
TEST(SpeedUnit, ConvertsTruncatesAndSaturates)
{
    for (const auto& [kmh, unit, text] : {std::tuple{250.9, SpeedUnit::Kmh, "250 kmh"},
                                          {-3.7, SpeedUnit::Kmh, "-3 kmh"},
                                          {100.0, SpeedUnit::Mph, "62 mph"},
                                          {-100.0, SpeedUnit::Mph, "-62 mph"},
                                          {100.0, SpeedUnit::Kts, "53 kts"},
                                          {1.852 * 300, SpeedUnit::Kts, "300 kts"},
                                          {1e300, SpeedUnit::Mph, "2147483647 mph"},
                                          {std::numeric_limits<double>::quiet_NaN(), SpeedUnit::Kts, "0 kts"}}) {
        EXPECT_EQ(FormatSpeed(kmh, unit), text) << kmh;
        EXPECT_EQ(ParseSpeedUnit(SpeedUnitName(unit)), unit);
    }
    for (const auto& [stored, unit] :
         {std::pair{"MPH", SpeedUnit::Mph}, {"Kts", SpeedUnit::Kts}, {"knots", SpeedUnit::Kmh}, {"", SpeedUnit::Kmh}}) {
        EXPECT_EQ(ParseSpeedUnit(stored), unit) << stored;
    }
}
