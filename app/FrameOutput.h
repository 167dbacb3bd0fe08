#pragma once

#include "app/Frame.h"

#include <cstdint>

namespace vanemark {

// Takes each cycle's frame: the panel, the recording, the status, the
// per-aircraft layouts. An output never learns which feed made the frame;
// it goes by the frame's values, sources and marks alone.
class FrameOutput {
public:
    virtual ~FrameOutput() = default;
    // `nowMs` is a steady millisecond clock, for outputs that act on time.
    virtual void Take(const Frame& frame, std::uint32_t nowMs) = 0;

protected:
    FrameOutput() = default;
    FrameOutput(const FrameOutput&) = default;
    FrameOutput& operator=(const FrameOutput&) = default;
};

} // namespace vanemark
