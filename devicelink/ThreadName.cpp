#include "devicelink/ThreadName.h"

#if defined(__linux__)
#include <pthread.h>
#endif

namespace vanemark {

void NameCurrentThread([[maybe_unused]] const char* name)
{
#if defined(__linux__)
    pthread_setname_np(pthread_self(), name);
#endif
}

} // namespace vanemark
