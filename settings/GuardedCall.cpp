#include "settings/GuardedCall.h"

#include <QtGlobal>

namespace vanemark {

void LogEscapedException(const char* where, const char* what) noexcept
{
    qWarning("%s: %s", where, what ? what : "unknown exception");
}

} // namespace vanemark
