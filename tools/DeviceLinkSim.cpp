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

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The code point of the UTF-8 sequence at `pos` and its length in bytes; a
// byte that starts no valid sequence stands for itself.
std::pair<char32_t, std::size_t> NextCharacter(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (length == 1 || pos + length > text.size()) {
        return {lead, 1};
    }
    char32_t code = lead & (0x7FU >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0U) != 0x80U) {
            return {lead, 1};
        }
        code = (code << 6U) | (next & 0x3FU);
    }
    return {code, length};
}

// Each character of a value goes out as one byte holding its low seven bits
// (U+00FC as "|", U+00AF as "/"), and "/" and "\" in what results are
// escaped. Values are held here as UTF-8; a character beyond U+FFFF counts as
// the two halves of its UTF-16 surrogate pair, as it does in the simulator.
std::string Escaped(std::string_view value)
{
    std::string text;
    text.reserve(value.size());
    const auto put = [&text](char32_t unit) {
        const auto c = static_cast<char>(unit & 0x7FU);
        if (c == '/' || c == '\\') {
            text.push_back('\\');
        }
        text.push_back(c);
    };
    for (std::size_t pos = 0; pos < value.size();) {
        const auto [code, length] = NextCharacter(value, pos);
        pos += length;
        if (code >= 0x10000) { // a surrogate pair
            put(0xD800 + ((code - 0x10000) >> 10U));
            put(0xDC00 + ((code - 0x10000) & 0x3FFU));
        } else {
            put(code);
        }
    }
    return text;
}

} // namespace

DeviceLinkSim::DeviceLinkSim(DeviceLinkSimOptions simOptions) : options(std::move(simOptions)), random(options.seed)
{
    for (std::size_t pos = 0; pos < options.ips.size();) {
        const std::size_t end = std::min(options.ips.find_first_of(" \t\r\n\f", pos), options.ips.size());
        if (end > pos) {
            allowedSenders.push_back(options.ips.substr(pos, end - pos));
        }
        pos = end + 1;
    }
}

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
    if (options.port < 0) {
        error = Concat({"port ", std::to_string(options.port), " is out of range"});
        return -1;
    }
    const int port = std::min(options.port, kMaxPort);
    const asio::ip::udp::endpoint local(address, static_cast<unsigned short>(port));
    socket.open(asio::ip::udp::v4(), ec);
    if (!ec) {
        socket.bind(local, ec);
    }
    if (ec) {
        error = Concat({"unable to listen on ", options.host, ":", std::to_string(port), ": ", ec.message()});
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

bool DeviceLinkSim::InCockpitAt(double seconds) const
{
    return !forcedOutOfCockpit.load() && (options.notInCockpitAfter < 0.0 || seconds < options.notInCockpitAfter);
}

bool DeviceLinkSim::Allowed(const std::string& address) const
{
    return allowedSenders.empty() ||
           std::find(allowedSenders.begin(), allowedSenders.end(), address) != allowedSenders.end();
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
    if (const std::string from = sender.address().to_string(); !Allowed(from)) {
        Print("  ", Concat({"(ignored: ", from, " is not in --ips)"}));
        return;
    }
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
    if (answer.size() > kMaxDatagram) {
        Print("  ", Concat({"(not sent: a reply of ", std::to_string(answer.size()), " bytes, over ",
                            std::to_string(kMaxDatagram), ")"}));
        return;
    }
    std::error_code ec;
    socket.send_to(asio::buffer(answer), sender, 0, ec);
    if (!ec) {
        replies.fetch_add(1);
        Print("< ", answer);
    }
}

std::string DeviceLinkSim::Answer(std::string_view request, double seconds)
{
    if (request.empty() || request[0] != 'R') {
        return {};
    }
    std::string answer;
    const FlightSample* recorded = options.replay ? options.replay->RowAt(seconds) : nullptr;
    const bool inCockpit = InCockpitAt(seconds);
    std::lock_guard lock(stateLock);
    // Out of the cockpit there is no aircraft: only the clock goes on.
    const auto readable = [&](int id) {
        return id % 2 == 0 && !hidden.contains(id) && !(options.online && SimFlight::IsOfflineOnly(id)) &&
               (inCockpit || id == 20);
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
        // A recorded column is the flight as it was, a gap included: no
        // synthetic value fills in for what the simulator did not send.
        auto text = recorded != nullptr && FlightReplay::Records(id) ? FlightReplay::Value(*recorded, id)
                                                                     : flight.Value(id, index, seconds);
        return text ? std::optional(Escaped(*text)) : std::nullopt;
    };

    std::size_t pos = 1;
    while (pos < request.size()) {
        if (request[pos] == 'R' || IsBlank(request[pos])) { // several commands in one datagram
            ++pos;
            continue;
        }
        if (request[pos] != '/') {
            break;
        }
        // The simulator reads a key as a 32-bit int that wraps, skipping
        // blanks; any other character ends the request before that key.
        ++pos;
        std::uint32_t key = 0;
        while (pos < request.size() && request[pos] != '/' && request[pos] != '\\' && request[pos] != 'R') {
            const char c = request[pos++];
            if (IsDigit(c)) {
                key = key * 10U + static_cast<std::uint32_t>(c - '0');
            } else if (!IsBlank(c)) {
                return answer.empty() ? std::string() : Concat({"A", answer});
            }
        }
        const auto id = static_cast<std::int32_t>(key);
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
        if (id % 2 != 0) {
            if (SimFlight::IsSettable(id) && hasArg && inCockpit &&
                !(options.online && SimFlight::IsOfflineOnly(id - 1))) {
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

} // namespace vanemark
