#include "tools/UdpPusher.h"

#include "tools/SimEncoders.h"

#include <utility>

namespace vanemark {

UdpPusher::UdpPusher(UdpPusherOptions pusherOptions) : options(std::move(pusherOptions)), values(options.replay) {}

UdpPusher::~UdpPusher()
{
    Stop();
}

void UdpPusher::SetLog(LogFn fn)
{
    std::lock_guard lock(logLock);
    log = std::move(fn);
}

void UdpPusher::Print(std::string_view line)
{
    std::lock_guard lock(logLock);
    if (log) {
        log(line);
    }
}

int UdpPusher::Start(std::string& error)
{
    Stop();
    std::error_code ec;
    const auto address = asio::ip::make_address_v4(options.host, ec);
    if (ec) {
        error = std::string("'").append(options.host).append("' is not an IPv4 address");
        return -1;
    }
    if (options.port < 1 || options.port > 65535 || options.hz < 1) {
        error = std::string("port ")
                    .append(std::to_string(options.port))
                    .append(" or rate ")
                    .append(std::to_string(options.hz))
                    .append(" is out of range");
        return -1;
    }
    destination = {address, static_cast<unsigned short>(options.port)};
    io = std::make_unique<asio::io_context>();
    socket = std::make_unique<asio::ip::udp::socket>(*io);
    socket->open(asio::ip::udp::v4(), ec);
    if (!ec) {
        // A game never waits for its listener: a datagram the system cannot
        // take at once is dropped, and Stop is never held up by a send.
        socket->non_blocking(true, ec);
    }
    if (ec) {
        error = std::string("unable to open a UDP socket: ").append(ec.message());
        socket.reset();
        io.reset();
        return -1;
    }
    started = Clock::now();
    frames = 0;
    focusName.clear();
    {
        std::lock_guard lock(stopLock);
        stopping = false;
    }
    worker = std::thread([this] { Run(); });
    return 0;
}

void UdpPusher::Stop()
{
    if (worker.joinable()) {
        {
            std::lock_guard lock(stopLock);
            stopping = true;
        }
        stopSignal.notify_all();
        worker.join();
    }
    socket.reset();
    io.reset();
}

// Frames fall on a fixed grid from the start, so a late frame does not delay the next.
void UdpPusher::Run()
{
    const auto period = std::chrono::duration<double>(1.0 / options.hz);
    std::unique_lock lock(stopLock);
    while (!stopSignal.wait_until(lock, started + std::chrono::duration_cast<Clock::duration>(period * frames),
                                  [this] { return stopping; })) {
        lock.unlock();
        Frame();
        ++frames;
        lock.lock();
    }
}

void UdpPusher::Frame()
{
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    const FlightMoment moment = values.At(seconds);
    if (forcedSilent.load() || !moment.live) {
        focusName.clear(); // the game comes back as if started anew
        return;
    }
    if (options.feed == PushFeed::FlightGear) {
        const std::string line = sim::FlightGearLine(moment);
        Send(line);
        Print(std::string_view(line).substr(0, line.size() - 1));
        return;
    }
    const bool focus = !moment.aircraft.empty() && (moment.aircraft != focusName || seconds - focusAt >= kFocusSeconds);
    if (focus) {
        focusName = moment.aircraft;
        focusAt = seconds;
        Print(std::string("focus on ").append(focusName));
    }
    Send(sim::Il2Motion(moment, frames));
    Send(sim::Il2Telemetry(moment, frames, focus));
}

void UdpPusher::Send(const std::string& payload)
{
    if (payload.empty()) {
        return;
    }
    std::error_code ec; // nobody listening is no error for a game
    socket->send_to(asio::buffer(payload), destination, 0, ec);
    if (!ec) {
        sent.fetch_add(1);
    }
}

} // namespace vanemark
