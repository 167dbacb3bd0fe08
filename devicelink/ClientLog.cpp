#include "devicelink/ClientLog.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

namespace vanemark {

void ClientLog::SetLogger(Logger fn)
{
    std::lock_guard lock(hookLock);
    logger = fn ? std::make_shared<const Logger>(std::move(fn)) : nullptr;
    hasLogger.store(logger != nullptr);
}

void ClientLog::SetRawHook(RawHook fn)
{
    std::lock_guard lock(hookLock);
    rawHook = fn ? std::make_shared<const RawHook>(std::move(fn)) : nullptr;
    hasRawHook.store(rawHook != nullptr);
}

void ClientLog::Raw(std::string_view datagram) const
{
    if (!hasRawHook.load(std::memory_order_relaxed)) {
        return;
    }
    std::shared_ptr<const RawHook> hook;
    {
        std::lock_guard lock(hookLock);
        hook = rawHook;
    }
    if (hook) {
        (*hook)(datagram);
    }
}

void ClientLog::Log(const char* format, ...) const
{
    if (!Logging()) {
        return;
    }
    // The hook is called outside the lock: it may set hooks itself.
    std::shared_ptr<const Logger> sink;
    {
        std::lock_guard lock(hookLock);
        sink = logger;
    }
    if (!sink) {
        return;
    }
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line;
    if (length > 0) {
        line.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(line.data(), line.size(), format, args);
        line.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    (*sink)(line);
}

} // namespace vanemark
