#pragma once

#include "panel/PanelValues.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vanemark {

// Each value the panel shows.
enum class Shown : std::uint8_t {
    Nothing,
    Speed,
    Flaps,
    Bank,
    Pitch,
    StickX,
    StickY,
    Power,
    Prop,
    Rudder,
    Brakes,
    AileronTrim,
    ElevatorTrim,
    RudderTrim
};
inline constexpr std::size_t kShownCount = static_cast<std::size_t>(Shown::RudderTrim) + 1;

// The panel value of `shows`; nullptr for Shown::Nothing.
double* Slot(PanelValues& values, Shown shows);

// Where a value of a frame came from.
enum class FrameSource : std::uint8_t { None, Simulator, Demo };

// One cycle of what the outputs show and keep, whichever feed made it: the
// values (NaN where the feed has none), where each came from, the aircraft
// the feed names, and whether the feed is live (a link that is down is not).
struct Frame {
    PanelValues values;
    std::array<FrameSource, kShownCount> sources{};
    std::optional<std::string> aircraft;
    bool live = false;

    FrameSource SourceOf(Shown shows) const { return sources[static_cast<std::size_t>(shows)]; }
};

// Gives the frame its values. Each feed is one; the window asks the one in
// use once per cycle.
class Feed {
public:
    virtual ~Feed() = default;
    // This cycle's values into `frame`, each marked with where it came from;
    // what the feed does not give stays as it was.
    virtual void Fill(Frame& frame, std::uint32_t msSincePreviousCycle) = 0;

protected:
    Feed() = default;
    Feed(const Feed&) = default;
    Feed& operator=(const Feed&) = default;
};

} // namespace vanemark
