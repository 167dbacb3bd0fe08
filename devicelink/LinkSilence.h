#pragma once

#include <cstdint>
#include <span>

namespace vanemark {

// What the keys the simulator has stopped answering say about the pilot. The
// server never tells; it only stops answering what it no longer has.
enum class LinkSilence {
    None,
    SomeKeys,     // a few keys, for reasons of their own
    FlightKeys,   // the flight values (ids 28 to 74) while the controls answer: an online mission
    NotInCockpit, // every polled key while the clock answers: dead, in a gunner's seat, under a parachute
};

// polled and silent: ids, each list ascending; connected: the heartbeat answers.
LinkSilence ClassifySilence(std::span<const std::int32_t> polled, std::span<const std::int32_t> silent, bool connected);

// The ids a network game keeps to itself.
constexpr bool IsFlightKey(std::int32_t id)
{
    return id >= 28 && id <= 74;
}

} // namespace vanemark
