// A key table as a user may edit it: loaded, every declared id and the application's
// subscribed, two polls built, the clock read after huge values. A line counts only with
// a numeric id; name[N] is index N - 1 (none below 1); each subscribed key's request is
// queued whole unless the queue is full, and the second poll asks for it within its split.
#include "FuzzCheck.h"
#include "core/NumberText.h"
#include "core/ProfileFile.h"
#include "core/Tokenizer.h"
#include "devicelink/detail/DeviceLinkClientAccess.h"
#include "tests/support/TempDir.h"

#include <asio.hpp>

using namespace vanemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const test::TempDir dir;
    static asio::io_context io;
    static asio::ip::udp::socket server(io, {asio::ip::make_address_v4("127.0.0.1"), 0});
    const std::string path = dir.Write("dlkeys.ini", {reinterpret_cast<const char*>(data), size});
    DeviceLinkClient client;
    detail::ClientEngine& engine = DeviceLinkClientAccess::Engine(client);
    const int count = client.LoadKeys(path);
    ProfileFile file(path);
    int numbered = 0;
    for (file.Rewind(); const auto line = file.NextLine();) {
        Tokenizer fields(line->substr(0, DeviceLinkKeyTable::kMaxLine), "\t ,");
        const std::string_view id = fields.NextToken() ? fields.NextToken().value_or("") : "";
        const std::size_t sign = id.starts_with('+') || id.starts_with('-') ? 1 : 0;
        numbered += id.size() > sign && id.find_first_not_of("0123456789", sign) == std::string_view::npos ? 1 : 0;
    }
    FUZZ_CHECK(count == numbered || (count == -1 && numbered == 0));
    for (const DeviceLinkKey& key : engine.Values().Table().Keys()) {
        const std::size_t bracket = key.Name().find('[');
        const std::int32_t number = bracket == std::string::npos ? 0 : ParseInt(key.Name().substr(bracket + 1));
        FUZZ_CHECK(key.Index() == (number > 0 ? number - 1 : -1));
    }
    engine.ParseReply("A/20\\1e999/20\\-1e10/20\\99999999999");
    engine.Values().ClockSeconds();
    engine.SetTickInterval(std::chrono::microseconds::zero());
    client.Start("127.0.0.1", server.local_endpoint().port());
    for (const DeviceLinkKey& key : engine.Values().Table().Keys()) {
        client.SubscribeKey(key.Id(), 25);
    }
    for (const int id : {20, 30, 80, 82, 84, 86, 88, 48, 46, 92, 90, 42, 94, 96, 98}) {
        client.SubscribeKey(id, 25);
    }
    const std::string pending = engine.Queue().PendingText() + "R";
    FUZZ_CHECK(pending.size() <= RequestQueue::kPendingSize);
    std::string poll;
    for (int tick = 0; tick < 2; ++tick) {
        engine.OnTick();
        std::array<char, RequestQueue::kPendingSize> datagram{};
        for (std::error_code ec; server.available() > 0 && !ec;) {
            const std::size_t length = server.receive(asio::buffer(datagram), 0, ec);
            FUZZ_CHECK(tick == 0 || length <= PollSchedule::kPollSplit + 16);
            poll.append(datagram.data(), tick == 0 ? 0 : length).push_back('R');
        }
    }
    for (int id = 1; id < DeviceLinkKeyTable::kSlots; ++id) {
        const DeviceLinkKey* key = engine.KeyById(id);
        const std::string request = key != nullptr ? detail::ClientEngine::KeyReadRequest(*key) : "";
        if (key != nullptr && key->Has(TypedValue::Readable)) {
            FUZZ_CHECK(pending.find(request + "R") != std::string::npos ||
                       pending.size() + request.size() > RequestQueue::kPendingSize);
            FUZZ_CHECK(poll.find(request.substr(1) + "R") != std::string::npos ||
                       (!key->IsIndexed() && poll.find(request.substr(1) + "/") != std::string::npos));
        }
    }
    return 0;
}
