#include "tools/XPlaneSim.h"

#include "tools/SimEncoders.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vanemark {

namespace {

// Replies due within this of one another go out together.
constexpr auto kSameMoment = std::chrono::microseconds(500);

std::string Describe(const asio::ip::udp::endpoint& endpoint)
{
    return endpoint.address().to_string().append(":").append(std::to_string(endpoint.port()));
}

} // namespace

XPlaneSim::XPlaneSim(XPlaneSimOptions simOptions) : options(std::move(simOptions)), values(options.replay) {}

XPlaneSim::~XPlaneSim()
{
    Stop();
}

void XPlaneSim::SetLog(LogFn fn)
{
    std::lock_guard lock(stateLock);
    log = std::move(fn);
}

void XPlaneSim::Print(std::string_view line)
{
    if (log) { // stateLock is held
        log(line);
    }
}

std::size_t XPlaneSim::Subscriptions() const
{
    std::lock_guard lock(stateLock);
    return subscriptions.size();
}

int XPlaneSim::Start(std::string& error)
{
    Stop();
    std::error_code ec;
    const auto address = asio::ip::make_address_v4(options.host, ec);
    if (ec) {
        error = std::string("'").append(options.host).append("' is not an IPv4 address");
        return -1;
    }
    if (options.port < 0 || options.port > 65535) {
        error = std::string("port ").append(std::to_string(options.port)).append(" is out of range");
        return -1;
    }
    io = std::make_unique<asio::io_context>();
    socket = std::make_unique<asio::ip::udp::socket>(*io);
    socket->open(asio::ip::udp::v4(), ec);
    if (!ec) {
        socket->bind({address, static_cast<unsigned short>(options.port)}, ec);
    }
    if (ec) {
        error = std::string("unable to listen on ")
                    .append(options.host)
                    .append(":")
                    .append(std::to_string(options.port))
                    .append(": ")
                    .append(ec.message());
        socket.reset();
        io.reset();
        return -1;
    }
    boundPort = socket->local_endpoint(ec).port();
    timer = std::make_unique<asio::steady_timer>(*io);
    started = Clock::now();
    {
        std::lock_guard lock(stateLock);
        subscriptions.clear();
    }
    Receive();
    worker = std::thread([this] { io->run(); });
    return 0;
}

void XPlaneSim::Stop()
{
    if (worker.joinable()) {
        io->stop();
        worker.join();
    }
    timer.reset();
    socket.reset();
    io.reset();
}

void XPlaneSim::Receive()
{
    socket->async_receive_from(asio::buffer(buffer), sender, [this](std::error_code ec, std::size_t size) {
        if (ec == asio::error::operation_aborted) {
            return;
        }
        if (!ec) {
            Handle(std::string_view(buffer.data(), size));
        }
        Receive();
    });
}

void XPlaneSim::Handle(std::string_view datagram)
{
    const auto request = sim::ParseXPlaneRequest(datagram);
    if (!request || !sim::IsXPlaneDataRef(request->path)) {
        return;
    }
    const Key key{sender, request->index};
    std::string line = Describe(sender).append(" index ").append(std::to_string(request->index)).append(" ");
    {
        std::lock_guard lock(stateLock);
        if (request->frequency == 0) {
            if (subscriptions.erase(key) > 0) {
                Print(line.append("unsubscribed"));
            }
            return;
        }
        const int frequency = std::min(request->frequency, kMaxFrequency);
        if (!subscriptions.contains(key) && subscriptions.size() >= kMaxSubscriptions) {
            return;
        }
        subscriptions[key] = {request->path, frequency, NextDue(Clock::now(), frequency)};
        Print(line.append(request->path).append(" ").append(std::to_string(frequency)).append(" a second"));
    }
    Schedule();
}

// The first moment after `now` on the grid of `frequency` sends a second from the start.
XPlaneSim::Clock::time_point XPlaneSim::NextDue(Clock::time_point now, int frequency) const
{
    const double elapsed = std::chrono::duration<double>(now - started + kSameMoment).count();
    const double step = std::floor(elapsed * frequency) + 1.0;
    return started + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(step / frequency));
}

// Runs on the worker only. Waiting anew cancels the wait before.
void XPlaneSim::Schedule()
{
    Clock::time_point next = Clock::time_point::max();
    {
        std::lock_guard lock(stateLock);
        for (const auto& [key, subscription] : subscriptions) {
            next = std::min(next, subscription.due);
        }
    }
    if (next == Clock::time_point::max()) {
        timer->cancel();
        return;
    }
    timer->expires_at(next);
    timer->async_wait([this](std::error_code ec) {
        if (!ec) {
            SendDue();
            Schedule();
        }
    });
}

void XPlaneSim::SendDue()
{
    const Clock::time_point now = Clock::now();
    const FlightMoment moment = values.At(std::chrono::duration<double>(now - started).count());
    const bool sending = moment.live && !forcedSilent.load();
    std::map<asio::ip::udp::endpoint, std::vector<std::pair<std::int32_t, float>>> due;
    {
        std::lock_guard lock(stateLock);
        for (auto& [key, subscription] : subscriptions) {
            if (subscription.due > now + kSameMoment) {
                continue;
            }
            subscription.due = NextDue(now, subscription.frequency);
            if (const auto value = sim::XPlaneValue(moment, subscription.path); value && sending) {
                due[key.first].emplace_back(key.second, *value);
            }
        }
    }
    for (const auto& [to, pairs] : due) {
        for (const std::string& datagram : sim::XPlaneReplies(pairs, options.headerByte)) {
            std::error_code ec;
            socket->send_to(asio::buffer(datagram), to, 0, ec);
            if (!ec) {
                replies.fetch_add(1);
            }
        }
    }
}

} // namespace vanemark
