#include "AppTestSupport.h"

#include "app/DeviceLinkFeed.h"
#include "app/SimulatorFeed.h"
#include "config/SettingsFile.h"
#include "tools/UdpPusher.h"
#include "tools/WarThunderSim.h"
#include "tools/XPlaneSim.h"

#include <asio.hpp>

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace vanemark;
using namespace vanemark::test;
using settings::Simulator;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kInterval = 50;

int FreeUdpPort()
{
    asio::io_context io;
    asio::ip::udp::socket probe(io, asio::ip::udp::endpoint(asio::ip::address_v4::loopback(), 0));
    return probe.local_endpoint().port();
}

// One of the simulators with its stand-in flying `row` round and round on
// loopback, and the settings that point Vanemark at it.
struct StandIn {
    std::unique_ptr<UdpPusher> pusher;
    std::unique_ptr<XPlaneSim> xplane;
    std::unique_ptr<WarThunderSim> warThunder;
    std::string settings;

    // A pusher starts only in Start: a name it sends before the port is
    // open would be lost until it sends it again.
    StandIn(Simulator simulator, const FlightSample& row)
    {
        auto replay = std::make_shared<const FlightReplay>(std::vector<FlightSample>{row}, true, 1.0);
        std::string error;
        settings = "simulator=" + std::string(settings::SimulatorWord(simulator)) + "\n";
        if (simulator == Simulator::Il2gb || simulator == Simulator::FlightGear) {
            const int port = FreeUdpPort();
            const bool il2 = simulator == Simulator::Il2gb;
            pusher = std::make_unique<UdpPusher>(UdpPusherOptions{
                .feed = il2 ? PushFeed::Il2 : PushFeed::FlightGear, .port = port, .hz = 50, .replay = replay});
            settings += (il2 ? "il2gb port=" : "flightgear port=") + std::to_string(port) + "\n";
        } else if (simulator == Simulator::XPlane) {
            xplane = std::make_unique<XPlaneSim>(XPlaneSimOptions{.port = 0, .replay = replay});
            EXPECT_EQ(xplane->Start(error), 0) << error;
            settings += "xplane port=" + std::to_string(xplane->Port()) + "\n";
        } else {
            warThunder = std::make_unique<WarThunderSim>(WarThunderSimOptions{.port = 0, .replay = replay});
            EXPECT_EQ(warThunder->Start(error), 0) << error;
            settings += "warthunder port=" + std::to_string(warThunder->Port()) + "\n";
        }
    }
    void Start()
    {
        std::string error;
        if (pusher) {
            EXPECT_EQ(pusher->Start(error), 0) << error;
        }
    }
};

FlightSample Row(FlightValues values, std::string aircraft)
{
    FlightSample row;
    row.values = values;
    row.aircraft = std::move(aircraft);
    return row;
}

// The shown value of a recording's column.
Shown ShownOf(std::int32_t id)
{
    switch (id) {
    case 30:
        return Shown::Speed;
    case 80:
        return Shown::Power;
    case 82:
        return Shown::Flaps;
    case 88:
        return Shown::Rudder;
    case 92:
        return Shown::Prop;
    case 46:
        return Shown::Bank;
    case 48:
        return Shown::Pitch;
    case 84:
        return Shown::StickX;
    case 86:
        return Shown::StickY;
    case 90:
        return Shown::Brakes;
    case 94:
        return Shown::AileronTrim;
    case 96:
        return Shown::ElevatorTrim;
    default:
        return Shown::RudderTrim;
    }
}

bool Near(double got, double want, Shown shows)
{
    if (std::isnan(want) || std::isnan(got)) {
        return std::isnan(want) && std::isnan(got);
    }
    // Floats on the wire, knots printed with two decimals.
    return std::fabs(got - want) <= (shows == Shown::Speed ? 0.02 : 2e-4);
}

} // namespace

