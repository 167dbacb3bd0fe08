#pragma once

#include "devicelink/DeviceLinkClient.h"
#include "devicelink/detail/ClientEngine.h"

namespace vanemark {

// For tests and benchmarks: the engine behind a client, to run single ticks,
// feed replies and look at the cache and the queue.
class DeviceLinkClientAccess {
public:
    static detail::ClientEngine& Engine(DeviceLinkClient& client) { return *client.engine; }
};

} // namespace vanemark
