#pragma once

#include "app/Frame.h"
#include "config/HandBindings.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace vanemark {

class JoystickSource;

// The pilot's own hand, read from the joysticks. It runs after the feed of
// the simulator (or the demo) and adds to that frame: the hand's reading of
// every bound control, and per control what its origin asks for. Joystick
// puts the hand in the value's place; both keeps the simulator's value and
// marks the hand beside it, or puts the hand in its place while the
// simulator says nothing. Speed, flaps, attitude and the aircraft are the
// simulator's alone. A frame with a connected device in it is live.
//
// With no axis bound the joysticks are not read at all: SDL is not started.
class JoystickFeed final : public Feed {
public:
    JoystickFeed();
    ~JoystickFeed() override;
    JoystickFeed(const JoystickFeed&) = delete;
    JoystickFeed& operator=(const JoystickFeed&) = delete;

    // Starts reading when an axis is bound, stops when none is. A reader
    // that cannot start leaves the feed inactive, with the reason in
    // StartError().
    void SetBindings(const settings::HandBindings& hands);
    const settings::HandBindings& Bindings() const { return bindings; }
    bool Active() const { return source != nullptr; }
    const std::string& StartError() const { return startError; }

    void Fill(Frame& frame, std::uint32_t msSincePreviousCycle) override;

    // The bound devices that are not attached, as of the last Fill.
    const std::vector<std::string>& MissingDevices() const { return missing; }
    // The joysticks in words for the tooltip and the tray; empty when none is bound.
    QString StatusText() const;

private:
    settings::HandBindings bindings;
    std::unique_ptr<JoystickSource> source;
    std::string startError;
    std::vector<std::string> missing;
};

} // namespace vanemark
