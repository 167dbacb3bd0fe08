#pragma once

#include "FuzzCheck.h"
#include "simfeeds/SimReading.h"

#include <cmath>
#include <cstdint>
#include <span>
#include <string_view>

namespace vanemark {

// What any simulator's reader may leave for the panel: each value absent or
// finite, the controls within -1 ... 1, the name short and printable.
inline void CheckReading(const SimReading& reading)
{
    for (std::size_t i = 0; i < kReadingCount; ++i) {
        const double value = reading.values[i];
        const auto which = static_cast<Reading>(i);
        const bool free = which == Reading::Speed || which == Reading::Bank || which == Reading::Pitch;
        FUZZ_CHECK(std::isnan(value) || (std::isfinite(value) && (free || std::fabs(value) <= 1.0)));
    }
    if (reading.aircraft) {
        FUZZ_CHECK(reading.aircraft->size() <= 255);
        for (const char c : *reading.aircraft) {
            FUZZ_CHECK(c >= 0x20 && c < 0x7F);
        }
    }
}

// A datagram that was not taken left the reading as it was.
inline void CheckUnchangedUnlessTaken(Verdict verdict, const SimReading& before, const SimReading& after)
{
    if (verdict == Verdict::Taken || verdict == Verdict::BadValue) {
        return;
    }
    for (std::size_t i = 0; i < kReadingCount; ++i) {
        FUZZ_CHECK((std::isnan(before.values[i]) && std::isnan(after.values[i])) ||
                   before.values[i] == after.values[i]);
    }
    FUZZ_CHECK(before.aircraft == after.aircraft);
}

// Splits the input at "\n--\n" into datagrams and reads each in turn into
// one reading with `read`, checking after each what every reader promises.
template <typename Read> void ReadEachDatagram(const std::uint8_t* data, std::size_t size, Read read)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    SimReading reading;
    while (true) {
        const auto cut = input.find("\n--\n");
        const std::string_view part = input.substr(0, cut);
        const SimReading before = reading;
        const Verdict verdict =
            read(std::span(reinterpret_cast<const std::uint8_t*>(part.data()), part.size()), reading);
        CheckUnchangedUnlessTaken(verdict, before, reading);
        CheckReading(reading);
        if (cut == std::string_view::npos) {
            return;
        }
        input.remove_prefix(cut + 4);
    }
}

} // namespace vanemark
