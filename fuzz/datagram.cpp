// Reply datagrams (the input split at '\n') through a started client's socket and tick,
// with the shipped keys. Each key holds the last field sent for it as the server meant it:
// escaped '/' and '\' undone, a number as ParseDouble or ParseInt reads it, except the
// server's lost carry "x.100" (x + 1, away from zero) and its negative zero (0), the clock
// (20) as the float it is; a field
// whose end or next digit is cut off may be lost, never applied cut short, and the cut is
// reported; one title event follows a datagram's titles.
#include "FuzzCheck.h"
#include "core/NumberText.h"
#include "devicelink/ReplyParser.h"
#include "devicelink/detail/DeviceLinkClientAccess.h"

#include <asio.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <regex>
#include <vector>

using namespace vanemark;

namespace {

constexpr std::size_t kMax = detail::ClientEngine::kMaxDatagram;
asio::io_context io;
asio::ip::udp::socket server(io, {asio::ip::make_address_v4("127.0.0.1"), 0});
DeviceLinkClient client;
detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
std::vector<std::string> titles; // the title as each title event's sink read it
bool cutReported = false;

std::string Unescaped(std::string_view raw)
{
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        i += raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == '/' || raw[i + 1] == '\\') ? 1 : 0;
        text.push_back(raw[i]);
    }
    return text;
}

// Whether the key holds what the server meant by the raw field text.
bool Holds(const DeviceLinkKey& key, std::string_view raw)
{
    const std::string text = Unescaped(raw);
    if (key.ValueType() == TypedValue::String) {
        std::string held;
        engine.Values().GetText(key, held);
        return held == text.substr(0, TypedValue::kMaxText);
    }
    double value = 0.0;
    engine.Values().GetDouble(key, value);
    if (key.Id() == 20) {
        // The clock is a float of its own form, with no carry to mend, set
        // into the key as any double would be.
        TypedValue cell(key.ValueType());
        cell.SetDouble(ParseDouble(text));
        double expected = 0.0;
        cell.GetDouble(expected);
        return value == expected || (std::isnan(value) && std::isnan(expected));
    }
    const bool integer = key.ValueType() == TypedValue::Integer;
    static const std::regex carry(R"(([-+]?)(\d+)\.100)");
    static const std::regex negativeZero(R"(-[0.]*0[0.]*)");
    if (std::smatch match; std::regex_match(text, match, carry)) {
        const double whole = ParseDouble(match[2].str()) + 1.0;
        const double expected = match[1] == "-" ? -whole : whole;
        // Carried on the digits, so a long integer part may round differently; an int saturates.
        return integer ? value == std::clamp(expected, double{INT_MIN}, double{INT_MAX})
                       : value == expected || std::abs(value - expected) <= std::abs(expected) * 4e-16;
    }
    const double number = std::regex_match(text, negativeZero) ? 0.0 : integer ? ParseInt(text) : ParseDouble(text);
    return (value == number && std::signbit(value) == std::signbit(number)) ||
           (std::isnan(value) && std::isnan(number));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (static bool started = false; !started) {
        started = true;
        client.LoadKeys(VANEMARK_SOURCE_DIR "/res/dlkeys.ini");
        client.SetLogger([](std::string_view line) { cutReported |= line.starts_with("Cut short"); });
        client.AddEventSink([](int, std::uint32_t) { client.GetKeyText(22, titles.emplace_back(), 0); }, 4);
        engine.SetTickInterval(std::chrono::microseconds::zero());
        client.Start("127.0.0.1", server.local_endpoint().port());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>("A\nA"), 3); // two replies: a link for good
    }
    const std::span<DeviceLinkKey> keys = engine.Values().Table().Keys();
    engine.ResetValues(engine.LinkGeneration());
    std::vector<std::vector<std::string>> may(keys.size(), {"0"}); // the texts each key may hold now
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (std::size_t begin = 0, end = 0; begin < size; begin = end + 1) {
        end = std::min({input.find('\n', begin), size, begin + 65000});
        const std::string_view datagram = input.substr(begin, end - begin);
        bool titled = false;
        ReplyParser(engine.Values().Table()).ParseRaw(datagram, [&](DeviceLinkKey& key, std::string_view value) {
            const bool whole = datagram.size() <= kMax || value.data() - datagram.data() + value.size() + 2 <= kMax;
            auto& texts = may[static_cast<std::size_t>(&key - keys.data())];
            texts.resize(whole ? 0 : texts.size());
            texts.emplace_back(value);
            titled |= whole && key.Id() == 22;
        });
        titles.clear();
        cutReported = false;
        server.send_to(asio::buffer(datagram),
                       asio::ip::udp::endpoint(server.local_endpoint().address(), client.LocalPort()));
        engine.OnTick();
        FUZZ_CHECK(cutReported == (datagram.size() > kMax));
        for (std::size_t i = 0; i < keys.size(); ++i) {
            std::erase_if(may[i], [&](const std::string& text) { return !Holds(keys[i], text); });
            FUZZ_CHECK(!may[i].empty());
        }
        std::string title;
        client.GetKeyText(22, title, 0);
        FUZZ_CHECK(titles.size() == 1 ? titles[0] == title : titles.empty() && !titled);
    }
    return 0;
}
