#include "app/DemoFeed.h"

namespace vanemark {

void DemoFeed::Fill(Frame& frame, std::uint32_t msSincePreviousCycle)
{
    motion.Step(msSincePreviousCycle, frame.values);
    for (std::size_t i = 1; i < kShownCount; ++i) {
        if (static_cast<Shown>(i) != Shown::Brakes) {
            frame.sources[i] = FrameSource::Demo;
        }
    }
    frame.aircraft.reset();
    frame.live = true;
}

} // namespace vanemark
