#pragma once

#include "devicelink/DeviceLinkClient.h"

#include "../support/TempDir.h"
#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace vanemark::test {

// Thread-safe record of diagnostic lines and events.
class Recorder {
public:
    void Add(std::string_view line)
    {
        std::lock_guard lock(mutex);
        lines.emplace_back(line);
    }
    void Event(int event)
    {
        std::lock_guard lock(mutex);
        events.push_back(event);
    }
    std::vector<int> Events() const
    {
        std::lock_guard lock(mutex);
        return events;
    }
    int Count(int event) const
    {
        std::lock_guard lock(mutex);
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    bool HasLineStartingWith(std::string_view prefix) const
    {
        std::lock_guard lock(mutex);
        return std::any_of(lines.begin(), lines.end(),
                           [prefix](const std::string& l) { return l.starts_with(prefix); });
    }

private:
    mutable std::mutex mutex;
    std::vector<std::string> lines;
    std::vector<int> events;
};

// A client talking to a LoopbackServer whose ticks the test runs by hand:
// the thread's own interval is an hour, so every tick is one OnTick call and
// the datagrams of each tick can be checked exactly.
class ManualTickTest : public ::testing::Test {
protected:
    static constexpr const char* kKeys = "clock 20 r i\n"
                                         "title 22 r s\n"
                                         "speed 30 r d\n"
                                         "power 80 r d\n"
                                         "alt[3] 40 r d\n"
                                         "setter 81 w d\n";

    void StartClient(const std::string& keys = kKeys)
    {
        ASSERT_GT(client.LoadKeys(dir.Write("keys.ini", keys)), 0);
        client.SetLogger([this](std::string_view line) { recorder.Add(line); });
        client.AddEventSink([this](int event) { recorder.Event(event); }, 7);
        client.SetTickInterval(std::chrono::hours(1));
        ASSERT_EQ(client.Start("127.0.0.1", server.Port()), 0);
    }

    // Runs one tick and returns the datagrams it sent.
    std::vector<std::string> Tick()
    {
        client.OnTick();
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
};

} // namespace vanemark::test
