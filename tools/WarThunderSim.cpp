#include "tools/WarThunderSim.h"

#include "tools/SimEncoders.h"

#include <array>
#include <utility>

namespace vanemark {

// One connection: its request head read into a bounded buffer against a
// deadline, one response, then closed. Handlers hold it alive.
class WarThunderSim::Session : public std::enable_shared_from_this<Session> {
public:
    Session(WarThunderSim& server, asio::ip::tcp::socket peer)
        : owner(server), socket(std::move(peer)), deadline(socket.get_executor())
    {
    }

    void Begin()
    {
        deadline.expires_after(kRequestTime);
        deadline.async_wait([self = shared_from_this()](std::error_code ec) {
            if (!ec) {
                self->Close();
            }
        });
        Read();
    }

private:
    void Read()
    {
        socket.async_read_some(asio::buffer(buffer.data() + used, buffer.size() - used),
                               [self = shared_from_this()](std::error_code ec, std::size_t size) {
                                   if (ec) {
                                       self->Close();
                                       return;
                                   }
                                   self->used += size;
                                   self->Received();
                               });
    }

    void Received()
    {
        const std::string_view text(buffer.data(), used);
        std::size_t end = text.find("\r\n\r\n");
        if (end == text.npos) {
            end = text.find("\n\n");
        }
        if (end != text.npos) {
            response = owner.Serve(text.substr(0, end));
            asio::async_write(socket, asio::buffer(response),
                              [self = shared_from_this()](std::error_code, std::size_t) { self->Close(); });
        } else if (used == buffer.size()) {
            Close(); // too large to be a request of Vanemark's
        } else {
            Read();
        }
    }

    void Close()
    {
        std::error_code ec;
        socket.shutdown(asio::ip::tcp::socket::shutdown_both, ec);
        socket.close(ec);
        deadline.cancel();
    }

    WarThunderSim& owner;
    asio::ip::tcp::socket socket;
    asio::steady_timer deadline;
    std::array<char, kMaxRequest> buffer{};
    std::size_t used = 0;
    std::string response;
};

WarThunderSim::WarThunderSim(WarThunderSimOptions simOptions) : options(std::move(simOptions)), values(options.replay)
{
}

WarThunderSim::~WarThunderSim()
{
    Stop();
}

void WarThunderSim::SetLog(LogFn fn)
{
    std::lock_guard lock(logLock);
    log = std::move(fn);
}

double WarThunderSim::Seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

int WarThunderSim::Start(std::string& error)
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
    acceptor = std::make_unique<asio::ip::tcp::acceptor>(*io);
    const asio::ip::tcp::endpoint local(address, static_cast<unsigned short>(options.port));
    acceptor->open(local.protocol(), ec);
    if (!ec) {
        acceptor->set_option(asio::socket_base::reuse_address(true), ec);
        acceptor->bind(local, ec);
    }
    if (!ec) {
        acceptor->listen(asio::socket_base::max_listen_connections, ec);
    }
    if (ec) {
        error = std::string("unable to listen on ")
                    .append(options.host)
                    .append(":")
                    .append(std::to_string(options.port))
                    .append(": ")
                    .append(ec.message());
        acceptor.reset();
        io.reset();
        return -1;
    }
    boundPort = acceptor->local_endpoint(ec).port();
    started = std::chrono::steady_clock::now();
    Accept();
    worker = std::thread([this] { io->run(); });
    return 0;
}

// Destroying the context destroys the handlers still waiting, and with them
// the sessions they hold.
void WarThunderSim::Stop()
{
    if (worker.joinable()) {
        io->stop();
        worker.join();
    }
    acceptor.reset();
    io.reset();
}

void WarThunderSim::Accept()
{
    acceptor->async_accept([this](std::error_code ec, asio::ip::tcp::socket peer) {
        if (ec == asio::error::operation_aborted) {
            return;
        }
        if (!ec) {
            std::make_shared<Session>(*this, std::move(peer))->Begin();
        }
        Accept();
    });
}

std::string WarThunderSim::Serve(std::string_view head)
{
    requests.fetch_add(1);
    std::string response = Answer(head, Seconds());
    std::lock_guard lock(logLock);
    if (log) {
        log(std::string(head.substr(0, head.find_first_of("\r\n")))
                .append(" -> ")
                .append(response.substr(0, response.find('\r'))));
    }
    return response;
}

std::string WarThunderSim::Answer(std::string_view head, double seconds) const
{
    // "GET /state HTTP/1.1"; a query after the path changes nothing.
    const std::string_view line = head.substr(0, head.find_first_of("\r\n"));
    const std::size_t pathStart = line.find(' ') + 1;
    const std::size_t pathEnd = line.find(' ', pathStart);
    std::string_view path = pathEnd == line.npos ? std::string_view() : line.substr(pathStart, pathEnd - pathStart);
    path = path.substr(0, path.find('?'));
    std::string status = "404 Not Found";
    std::string type = "text/plain";
    std::string body = "Not Found\n";
    if (line.starts_with("GET ") && (path == "/state" || path == "/indicators")) {
        const FlightMoment moment = values.At(seconds);
        status = "200 OK";
        type = "application/json";
        body = path == "/state" ? sim::WarThunderState(moment, battle.load())
                                : sim::WarThunderIndicators(moment, battle.load());
    }
    return std::string("HTTP/1.1 ")
        .append(status)
        .append("\r\nContent-Type: ")
        .append(type)
        .append("\r\nContent-Length: ")
        .append(std::to_string(body.size()))
        .append("\r\nConnection: close\r\n\r\n")
        .append(body);
}

} // namespace vanemark
