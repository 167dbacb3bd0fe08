#include "app/AircraftOutput.h"

namespace vanemark {

void AircraftOutput::Take(const Frame& frame, std::uint32_t /*nowMs*/)
{
    std::string next = aircraft;
    if (!frame.live) {
        next.clear();
    } else if (frame.aircraft && frame.aircraft->size() >= 2) {
        next = *frame.aircraft;
    }
    if (next != aircraft) {
        aircraft = std::move(next);
        changed(aircraft);
    }
}

} // namespace vanemark
