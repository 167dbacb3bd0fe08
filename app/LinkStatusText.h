#pragma once

#include "devicelink/DeviceLinkClient.h"

#include <QString>

namespace vanemark {

// Seconds in live mode without any reply before the status says what to check.
inline constexpr double kNoReplyHintSeconds = 5.0;

// The connection status as the window's tooltip and the tray icon show it:
// the server, connected or waiting, the aircraft, the age of the last reply
// and the replies per second. In live mode, once kNoReplyHintSeconds pass
// without a reply, it adds what usually keeps the simulator quiet, with our
// own port and addresses filled in so that they can be copied into conf.ini.
QString LinkStatusText(const DeviceLinkClient::LinkStatus& status, bool live);
// Whether LinkStatusText carries that hint.
bool NoReplyHintDue(const DeviceLinkClient::LinkStatus& status, bool live);

} // namespace vanemark
