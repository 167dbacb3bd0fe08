#include "../support/VirtualJoystick.h"
#include "joystick/AxisLearner.h"
#include "joystick/ButtonLearner.h"
#include "joystick/ButtonPresses.h"
#include "joystick/SdlJoysticks.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace vanemark {
namespace {

using settings::ButtonBinding;
using settings::DeviceId;
using test::VirtualJoystick;

// Devices come and go as the system reports them, and a device plugged in
// again is known by the same id, whatever SDL numbered it this time.
TEST(JoystickTest, ReadsVirtualDevicesThroughHotPlug)
{
    std::string error;
    auto joysticks = SdlJoysticks::Open(&error);
    ASSERT_NE(joysticks, nullptr) << error;
    auto stick = std::make_unique<VirtualJoystick>("Vanemark Test Stick", 3);
    VirtualJoystick pedals("Vanemark Test Pedals", 3, 0x5602);
    ASSERT_TRUE(stick->Attached() && pedals.Attached());
    const DeviceId stickId{stick->Guid(), stick->Name()};
    const DeviceId pedalsId{pedals.Guid(), pedals.Name()};
    EXPECT_EQ(stickId.guid.size(), 32u);
    EXPECT_NE(stickId.guid, pedalsId.guid);

    stick->SetAxis(1, -20000);
    pedals.SetAxis(2, 12345);
    joysticks->Update();
    ASSERT_EQ(joysticks->Devices().size(), 2u);
    EXPECT_EQ(joysticks->Devices()[0].id, stickId);
    EXPECT_EQ(joysticks->Devices()[0].axes, 3);
    EXPECT_EQ(joysticks->Axis(stickId, 1), std::optional<std::int16_t>(-20000));
    EXPECT_EQ(joysticks->Axis(pedalsId, 2), std::optional<std::int16_t>(12345));
    EXPECT_EQ(joysticks->Axis(stickId, 3), std::nullopt) << "no such axis";
    EXPECT_EQ(joysticks->Axis({stickId.guid, "Another Name"}, 1), std::nullopt) << "same kind, other device";

    stick.reset();
    joysticks->Update();
    EXPECT_EQ(joysticks->Axis(stickId, 1), std::nullopt) << "pulled out";
    ASSERT_EQ(joysticks->Devices().size(), 1u);

    VirtualJoystick again("Vanemark Test Stick", 3);
    again.SetAxis(1, 777);
    joysticks->Update();
    EXPECT_EQ(joysticks->Axis(stickId, 1), std::optional<std::int16_t>(777)) << "plugged in again";
}

// A fake source, so that the learner's choice is checked reading by reading.
class ScriptedSource final : public JoystickSource {
public:
    std::map<std::pair<std::string, std::int32_t>, std::int16_t> axes;
    std::vector<JoystickInfo> devices;
    void Update() override {}
    std::vector<JoystickInfo> Devices() const override { return devices; }
    std::optional<std::int16_t> Axis(const DeviceId& device, std::int32_t axis) const override
    {
        const auto it = axes.find({device.guid, axis});
        return it == axes.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<bool> Button(const DeviceId&, std::int32_t) const override { return std::nullopt; }
    std::optional<std::uint8_t> Hat(const DeviceId&, std::int32_t) const override { return std::nullopt; }
};

TEST(JoystickTest, LearnerPicksTheAxisThatSpreadFurthestInTime)
{
    const DeviceId stick{"0300000000000000000000000000a001", "Stick"};
    const DeviceId throttle{"0300000000000000000000000000a002", "Throttle"};
    ScriptedSource source;
    source.devices = {{stick, 2, 0, 0}, {throttle, 1, 0, 0}};
    source.axes = {{{stick.guid, 0}, 100}, {{stick.guid, 1}, -30000}, {{throttle.guid, 0}, 0}};

    AxisLearner learner(1000);
    learner.Watch(source, 1000);
    // The stick's axis 0 trembles, its axis 1 rests off centre (not a move),
    // the throttle travels half its range and back.
    source.axes[{stick.guid, 0}] = 3000;
    source.axes[{throttle.guid, 0}] = 16000;
    learner.Watch(source, 2000);
    EXPECT_EQ(learner.Winner()->device, throttle);
    source.axes[{throttle.guid, 0}] = 0;
    learner.Watch(source, 3000);
    EXPECT_FALSE(learner.Done(3999));
    // Too late: the window has closed.
    source.axes[{stick.guid, 0}] = 32767;
    learner.Watch(source, 4000);
    EXPECT_TRUE(learner.Done(4000));
    const auto winner = learner.Winner();
    ASSERT_TRUE(winner.has_value());
    EXPECT_EQ(winner->device, throttle);
    EXPECT_EQ(winner->axis, 0);
    EXPECT_FALSE(winner->invert);

    AxisLearner still(0);
    source.axes[{throttle.guid, 0}] = 5000;
    still.Watch(source, 0);
    source.axes[{throttle.guid, 0}] = 5000 + AxisLearner::kLeastSpread - 1;
    still.Watch(source, 100);
    EXPECT_FALSE(still.Winner().has_value()) << "a hand resting on a stick is not a move";
}

// A button held when learning starts is the pilot's resting finger, not the
// answer; a hat direction is one. Presses count once however long they are
// held, and only from the moment the watch began.
TEST(JoystickTest, ButtonsAreLearntAndPressedOnTheirEdge)
{
    auto joysticks = SdlJoysticks::Open();
    ASSERT_NE(joysticks, nullptr);
    VirtualJoystick stick("Vanemark Test Stick", 2);
    const DeviceId id{stick.Guid(), stick.Name()};
    stick.SetButton(1, true);
    joysticks->Update();
    ButtonLearner learner(*joysticks);
    EXPECT_EQ(learner.Watch(*joysticks), std::nullopt) << "held from the start";
    stick.SetHat(SDL_HAT_LEFT);
    joysticks->Update();
    EXPECT_EQ(learner.Watch(*joysticks), (ButtonBinding{id, 0, ButtonBinding::Left}));

    const ButtonBinding button{id, 1, ButtonBinding::NoHat};
    const ButtonBinding hatUp{id, 0, ButtonBinding::Up};
    ButtonPresses presses({hatUp, ButtonBinding{}, button});
    using Seen = std::vector<std::size_t>;
    EXPECT_EQ(presses.Watch(*joysticks), Seen{}) << "held when the watch began";
    for (const auto& [down, hat, expected] :
         {std::tuple{false, SDL_HAT_UP | SDL_HAT_LEFT, Seen{0}}, std::tuple{true, SDL_HAT_UP, Seen{2}},
          std::tuple{true, SDL_HAT_UP, Seen{}}, std::tuple{false, SDL_HAT_CENTERED, Seen{}},
          std::tuple{true, SDL_HAT_UP, Seen{0, 2}}}) {
        stick.SetButton(1, down);
        stick.SetHat(static_cast<std::uint8_t>(hat));
        joysticks->Update();
        EXPECT_EQ(presses.Watch(*joysticks), expected);
    }
    EXPECT_EQ(joysticks->Button(id, 4), std::nullopt) << "no such button";
}

} // namespace
} // namespace vanemark
