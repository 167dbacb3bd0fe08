#pragma once

#include "config/HandBindings.h"
#include "panel/PanelValues.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
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
// Every shown value absent (NaN), as while nothing feeds them.
void SetAllAbsent(PanelValues& values);

// Where a value of a frame came from.
enum class FrameSource : std::uint8_t { None, Simulator, Demo, Joystick };

// One cycle of what the outputs show and keep, whichever feed made it: the
// values (NaN where the feed has none), where each came from, the aircraft
// the feed names, and whether the feed is live (a link that is down is not).
// Beside them the pilot's hand: every bound control as the joystick reads it
// (NaN where no axis is bound or its device is away), and the marks the
// panel draws where hand and value are both shown.
struct Frame {
    static constexpr double kNoHand = std::numeric_limits<double>::quiet_NaN();

    PanelValues values;
    std::array<FrameSource, kShownCount> sources{};
    std::optional<std::string> aircraft;
    bool live = false;
    std::array<double, settings::kHandControlCount> hand = NoHand();
    HandMarks marks;

    FrameSource SourceOf(Shown shows) const { return sources[static_cast<std::size_t>(shows)]; }
    double Hand(settings::HandControl control) const { return hand[static_cast<std::size_t>(control)]; }

    static constexpr std::array<double, settings::kHandControlCount> NoHand()
    {
        std::array<double, settings::kHandControlCount> none{};
        none.fill(kNoHand);
        return none;
    }
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
