#pragma once

#include "devicelink/detail/DeviceLinkClientAccess.h"

#include "../support/TempDir.h"
#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace vanemark::test {

// Thread-safe record of diagnostic lines and events with their generations.
class Recorder {
public:
    void Add(std::string_view line)
    {
        std::lock_guard lock(mutex);
        lines.emplace_back(line);
    }
    void Event(int event, std::uint32_t generation)
    {
        std::lock_guard lock(mutex);
        events.emplace_back(event, generation);
    }
    // The events so far, and the generation of the last one.
    std::pair<std::vector<int>, std::uint32_t> Events() const
    {
        std::lock_guard lock(mutex);
        std::vector<int> kinds;
        for (const auto& e : events) {
            kinds.push_back(e.first);
        }
        return {kinds, events.empty() ? 0 : events.back().second};
    }
    int Count(int event) const
    {
        const auto kinds = Events().first;
        return static_cast<int>(std::count(kinds.begin(), kinds.end(), event));
    }
    bool HasLine(std::string_view prefix) const
    {
        std::lock_guard lock(mutex);
        return std::any_of(lines.begin(), lines.end(),
                           [prefix](const std::string& l) { return l.starts_with(prefix); });
    }

private:
    mutable std::mutex mutex;
    std::vector<std::string> lines;
    std::vector<std::pair<int, std::uint32_t>> events;
};

// A client talking to a LoopbackServer whose ticks the test runs by hand:
// the thread's own interval is an hour, so every tick is one OnTick call and
// the datagrams of each tick can be checked exactly.
class ManualTickTest : public ::testing::Test {
protected:
    static constexpr const char* kKeys = "clock 20 r i\ntitle 22 r s\nspeed 30 r d\npower 80 r d\n"
                                         "alt[3] 40 r d\nsetter 81 w d\n";

    void StartClient(const std::string& keys = kKeys)
    {
        ASSERT_GT(client.LoadKeys(dir.Write("keys.ini", keys)), 0);
        client.SetLogger([this](std::string_view line) { recorder.Add(line); });
        client.AddEventSink([this](int event, std::uint32_t generation) { recorder.Event(event, generation); }, 7);
        engine.SetTickInterval(std::chrono::hours(1));
        ASSERT_EQ(client.Start("127.0.0.1", server.Port()), 0);
    }
    // Runs one tick and returns the datagrams it sent.
    std::vector<std::string> Tick()
    {
        engine.OnTick();
        return server.Collect(std::chrono::milliseconds(15));
    }
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
    Recorder recorder;
    DeviceLinkClient client;
    detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
};

} // namespace vanemark::test
