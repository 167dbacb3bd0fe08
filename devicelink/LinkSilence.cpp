#include "devicelink/LinkSilence.h"

#include <algorithm>

namespace vanemark {

LinkSilence ClassifySilence(std::span<const std::int32_t> polled, std::span<const std::int32_t> silent, bool connected)
{
    if (!connected || silent.empty()) {
        return LinkSilence::None;
    }
    if (silent.size() == polled.size()) {
        return LinkSilence::NotInCockpit;
    }
    const auto flight = std::ranges::count_if(polled, IsFlightKey);
    const bool onlyFlight = std::ranges::all_of(silent, IsFlightKey);
    return onlyFlight && std::ranges::count_if(silent, IsFlightKey) == flight ? LinkSilence::FlightKeys
                                                                              : LinkSilence::SomeKeys;
}

} // namespace vanemark