// Each simulator's stand-in, speaking its own format over a real socket,
// reaches the panel's values: what its interface carries as flown, the rest
// absent for the joystick to fill, the aircraft named.
TEST(SimulatorFeed, EachStandInReachesThePanelValues)
{
    const std::vector<FlightSample> rows{
        Row({320.0, 0.5, -0.2, 0.3, -0.4, -25.0, 8.0, 0.6, -0.7, -1.0, 0.1, -0.2, 0.05}, "Trainer Mk.II"),
        Row({0.0, -1.0, 1.0, -1.0, 1.0, 170.0, -80.0, -1.0, 1.0, 1.0, kNaN, kNaN, kNaN}, "Fighter Mk.V/2b"),
    };
    const std::vector<Shown> all{Shown::Speed,     Shown::Flaps,  Shown::Bank,        Shown::Pitch,
                                 Shown::StickX,    Shown::StickY, Shown::Power,       Shown::Prop,
                                 Shown::Rudder,    Shown::Brakes, Shown::AileronTrim, Shown::ElevatorTrim,
                                 Shown::RudderTrim};
    const struct {
        Simulator simulator;
        std::vector<Shown> carried;
    } cases[]{
        {Simulator::Il2gb, {Shown::Speed, Shown::Flaps, Shown::Bank, Shown::Pitch}},
        {Simulator::XPlane, all},
        {Simulator::FlightGear, all},
        {Simulator::WarThunder,
         {Shown::Speed, Shown::Flaps, Shown::Bank, Shown::Pitch, Shown::StickX, Shown::StickY, Shown::Power,
          Shown::Rudder}},
    };
    // Every stand-in lives to the end: under Wine, a stand-in whose
    // asynchronous socket is opened after another one's was torn down may
    // never receive.
    std::vector<std::unique_ptr<StandIn>> kept;
    for (const FlightSample& row : rows) {
        for (const auto& [simulator, carried] : cases) {
            SCOPED_TRACE(std::string(settings::SimulatorWord(simulator)) + " flying " + row.aircraft);
            StandIn& standIn = *kept.emplace_back(std::make_unique<StandIn>(simulator, row));
            WorkFolder folder;
            folder.Write("Vanemark.ini", "[settings]\n" + kNowhere + standIn.settings);
            ProfileFile profile = settings::OpenSettings(folder.File("Vanemark.ini"));
            DeviceLinkFeed link;
            SimulatorFeed feed(link);
            feed.Start(profile, kInterval, false, false);
            standIn.Start();

            Frame frame;
            std::string mismatch;
            const bool reached = QTest::qWaitFor(
                [&] {
                    frame = Frame{};
                    feed.Fill(frame, kInterval);
                    mismatch.clear();
                    for (std::size_t i = 0; i < kFlightValueColumns.size(); ++i) {
                        const Shown shows = ShownOf(kFlightValueColumns[i].id);
                        const bool isCarried = std::ranges::find(carried, shows) != carried.end();
                        const double want = isCarried ? row.values[i] : kNaN;
                        const double got = *Slot(frame.values, shows);
                        if (!Near(got, want, shows)) {
                            mismatch += std::string(kFlightValueColumns[i].name) + " " + std::to_string(got) + " not " +
                                        std::to_string(want) + "; ";
                        }
                    }
                    return frame.live && feed.Followed() == simulator && mismatch.empty() &&
                           frame.aircraft == row.aircraft;
                },
                5000);
            EXPECT_TRUE(reached) << mismatch << " aircraft " << frame.aircraft.value_or("none") << "\n"
                                 << feed.StatusText(true).toStdString();
            EXPECT_EQ(frame.SourceOf(Shown::Speed), FrameSource::Simulator);
            EXPECT_TRUE(feed.StatusText(true).contains(SimSource::Name(simulator)));

            feed.Stop();
            if (standIn.xplane) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return standIn.xplane->Subscriptions() == 0; }, 3000))
                    << "X-Plane is told to stop sending";
            }
        }
    }
}

// Whatever arrives on IL-2's port that is not one of its packets, or carries
// numbers no flight has, is counted and never shown; the values before it stay.
TEST(SimulatorFeed, BadDatagramsAreCountedAndNotShown)
{
    WorkFolder folder;
    const int port = FreeUdpPort();
    folder.Write("Vanemark.ini", "[settings]\nsimulator=il2gb\nil2gb port=" + std::to_string(port) + "\n");
    ProfileFile profile = settings::OpenSettings(folder.File("Vanemark.ini"));
    DeviceLinkFeed link;
    SimulatorFeed feed(link);
    feed.Start(profile, kInterval, false, true);
    SimSource* source = feed.Source(Simulator::Il2gb);
    ASSERT_NE(source, nullptr);

    asio::io_context io;
    asio::ip::udp::socket sender(io, asio::ip::udp::v4());
    const asio::ip::udp::endpoint to(asio::ip::address_v4::loopback(), static_cast<unsigned short>(port));
    const auto motion = [](float pitch, float roll) {
        std::vector<std::uint8_t> packet(44, 0);
        const std::uint32_t id = 0x494C0100;
        std::memcpy(packet.data(), &id, 4);
        std::memcpy(packet.data() + 12, &pitch, 4);
        std::memcpy(packet.data() + 16, &roll, 4);
        return packet;
    };
    sender.send_to(asio::buffer(motion(0.1F, -0.2F)), to);
    ASSERT_TRUE(QTest::qWaitFor([&] { return source->Dropped(Verdict::Taken) == 1; }, 3000));

    std::vector<std::uint8_t> wrongId = motion(1.0F, 1.0F);
    wrongId[3] = 0x7F;
    std::vector<std::uint8_t> oversized = motion(1.0F, 1.0F);
    oversized.resize(5000);
    std::vector<std::uint8_t> shortOne = motion(1.0F, 1.0F);
    shortOne.resize(20);
    const struct {
        std::vector<std::uint8_t> datagram;
        Verdict verdict;
    } bad[]{
        {wrongId, Verdict::WrongId},
#ifdef _WIN32
        // Wine hands a datagram larger than the buffer over as an empty one.
        {oversized, Verdict::Short},
#else
        {oversized, Verdict::Oversized},
#endif
        {shortOne, Verdict::Short},
        {motion(std::numeric_limits<float>::quiet_NaN(), -0.2F), Verdict::BadValue},
    };
    for (const auto& [datagram, verdict] : bad) {
        SCOPED_TRACE(VerdictName(verdict));
        sender.send_to(asio::buffer(datagram), to);
        EXPECT_TRUE(QTest::qWaitFor([&] { return source->Dropped(verdict) == 1; }, 3000));
    }
    const SimReading& latest = source->Latest();
    EXPECT_TRUE(std::isnan(latest[Reading::Pitch])) << "a NaN is shown as absent";
    EXPECT_NEAR(latest[Reading::Bank], -0.2 * 180.0 / 3.14159265358979, 1e-4) << "the rest of it is kept";
    EXPECT_EQ(source->Dropped(Verdict::Taken), 1U);
}
