// The stand-ins for IL-2 Great Battles, X-Plane, FlightGear and War Thunder: their payloads decoded
// by hand at the documented offsets, and two of them over real sockets.
#include "tools/SimEncoders.h"
#include "tools/WarThunderSim.h"
#include "tools/XPlaneSim.h"

#include "../devicelink/LoopbackServer.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

namespace vanemark {
namespace {

using Found = std::optional<double>;
constexpr double kNaN = FlightMoment::kNone;

template <typename T> T Get(const std::string& bytes, std::size_t at)
{
    T value{};
    std::memcpy(&value, bytes.substr(at, sizeof(T)).append(sizeof(T), '\0').data(), sizeof(T));
    return value;
}

// The first value of indicator `id`, the packet's size checked.
Found Indicator(const std::string& packet, std::uint16_t id)
{
    Found found = Get<std::uint16_t>(packet, 4) == packet.size() ? Found() : Found(-1e9);
    for (std::size_t i = 0, at = 11; i < Get<std::uint8_t>(packet, 10); ++i, at += 3 + 4 * packet[at + 2]) {
        found = Get<std::uint16_t>(packet, at) == id ? Found(Get<float>(packet, at + 3)) : found;
    }
    return found;
}

Found Field(const std::string& line, int field)
{
    std::size_t at = 0;
    for (int i = 0; i < field; ++i) {
        at = line.find(',', at) + 1;
    }
    const std::string text = line.substr(at, line.find_first_of(",\n", at) - at);
    return text.empty() ? Found() : Found(std::stod(text));
}

Found Pair(const std::string& reply, std::int32_t index)
{
    Found found;
    for (std::size_t at = 5; at + 8 <= reply.size(); at += 8) {
        found = Get<std::int32_t>(reply, at) == index ? Found(Get<float>(reply, at + 4)) : found;
    }
    return found;
}

Found Json(const std::string& text, const std::string& key)
{
    const std::size_t at = text.find("\"" + key + "\": ");
    return at == text.npos ? Found() : Found(std::stod(text.substr(at + key.size() + 4)));
}

std::shared_ptr<const FlightReplay> Recording(bool loop) // no flaps nor brakes
{
    FlightSample row{0, {321.25, 0.5, kNaN, -0.25, 0.75, 12.5, -3.75, 0.25, -0.5, kNaN, 0.1, -0.2, 0.3}, "Biplane"};
    return std::make_shared<FlightReplay>(std::vector{row}, loop, 1.0);
}

// Each row undoes one simulator's units: speed km/h, flaps, bank, pitch, stickY, brakes, the name's second byte.
TEST(StandIns, EachPayloadDecodesToTheFlightsValuesAndLeavesGapsOut)
{
    const Found none(kNaN); // not carried
    const auto times = [](Found found, double factor) { return found ? Found(*found * factor) : found; };
    for (const FlightMoment& m : {StandInFlight().At(12.3), StandInFlight(Recording(true)).At(0.5)}) {
        const std::string motion = sim::Il2Motion(m, 7), telemetry = sim::Il2Telemetry(m, 7, true);
        const std::string line = sim::FlightGearLine(m), state = sim::WarThunderState(m, true);
        const std::string horizon = sim::WarThunderIndicators(m, true), xp = "sim/cockpit2/controls/";
        const auto ref = [&](const std::string& path) { return Found(sim::XPlaneValue(m, path)); };
        const double rad = std::numbers::pi / 180.0, flaps = (m.flaps + 1) / 2, brakes = (m.brakes + 1) / 2;
        const std::array<Found, 7> rows[] = {
            {times(Indicator(telemetry, 6), 3.6), Indicator(telemetry, 11), Get<float>(motion, 16) / rad,
             Get<float>(motion, 12) / rad, none, Indicator(telemetry, 12), none},
            {times(Field(line, 11), 1.852), Field(line, 3), Field(line, 12), Field(line, 13), times(Field(line, 1), -1),
             Field(line, 9), none},
            {times(ref("sim/flightmodel/position/indicated_airspeed"), 1.852), ref(xp + "flap_ratio"),
             ref("sim/flightmodel/position/phi"), ref("sim/flightmodel/position/theta"),
             ref("sim/joystick/yoke_pitch_ratio"), ref(xp + "right_brake_ratio"),
             ref("sim/aircraft/view/acf_ui_name[1]")},
            {Json(state, "IAS, km/h"), times(Json(state, "flaps, %"), 0.01), Json(horizon, "aviahorizon_roll"),
             Json(horizon, "aviahorizon_pitch"), times(Json(state, "elevator, %"), 0.01), none, none}};
        const double want[] = {m.speedKmh, flaps, m.bank, m.pitch, m.stickY, brakes, double(m.aircraft[1])};
        for (std::size_t row = 0; row < std::size(rows); ++row) {
            for (std::size_t i = 0; i < std::size(want); ++i) {
                const Found& got = rows[row][i];
                EXPECT_TRUE(got ? std::isnan(*got) || std::abs(*got - want[i]) < 0.01 : std::isnan(want[i]))
                    << row << " " << i << " " << m.aircraft;
            }
        }
        // The last event: one SET_FOCUS (type 0) of the name and its 0 byte.
        const std::size_t event = telemetry.size() - m.aircraft.size() - 6;
        EXPECT_EQ(std::tuple(Get<std::uint32_t>(motion, 0), motion.size(), telemetry.substr(event),
                             line.substr(line.rfind(',') + 1)),
                  std::tuple(sim::kIl2MotionId, sim::kIl2MotionSize,
                             std::string("\1\0\0", 3) + char(m.aircraft.size() + 1) + '\0' + m.aircraft + '\0',
                             m.aircraft + "\n"));
    }
    std::vector<std::pair<std::int32_t, float>> pairs;
    for (std::int32_t i = 0; i < 600; ++i) {
        pairs.emplace_back(i, 0.5F * static_cast<float>(i));
    }
    const auto split = sim::XPlaneReplies(pairs, '\0'); // 511 pairs fill 4093 bytes
    EXPECT_EQ(
        std::tuple(split.size(), split[0].size(), split[1].substr(0, 5), Pair(split[1], 599), Pair(split[0], 510)),
        std::tuple(2u, 4093u, std::string("RREF\0", 5), Found(299.5), Found(255)));
    EXPECT_EQ(sim::WarThunderState(StandInFlight(Recording(false)).At(5.0), true), "{\"valid\": false}\n");
}

std::string Request(int frequency, std::int32_t index, std::string path)
{
    std::string request("RREF\0", 5);
    request.append(reinterpret_cast<const char*>(&frequency), 4).append(reinterpret_cast<const char*>(&index), 4);
    return request.append(path.append(400 - path.size(), '\0'));
}

TEST(StandIns, XPlaneRepliesToSubscriptionsUntilUnsubscribed)
{
    XPlaneSim sim({.port = 0, .replay = Recording(true)});
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    test::LoopbackServer client;
    const std::string flaps = "sim/cockpit2/controls/flap_ratio", roll = "sim/joystick/yoke_roll_ratio";
    for (const std::string& request : {Request(20, 1, "sim/no/such/ref"), Request(20, 2, flaps).substr(0, 412),
                                       Request(20, 3, flaps), Request(20, 4, roll)}) {
        client.SendTo(sim.Port(), request);
    }
    std::optional<std::string> reply; // the roll alone: the recording has no flaps
    for (int i = 0; i < 20 && !(reply && reply->size() == 13); ++i) {
        reply = client.Receive();
    }
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(std::tuple(reply->substr(0, 5), Pair(*reply, 4), sim.Subscriptions()),
              std::tuple(std::string("RREF,"), Found(0.25F), std::size_t{2}));
    client.SendTo(sim.Port(), Request(0, 3, flaps));
    client.SendTo(sim.Port(), Request(0, 4, roll));
    ASSERT_TRUE(test::WaitUntil([&] { return sim.Subscriptions() == 0; }));
    client.Collect(std::chrono::milliseconds(50)); // sent before
    EXPECT_FALSE(client.Receive(std::chrono::milliseconds(300)).has_value());
}

TEST(StandIns, WarThunderAnswersOverHttp)
{
    WarThunderSim sim({.port = 0, .replay = Recording(true)});
    std::string error;
    ASSERT_EQ(sim.Start(error), 0) << error;
    const auto fetch = [&](const std::string& path) {
        asio::io_context io;
        asio::ip::tcp::socket socket(io);
        socket.connect({asio::ip::make_address_v4("127.0.0.1"), static_cast<unsigned short>(sim.Port())});
        asio::write(socket, asio::buffer("GET " + path + " HTTP/1.1\r\nHost: localhost\r\n\r\n"));
        std::string response;
        std::error_code ec;
        asio::read(socket, asio::dynamic_buffer(response), ec);
        return response;
    };
    const std::string state = fetch("/state"), body = state.substr(state.find("\r\n\r\n") + 4);
    EXPECT_TRUE(state.starts_with("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                                  std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n{"))
        << state;
    EXPECT_EQ(std::tuple(Json(body, "IAS, km/h"), Json(body, "flaps, %"), fetch("/").substr(0, 12)),
              std::tuple(Found(321.25), Found(), std::string("HTTP/1.1 404")));
    sim.SetInBattle(false);
    EXPECT_TRUE(fetch("/indicators").ends_with("\r\n\r\n{\"valid\": false}\n"));
}

} // namespace
} // namespace vanemark
