#include "timing/TimerResolution.h"

#if defined(_WIN32)
#include <windows.h>
// After windows.h, which it needs.
#include <timeapi.h>
#endif

namespace vanemark {

TimerResolution::System TimerResolution::Platform()
{
#if defined(_WIN32)
    return {[] { return ::timeBeginPeriod(1) == TIMERR_NOERROR; }, [] { ::timeEndPeriod(1); }};
#else
    return {[] { return true; }, [] {}};
#endif
}

TimerResolution::TimerResolution(System s) : system(std::move(s)) {}

TimerResolution::~TimerResolution()
{
    Release();
}

void TimerResolution::Follow(std::chrono::milliseconds period)
{
    SetRaised(period.count() > 0 && period < kFineBelow);
}

void TimerResolution::Release()
{
    SetRaised(false);
}

bool TimerResolution::Raised() const
{
    const std::lock_guard guard(lock);
    return raised;
}

void TimerResolution::SetRaised(bool wanted)
{
    const std::lock_guard guard(lock);
    if (wanted && !raised) {
        raised = system.raise();
    } else if (!wanted && raised) {
        system.lower();
        raised = false;
    }
}

} // namespace vanemark
