#pragma once

namespace vanemark {

// Names the calling thread where the system keeps thread names (shown by
// top -H and in /proc, so a measurement can tell the threads apart); at
// most 15 characters. Elsewhere it does nothing.
void NameCurrentThread(const char* name);

} // namespace vanemark
