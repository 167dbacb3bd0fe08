#include "../support/TempDir.h"

#include "config/CommandBindings.h"
#include "config/HandBindings.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "core/ProfileFile.h"

#include <gtest/gtest.h>

namespace vanemark::settings {
namespace {

constexpr std::string_view kGuid = "03000000de280000ff11000001000000";

TEST(HandBindings, AxisTextReadsBackAndAnythingMalformedIsNoAxis)
{
    const struct {
        std::string_view text;
        AxisBinding expected;
    } rows[] = {
        {"03000000de280000ff11000001000000 2 inverted Thrustmaster  T.16000M",
         {{std::string(kGuid), "Thrustmaster  T.16000M"}, 2, true}},
        {"  03000000DE280000FF11000001000000 0 normal", {{std::string(kGuid), ""}, 0, false}},
        {"", {}},
        {"03000000de280000ff1100000100000 2 normal Short guid", {}},
        {"03000000de280000ff11000001000000x 2 normal Long guid", {}},
        {"03000000de280000ff11000001000000 -1 normal Negative", {}},
        {"03000000de280000ff11000001000000 2x normal Axis", {}},
        {"03000000de280000ff11000001000000 2 upside-down Flag", {}},
        {"zz000000de280000ff11000001000000 2 normal Not hex", {}},
    };
    for (const auto& row : rows) {
        const AxisBinding read = ParseAxisBinding(row.text);
        EXPECT_EQ(read, row.expected) << row.text;
        if (read.Bound()) {
            EXPECT_EQ(ParseAxisBinding(AxisBindingText(read)), read) << row.text;
        }
    }
    EXPECT_EQ(AxisBindingText({}), "");
}

TEST(HandBindings, ButtonTextReadsBackAndAnythingMalformedIsNoButton)
{
    const DeviceId stick{std::string(kGuid), "Warthog Stick"};
    const struct {
        std::string_view text;
        ButtonBinding expected;
    } rows[] = {
        {"03000000de280000ff11000001000000 button 12 Warthog Stick", {stick, 12}},
        {"03000000DE280000FF11000001000000 hat 1 left Warthog Stick", {stick, 1, ButtonBinding::Left}},
        {"03000000de280000ff11000001000000 hat 0 Warthog", {}},
        {"03000000de280000ff11000001000000 hat 0 sideways Warthog", {}},
        {"03000000de280000ff11000001000000 key 3 Warthog", {}},
        {"03000000de280000ff11000001000000 button -3 Warthog", {}},
        {"03000000de280000ff11000001000000 button", {}},
    };
    for (const auto& row : rows) {
        const ButtonBinding read = ParseButtonBinding(row.text);
        EXPECT_EQ(read, row.expected) << row.text;
        if (read.Bound()) {
            EXPECT_EQ(ParseButtonBinding(ButtonBindingText(read)), read) << row.text;
        }
    }
}

TEST(HandBindings, FileKeepsEveryControlAndItsOrigin)
{
    const test::TempDir dir;
    const std::string path = dir.Write("Vanemark.ini", "[settings]\r\nhand rudder=nonsense\r\nbrakes from=hands\r\n");
    ProfileFile file(path, kCommentChar, kLineEnd);
    const HandBindings untouched = ReadHandBindings(file);
    EXPECT_FALSE(untouched.AnyBound());
    EXPECT_EQ(untouched, HandBindings{}) << "unreadable keys are the defaults";

    HandBindings hands;
    hands.Axis(HandControl::Rudder) = {{std::string(kGuid), "Pedals"}, 2, false};
    hands.Axis(HandControl::ElevatorTrim) = {{std::string(kGuid), "Trim wheel"}, 5, true};
    hands.origins[static_cast<std::size_t>(HandControl::Rudder)] = HandOrigin::Joystick;
    hands.origins[static_cast<std::size_t>(HandControl::StickX)] = HandOrigin::Simulator;
    ProfileEdit edit(file);
    WriteHandBindings(edit, hands);
    ASSERT_EQ(edit.Commit(), 0) << edit.Error();

    ProfileFile again(path, kCommentChar, kLineEnd);
    EXPECT_EQ(ReadHandBindings(again), hands);
    EXPECT_EQ(again.GetString(kSection, "hand rudder", ""), std::string(kGuid) + " 2 normal Pedals");
    EXPECT_EQ(again.GetString(kSection, "rudder from", ""), "joystick");
}

} // namespace
} // namespace vanemark::settings
