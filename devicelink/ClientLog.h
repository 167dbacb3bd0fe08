#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>

namespace vanemark {

// The client's two optional diagnostic hooks. Either may be set or cleared
// at any time from any thread; a hook runs on the thread that reports.
class ClientLog {
public:
    // Receives each diagnostic line, already formatted (ends in "\n").
    using Logger = std::function<void(std::string_view line)>;
    // Receives every datagram read from the socket before it is parsed.
    using RawHook = std::function<void(std::string_view datagram)>;

    void SetLogger(Logger fn);
    void SetRawHook(RawHook fn);

    // Checked first so that lines nobody reads are never formatted.
    bool Logging() const { return hasLogger.load(std::memory_order_relaxed); }
    void Log(const char* format, ...) const
#if defined(__MINGW32__)
        // Formatted by MinGW's C99 printf family (%zu), not the system's.
        __attribute__((format(gnu_printf, 2, 3)))
#elif defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void Raw(std::string_view datagram) const;

private:
    mutable std::mutex hookLock;
    std::shared_ptr<const Logger> logger;
    std::shared_ptr<const RawHook> rawHook;
    std::atomic<bool> hasLogger{false};
    std::atomic<bool> hasRawHook{false};
};

} // namespace vanemark
