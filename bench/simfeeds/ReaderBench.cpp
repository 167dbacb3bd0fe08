#include "simfeeds/FlightGearLine.h"
#include "simfeeds/Il2gbPacket.h"
#include "simfeeds/XPlaneRref.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace vanemark;

namespace {

template <typename T> void Append(std::vector<std::uint8_t>& out, T value)
{
    const auto at = out.size();
    out.resize(at + sizeof(T));
    std::memcpy(out.data() + at, &value, sizeof(T));
}

// A telemetry datagram as the game sends each frame: seven indicators (three
// gear legs among them) and the focus event with the aircraft's name.
std::vector<std::uint8_t> Telemetry()
{
    std::vector<std::uint8_t> body;
    Append<std::uint8_t>(body, 7);
    for (const auto& [id, count] : {std::pair{0, 1}, {1, 1}, {4, 3}, {6, 1}, {7, 1}, {11, 1}, {12, 1}}) {
        Append<std::uint16_t>(body, static_cast<std::uint16_t>(id));
        Append<std::uint8_t>(body, static_cast<std::uint8_t>(count));
        for (int i = 0; i < count; ++i) {
            Append<float>(body, 0.5F);
        }
    }
    Append<std::uint8_t>(body, 1);
    const std::string name = "Bf 109 F-4";
    Append<std::uint16_t>(body, 0);
    Append<std::uint16_t>(body, static_cast<std::uint16_t>(name.size()));
    body.insert(body.end(), name.begin(), name.end());
    std::vector<std::uint8_t> packet;
    Append<std::uint32_t>(packet, kIl2gbTelemetryId);
    Append<std::uint16_t>(packet, static_cast<std::uint16_t>(10 + body.size()));
    Append<std::uint32_t>(packet, 1000);
    packet.insert(packet.end(), body.begin(), body.end());
    return packet;
}

void BM_ReadIl2gbTelemetry(benchmark::State& state)
{
    const std::vector<std::uint8_t> packet = Telemetry();
    SimReading reading;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadIl2gbDatagram(packet, reading));
    }
}
BENCHMARK(BM_ReadIl2gbTelemetry);

// One reply carrying every subscribed data-ref, as when they share a frequency.
void BM_ReadXPlaneReply14Refs(benchmark::State& state)
{
    std::vector<std::uint8_t> reply{'R', 'R', 'E', 'F', ','};
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(kXPlaneRefs.size()); ++i) {
        Append<std::int32_t>(reply, i);
        Append<float>(reply, 0.25F);
    }
    XPlaneReplies replies;
    SimReading reading;
    for (auto _ : state) {
        benchmark::DoNotOptimize(replies.Read(reply, reading));
    }
}
BENCHMARK(BM_ReadXPlaneReply14Refs);

void BM_ReadFlightGearLine(benchmark::State& state)
{
    const std::string line = "0.1000,-0.2000,0.0500,0.5000,0.0100,-0.0200,0.0000,0.7500,1.0000,0.0000,0.3000,"
                             "110.25,-12.5000,3.2000,c172p\n";
    SimReading reading;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadFlightGearDatagram(line, reading));
    }
}
BENCHMARK(BM_ReadFlightGearLine);

} // namespace

BENCHMARK_MAIN();
