#pragma once

namespace vanemark {

// Asks for a slightly higher scheduling priority so that the panel keeps up
// while the simulator loads the machine. Threads started afterwards inherit
// it. Returns false, and changes nothing, when the system refuses (an
// ordinary user may not raise priority on most Unix systems).
bool RaiseProcessPriority();

} // namespace vanemark
