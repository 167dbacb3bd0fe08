#pragma once

#include <chrono>
#include <functional>
#include <mutex>

namespace vanemark {

// Windows wakes a sleeping thread only on its timer interrupt, which comes
// every 15.6 ms unless some program asks for more: a 25 ms grid would wake
// at 15.6 or 31.2 ms. The guard asks for 1 ms interrupts while the period it
// follows is short enough to need them, and gives them back as soon as it is
// not, because they cost the whole machine power. Elsewhere it does nothing.
class TimerResolution {
public:
    // Periods below this need the finer interrupt.
    static constexpr std::chrono::milliseconds kFineBelow{100};

    struct System {
        std::function<bool()> raise; // false: the system refused
        std::function<void()> lower; // undoes one successful raise
    };
    // timeBeginPeriod(1) and timeEndPeriod(1) on Windows; no-ops elsewhere.
    static System Platform();

    explicit TimerResolution(System system = Platform());
    ~TimerResolution();
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;

    // The shortest period in use now; zero or less when nothing runs.
    void Follow(std::chrono::milliseconds period);
    void Release();
    bool Raised() const;

private:
    void SetRaised(bool wanted);

    System system;
    mutable std::mutex lock;
    bool raised = false; // guarded by lock
};

} // namespace vanemark
