#include "devicelink/detail/DeviceLinkClientAccess.h"

#include <asio.hpp>
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

namespace {

constexpr const char* kShippedKeys = VANEMARK_SOURCE_DIR "/res/dlkeys.ini";
constexpr int kStartupKeys[] = {20, 30, 80, 82, 84, 86, 88, 48, 46, 92, 90, 42, 94, 96, 98};

// A reply such as the server sends to the application's poll: 15 fields.
const std::string kReply = "A/20\\14/30\\312.456/80\\0.731/82\\-0.340/84\\0.125/86\\-0.442/88\\0.037/48\\4.210"
                           "/46\\-12.871/92\\0.650/90\\-1.000/42\\271.338/94\\0.100/96\\-0.050/98\\0.000";

void BM_ParseReply15Fields(benchmark::State& state)
{
    vanemark::DeviceLinkClient client;
    client.LoadKeys(kShippedKeys);
    client.SetHeartbeatId(20);
    auto& engine = vanemark::DeviceLinkClientAccess::Engine(client);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.ParseReply(kReply));
    }
    state.SetItemsProcessed(state.iterations() * 15);
}
BENCHMARK(BM_ParseReply15Fields);

// One tick of the running application while the simulator is away: the cycle
// callback, the poll countdowns of the 15 keys at 500 ms, the heartbeat and
// the look at the socket. No tick thread runs, so every tick measured is one
// run here.
void BM_IdleTick(benchmark::State& state)
{
    asio::io_context io;
    asio::ip::udp::socket sink(io, asio::ip::udp::endpoint(asio::ip::make_address_v4("127.0.0.1"), 0));
    vanemark::DeviceLinkClient client;
    auto& engine = vanemark::DeviceLinkClientAccess::Engine(client);
    client.LoadKeys(kShippedKeys);
    std::atomic<int> cycles{0};
    client.AddTimerCallback([&cycles] { cycles.fetch_add(1, std::memory_order_relaxed); }, 500, -1);
    client.AddEventSink([](int, std::uint32_t) {}, 7);
    client.SetHeartbeatId(20);
    client.SetAutoRequest(true);
    engine.SetTickInterval(std::chrono::microseconds::zero());
    if (client.Start("127.0.0.1", sink.local_endpoint().port()) != 0) {
        state.SkipWithError("the client did not start");
        return;
    }
    for (int id : kStartupKeys) {
        client.SubscribeKey(id, 500);
    }
    for (auto _ : state) {
        engine.OnTick();
    }
    client.Stop();
    benchmark::DoNotOptimize(cycles.load());
}
BENCHMARK(BM_IdleTick);

} // namespace

BENCHMARK_MAIN();
