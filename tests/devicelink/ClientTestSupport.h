#pragma once

#include "devicelink/detail/DeviceLinkClientAccess.h"

#include "../support/TempDir.h"
#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vanemark::test {

// A client talking to a LoopbackServer whose ticks the test runs by hand: no
// tick thread runs, so every tick is one OnTick call on the test's thread,
// and the datagrams of each tick can be checked exactly.
class ManualTickTest : public ::testing::Test {
protected:
    static constexpr const char* kKeys = "alt[3] 40 r d\nclock 20 r i\ntitle 22 r s\nspeed 30 r d\npower 80 r d\n"
                                         "setter 81 w d\n";

    void StartClient(const std::string& keys = kKeys)
    {
        ASSERT_GT(client.LoadKeys(dir.Write("keys.ini", keys)), 0);
        client.SetLogger([this](std::string_view line) { log.append(line); });
        client.AddEventSink([this](int event, std::uint32_t generation) { events.emplace_back(event, generation); }, 7);
        engine.SetTickInterval(std::chrono::microseconds::zero());
        ASSERT_EQ(client.Start("127.0.0.1", server.Port()), 0);
    }
    // Runs one tick and returns the datagrams it sent.
    std::vector<std::string> Tick()
    {
        engine.OnTick();
        return server.Collect(std::chrono::milliseconds(15));
    }
    // The numbers of the ticks out of the next `ticks` that send `datagram`.
    std::vector<int> TicksSending(const std::string& datagram, int ticks)
    {
        std::vector<int> sentAt;
        for (int tick = 1; tick <= ticks; ++tick) {
            if (std::ranges::count(Tick(), datagram) > 0) {
                sentAt.push_back(tick);
            }
        }
        return sentAt;
    }
    bool Logged(std::string_view text) const { return log.find(text) != std::string::npos; }
    // A datagram from the server to the client.
    void Reply(const std::string& text) { server.SendTo(client.LocalPort(), text); }
    double Value(int id)
    {
        double value = -99.0;
        client.GetKeyDouble(id, value, 0);
        return value;
    }

    TempDir dir;
    LoopbackServer server;
    std::string log;
    std::vector<std::pair<int, std::uint32_t>> events; // with the link generation of each
    DeviceLinkClient client;
    detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
};

} // namespace vanemark::test
