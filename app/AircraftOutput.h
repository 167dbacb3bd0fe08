#pragma once

#include "app/FrameOutput.h"

#include <functional>
#include <string>

namespace vanemark {

// Follows the aircraft the frames name, for the window's title and the
// per-aircraft layouts. The simulator repeats the name with every answer,
// so only a new one is told; a one-character name is no name, and a
// silent name keeps the last one. The aircraft is forgotten (told as
// empty) when the frames stop being live.
class AircraftOutput final : public FrameOutput {
public:
    using Changed = std::function<void(const std::string& aircraft)>;
    explicit AircraftOutput(Changed changed) : changed(std::move(changed)) {}

    void Take(const Frame& frame, std::uint32_t nowMs) override;
    const std::string& Aircraft() const { return aircraft; }

private:
    Changed changed;
    std::string aircraft;
};

} // namespace vanemark
