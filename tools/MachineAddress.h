#pragma once

#include <string>

namespace vanemark {

// The first IPv4 address of this machine that is not loopback, dotted; empty
// when there is none.
std::string MachineAddress();

} // namespace vanemark
