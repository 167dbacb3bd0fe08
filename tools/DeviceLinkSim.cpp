#include "tools/DeviceLinkSim.h"

#include "core/NumberText.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace vanemark {

namespace {

// Appends instead of chaining operator+: GCC 12 at -O3 reports a false
// overlap (-Wrestrict) in such chains.
std::string Concat(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (const std::string_view part : parts) {
        out.append(part);
    }
    return out;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string Escaped(std::string_view value)
{
    std::string text;
    text.reserve(value.size());
    for (const char c : value) {
        if (c == '/' || c == '\\') {
            text.push_back('\\');
        }
        text.push_back(c);
    }
    return text;
}

} // namespace

DeviceLinkSim::DeviceLinkSim(DeviceLinkSimOptions simOptions) : options(std::move(simOptions)), random(options.seed) {}

DeviceLinkSim::~DeviceLinkSim()
{
    Stop();
}

int DeviceLinkSim::Start(std::string& error)
{
    Stop();
    std::error_code ec;
    const auto address = asio::ip::make_address_v4(options.host, ec);
    if (ec) {
        error = Concat({"'", options.host, "' is not an IPv4 address"});
        return -1;
    }
    if (options.port < 0 || options.port > 65535) {
        error = Concat({"port ", std::to_string(options.port), " is out of range"});
        return -1;
    }
    const asio::ip::udp::endpoint local(address, static_cast<unsigned short>(options.port));
    socket.open(asio::ip::udp::v4(), ec);
    if (!ec) {
        socket.bind(local, ec);
    }
    if (ec) {
        error = Concat({"unable to listen on ", options.host, ":", std::to_string(options.port), ": ", ec.message()});
        socket.close(ec);
        return -1;
    }
    boundPort = socket.local_endpoint(ec).port();
    started = std::chrono::steady_clock::now();
    io.restart();
    Receive();
    worker = std::thread([this] { io.run(); });
    return 0;
}

void DeviceLinkSim::Stop()
{
    if (worker.joinable()) {
        io.stop();
        worker.join();
    }
    std::error_code ec;
    if (socket.is_open()) {
        socket.close(ec);
    }
}

double DeviceLinkSim::Seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

void DeviceLinkSim::SetValue(int id, std::string text)
{
    std::lock_guard lock(stateLock);
    pinned[id] = std::move(text);
}

void DeviceLinkSim::ClearValue(int id)
{
    std::lock_guard lock(stateLock);
    pinned.erase(id);
}

void DeviceLinkSim::SetReadable(int id, bool readable)
{
    std::lock_guard lock(stateLock);
    if (readable) {
        hidden.erase(id);
    } else {
        hidden.insert(id);
    }
}

void DeviceLinkSim::SetLog(LogFn fn)
{
    std::lock_guard lock(stateLock);
    log = std::move(fn);
}

void DeviceLinkSim::Print(std::string_view prefix, std::string_view text)
{
    if (!options.verbose) {
        return;
    }
    std::string line(prefix);
    line += text;
    std::lock_guard lock(stateLock);
    if (log) {
        log(line);
    }
}

bool DeviceLinkSim::SilentAt(double seconds) const
{
    if (forcedSilent.load() || (options.replay && options.replay->RowAt(seconds) == nullptr)) {
        return true;
    }
    if (options.silentAfter < 0.0 || seconds < options.silentAfter) {
        return false;
    }
    return options.resumeAfter < 0.0 || seconds < options.silentAfter + options.resumeAfter;
}

void DeviceLinkSim::Receive()
{
    socket.async_receive_from(asio::buffer(buffer), sender, [this](std::error_code ec, std::size_t size) {
        if (ec == asio::error::operation_aborted || !socket.is_open()) {
            return;
        }
        if (!ec) {
            Handle(size);
        }
        Receive();
    });
}

void DeviceLinkSim::Handle(std::size_t size)
{
    requests.fetch_add(1);
    const std::string_view request(buffer.data(), size);
    Print("> ", request);
    const double seconds = Seconds();
    bool drop = false;
    if (options.dropPercent > 0.0) {
        std::lock_guard lock(stateLock);
        drop = std::uniform_real_distribution<double>(0.0, 100.0)(random) < options.dropPercent;
    }
    if (drop || SilentAt(seconds)) {
        Print("  ", drop ? "(dropped)" : "(silent)");
        return;
    }
    const std::string answer = Answer(request, seconds);
    if (answer.empty()) {
        return;
    }
    for (const std::string& part : Split(answer)) {
        std::error_code ec;
        socket.send_to(asio::buffer(part), sender, 0, ec);
        if (!ec) {
            replies.fetch_add(1);
            Print("< ", part);
        }
    }
}

std::string DeviceLinkSim::Answer(std::string_view request, double seconds)
{
    if (request.empty() || request[0] != 'R') {
        return {};
    }
    std::string answer;
    const FlightSample* recorded = options.replay ? options.replay->RowAt(seconds) : nullptr;
    std::lock_guard lock(stateLock);
    const auto readable = [&](int id) {
        return id % 2 == 0 && !hidden.contains(id) && !(options.online && SimFlight::IsOfflineOnly(id));
    };
    const auto value = [&](int id, int index) -> std::optional<std::string> {
        if (!readable(id)) {
            return std::nullopt;
        }
        if (SimFlight::IsPerEngine(id) && (index < 0 || index >= SimFlight::kEngines)) {
            return std::nullopt;
        }
        if (const auto found = pinned.find(id); found != pinned.end()) {
            return Escaped(found->second);
        }
        auto text = recorded != nullptr ? FlightReplay::Value(*recorded, id) : std::nullopt;
        if (!text) {
            text = flight.Value(id, index, seconds);
        }
        return text ? std::optional(Escaped(*text)) : std::nullopt;
    };

    std::size_t pos = 1;
    while (pos < request.size()) {
        if (request[pos] == 'R') { // several commands in one datagram
            ++pos;
            continue;
        }
        if (request[pos] != '/' || pos + 1 >= request.size() || !IsDigit(request[pos + 1])) {
            break;
        }
        ++pos;
        const std::size_t idBegin = pos;
        while (pos < request.size() && IsDigit(request[pos])) {
            ++pos;
        }
        const int id = ParseInt(request.substr(idBegin, pos - idBegin));
        std::string_view arg;
        const bool hasArg = pos < request.size() && request[pos] == '\\';
        if (hasArg) {
            const std::size_t argBegin = ++pos;
            while (pos < request.size() && request[pos] != '/' && request[pos] != 'R') {
                ++pos;
            }
            arg = request.substr(argBegin, pos - argBegin);
        }
        const std::string idText = std::to_string(id);
        if (id % 2 == 1) {
            if (SimFlight::IsSettable(id) && hasArg && !(options.online && SimFlight::IsOfflineOnly(id - 1))) {
                pinned[id - 1] = std::string(arg);
            }
        } else if (id == 4 || id == 6) {
            if (hasArg && readable(id)) {
                const int asked = ParseInt(arg);
                const bool can = id == 4 ? value(asked, 0).has_value() : SimFlight::IsSettable(asked);
                answer.append(Concat({"/", idText, "\\", std::to_string(asked), "\\", can ? "1" : "0"}));
            }
        } else if (SimFlight::IsPerEngine(id)) {
            const int index = hasArg ? ParseInt(arg) : -1;
            if (const auto text = value(id, index)) {
                answer.append(Concat({"/", idText, "\\", std::to_string(index), "\\", *text}));
            }
        } else if (const auto text = value(id, -1)) {
            answer.append(Concat({"/", idText, "\\", *text}));
        }
    }
    return answer.empty() ? std::string() : Concat({"A", answer});
}

std::vector<std::string> DeviceLinkSim::Split(std::string_view answer, std::size_t maxBytes)
{
    std::vector<std::string> parts;
    if (answer.size() < 2 || answer[0] != 'A' || maxBytes < 2) {
        return parts;
    }
    std::string part = "A";
    std::size_t pos = 1;
    while (pos < answer.size()) {
        // A field runs to the next "/" that starts another field; an escaped
        // one is part of the value. The backslash after the id separates, so
        // it escapes nothing even where the value begins with an escape.
        std::size_t end = pos + 1;
        while (end < answer.size() && IsDigit(answer[end])) {
            ++end;
        }
        end += end < answer.size() && answer[end] == '\\' ? 1 : 0;
        while (end < answer.size() && !(answer[end] == '/' && end + 1 < answer.size() && IsDigit(answer[end + 1]))) {
            end += answer[end] == '\\' && end + 1 < answer.size() ? 2 : 1;
        }
        end = std::min(end, answer.size());
        std::string_view field = answer.substr(pos, end - pos);
        pos = end;
        if (part.size() + field.size() > maxBytes && part.size() > 1) {
            parts.push_back(part);
            part.resize(1); // the leading "A"
        }
        // A single field too long for any datagram is cut: no reader could take more.
        while (part.size() + field.size() > maxBytes) {
            const std::size_t room = maxBytes - part.size();
            part.append(field.substr(0, room));
            field.remove_prefix(room);
            parts.push_back(part);
            part.resize(1); // the leading "A"
        }
        part.append(field);
    }
    if (part.size() > 1) {
        parts.push_back(std::move(part));
    }
    return parts;
}

} // namespace vanemark
