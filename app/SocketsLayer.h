#pragma once

namespace vanemark {

// Brings up the system's sockets layer (on Windows the Winsock DLL, version
// 1.1) and checks that a UDP socket can be made at all. False when the
// program cannot talk DeviceLink on this machine.
bool InitialiseSocketsLayer();

} // namespace vanemark
