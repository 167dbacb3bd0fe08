#include "app/ProcessPriority.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <sys/resource.h>
#endif

namespace vanemark {

bool RaiseProcessPriority()
{
#ifdef _WIN32
    return SetPriorityClass(GetCurrentProcess(), ABOVE_NORMAL_PRIORITY_CLASS) != 0;
#else
    // One step above normal, like the desktop's "above normal" class; never
    // lowers a priority that is already higher.
    constexpr int kAboveNormal = -5;
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, 0);
    if (errno != 0 || current <= kAboveNormal) {
        return false;
    }
    return setpriority(PRIO_PROCESS, 0, kAboveNormal) == 0;
#endif
}

} // namespace vanemark
