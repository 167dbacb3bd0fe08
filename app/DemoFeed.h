#pragma once

#include "app/DemoMotion.h"
#include "app/Frame.h"

namespace vanemark {

// The synthetic motion as a feed: lets a layout be tried without the
// simulator. Always live, names no aircraft; the brakes are left as they are.
class DemoFeed final : public Feed {
public:
    void Fill(Frame& frame, std::uint32_t msSincePreviousCycle) override;

private:
    DemoMotion motion;
};

} // namespace vanemark
