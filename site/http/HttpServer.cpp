#include "site/http/HttpServer.h"

#include <array>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <cstdio>
#include <limits>
#include <optional>
#include <thread>

namespace site::http {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace bhttp = boost::beast::http;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

struct HttpServer::State {
    State(Router routes, ServerLimits bounds, int handlerThreads, Logger log)
        : router(std::move(routes)), limits(std::move(bounds)), logger(std::move(log)),
          workers(static_cast<std::size_t>(std::max(1, handlerThreads))) {
        io.emplace();
        acceptor.emplace(*io);
    }
    // Connections still open hold this state; they go with the event loop, while
    // everything they touch on their way out is still here.
    ~State() {
        workers.join();
        acceptor.reset();
        io.reset();
    }

    Router router;
    ServerLimits limits;
    Logger logger;
    asio::thread_pool workers;
    std::optional<asio::io_context> io;
    std::optional<tcp::acceptor> acceptor;
    std::atomic<std::size_t> connections{0};
    std::atomic<std::size_t> bodyBytes{0};
    std::atomic<bool> stopped{false};
};

namespace {

constexpr std::chrono::seconds kLinger{2};
constexpr std::uint64_t kReadChunk = 64 * 1024;

std::string text(beast::string_view view) {
    return std::string(view.data(), view.size());
}

// One client connection, from its first byte to its close. Everything it does runs on its
// own strand, so the reads, the answer from the handler pool and the writes never overlap.
class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, HttpServer::State* state)
        : m_stream(std::move(socket)), m_state(state) {
        boost::system::error_code error;
        const tcp::endpoint peer = m_stream.socket().remote_endpoint(error);
        if (!error)
            m_remote = peer.address().to_string();
        m_stream.socket().set_option(tcp::no_delay(true), error);
    }

    ~Session() {
        releaseBody();
        m_state->connections.fetch_sub(1);
    }

    void start() { readHeader(); }

private:
    void readHeader() {
        m_parser.emplace();
        m_parser->header_limit(static_cast<std::uint32_t>(m_state->limits.headerBytes));
        // The body's cap depends on its path, so it is checked once the header is in.
        m_parser->body_limit(std::numeric_limits<std::uint64_t>::max());
        m_started = Clock::now();
        m_stream.expires_after(m_state->limits.headerTime);
        bhttp::async_read_header(m_stream, m_buffer, *m_parser,
                                 [self = shared_from_this()](beast::error_code error, std::size_t) {
                                     self->onHeader(error);
                                 });
    }

    void onHeader(beast::error_code error) {
        if (error == bhttp::error::header_limit)
            return refuse(431, "the request header is too large");
        // A time-out has closed the socket already: there is no one left to answer.
        if (error == beast::error::timeout || error == bhttp::error::end_of_stream ||
            error == asio::error::eof || error == asio::error::connection_reset ||
            error == asio::error::operation_aborted)
            return close();
        if (error)
            return refuse(400, "bad request");

        const auto& header = m_parser->get();
        if (static_cast<std::size_t>(std::distance(header.begin(), header.end())) >
            m_state->limits.headerFields)
            return refuse(431, "the request has too many header lines");
        // A chunked body tells its size only at its end; the program always says it first.
        if (header.find(bhttp::field::transfer_encoding) != header.end())
            return refuse(411, "a body needs a Content-Length");
        const std::string target = text(header.target());
        const std::string path = target.substr(0, target.find('?'));
        const std::size_t cap = m_state->limits.bodyCap(path);
        const std::uint64_t announced = m_parser->content_length().value_or(0);
        if (announced > cap)
            return refuse(413, "the body is larger than " + std::to_string(cap) + " bytes");
        if (m_parser->is_done())
            return dispatch();

        m_reserved = static_cast<std::size_t>(announced);
        if (m_state->bodyBytes.fetch_add(m_reserved) + m_reserved >
            m_state->limits.bodyBytesInFlight) {
            releaseBody();
            return refuse(503, "the server is busy; try again later");
        }
        m_parser->body_limit(cap);
        // Reads take what room the buffer has; a body of megabytes in pieces of a few
        // hundred bytes would cost a system call and a completion each.
        m_buffer.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(announced, kReadChunk)));
        m_stream.expires_after(m_state->limits.bodyTime);
        const auto expect = header.find(bhttp::field::expect);
        if (expect != header.end() && beast::iequals(expect->value(), "100-continue")) {
            auto interim = std::make_shared<bhttp::response<bhttp::empty_body>>(
                bhttp::status::continue_, header.version());
            bhttp::async_write(
                m_stream, *interim,
                [self = shared_from_this(), interim](beast::error_code written, std::size_t) {
                    if (written)
                        return self->close();
                    self->readBody();
                });
            return;
        }
        readBody();
    }

    void readBody() {
        bhttp::async_read(m_stream, m_buffer, *m_parser,
                          [self = shared_from_this()](beast::error_code error, std::size_t) {
                              self->onBody(error);
                          });
    }

    void onBody(beast::error_code error) {
        releaseBody();
        if (error == bhttp::error::body_limit)
            return refuse(413, "the body is larger than announced");
        if (error == beast::error::timeout || error == bhttp::error::end_of_stream ||
            error == asio::error::eof || error == bhttp::error::partial_message ||
            error == asio::error::connection_reset || error == asio::error::operation_aborted)
            return close();
        if (error)
            return refuse(400, "bad request");
        dispatch();
    }

    // The route runs on the handler pool; its answer comes back to this strand.
    void dispatch() {
        // No reading while the handler works: a pipelined request waits in the buffer.
        m_stream.expires_never();
        auto message = m_parser->release();
        m_parser.reset();
        auto request = std::make_shared<Request>();
        request->method = text(message.method_string());
        const std::string target = text(message.target());
        const std::size_t question = target.find('?');
        request->path = target.substr(0, question);
        if (question != std::string::npos)
            request->query = FormFields::parse(std::string_view(target).substr(question + 1))
                                 .value_or(FormFields{});
        for (const auto& field : message)
            request->headers.emplace_back(text(field.name_string()), text(field.value()));
        request->body = std::move(message.body());
        request->remoteAddress = m_remote;
        const bool keepAlive = message.keep_alive();
        const unsigned version = message.version();

        asio::post(m_state->workers, [self = shared_from_this(), request, keepAlive, version] {
            auto response = std::make_shared<Response>();
            try {
                self->m_state->router.route(*request, *response);
            } catch (const std::exception& failure) {
                std::fprintf(stderr, "ivemba-site: %s\n", failure.what());
                *response = Response{};
                response->status = 500;
                response->body = "status=error&reason=internal%20error\n";
            }
            if (self->m_state->logger)
                self->m_state->logger(*request, *response,
                                      std::chrono::duration_cast<std::chrono::microseconds>(
                                          Clock::now() - self->m_started));
            const bool head = request->method == "HEAD";
            asio::post(self->m_stream.get_executor(), [self, response, keepAlive, version, head] {
                self->write(*response, version, keepAlive && !response->close, head);
            });
        });
    }

    void refuse(int status, const std::string& reason) {
        Response response;
        response.status = status;
        response.body = reason + "\n";
        const unsigned version =
            m_parser && m_parser->is_header_done() ? m_parser->get().version() : 11;
        write(response, version, false, false);
    }

    void write(const Response& response, unsigned version, bool keepAlive, bool head) {
        auto message = std::make_shared<bhttp::response<bhttp::string_body>>(
            static_cast<bhttp::status>(response.status), version);
        message->set(bhttp::field::content_type, response.contentType);
        for (const auto& [name, value] : response.headers)
            message->set(name, value);
        message->keep_alive(keepAlive);
        if (head) {
            message->content_length(response.body.size());
        } else {
            message->body() = response.body;
            message->prepare_payload();
        }
        m_stream.expires_after(m_state->limits.writeTime);
        bhttp::async_write(
            m_stream, *message,
            [self = shared_from_this(), message, keepAlive](beast::error_code error, std::size_t) {
                if (error || !keepAlive || self->m_state->stopped)
                    return self->close();
                self->readHeader();
            });
    }

    // Sends what is queued, then reads and drops whatever the client still sends for a
    // moment, so that closing with unread bytes does not reset the connection before the
    // client has read the answer.
    void close() {
        if (m_closing)
            return;
        m_closing = true;
        beast::error_code ignored;
        m_stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
        m_stream.expires_after(kLinger);
        drain();
    }

    void drain() {
        m_stream.async_read_some(asio::buffer(m_scratch),
                                 [self = shared_from_this()](beast::error_code error, std::size_t) {
                                     if (error) {
                                         beast::error_code ignored;
                                         self->m_stream.socket().close(ignored);
                                         return;
                                     }
                                     self->drain();
                                 });
    }

    void releaseBody() {
        if (m_reserved) {
            m_state->bodyBytes.fetch_sub(m_reserved);
            m_reserved = 0;
        }
    }

    beast::tcp_stream m_stream;
    HttpServer::State* m_state;
    beast::flat_buffer m_buffer;
    std::optional<bhttp::request_parser<bhttp::string_body>> m_parser;
    std::string m_remote;
    Clock::time_point m_started;
    std::size_t m_reserved = 0;
    bool m_closing = false;
    std::array<char, 4096> m_scratch{};
};

void accept(HttpServer::State* state) {
    state->acceptor->async_accept(
        asio::make_strand(*state->io), [state](beast::error_code error, tcp::socket socket) {
            if (error == asio::error::operation_aborted || !state->acceptor->is_open())
                return;
            if (!error) {
                if (state->connections.fetch_add(1) >= state->limits.connections) {
                    state->connections.fetch_sub(1);
                    beast::error_code ignored;
                    socket.close(ignored);
                } else {
                    std::make_shared<Session>(std::move(socket), state)->start();
                }
            } else if (error == asio::error::no_descriptors) {
                // Out of file descriptors: wait a little instead of spinning on the error.
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            accept(state);
        });
}

} // namespace

HttpServer::HttpServer(Router router, ServerLimits limits, int handlerThreads, Logger logger)
    : m_state(std::make_unique<State>(std::move(router), std::move(limits), handlerThreads,
                                      std::move(logger))) {}

HttpServer::~HttpServer() {
    stop();
}

int HttpServer::bind(const std::string& host, int port) {
    beast::error_code error;
    const auto address = asio::ip::make_address(host, error);
    if (error)
        throw BindError("cannot listen on " + host + ":" + std::to_string(port) +
                        ": not an IP address");
    const tcp::endpoint endpoint(address, static_cast<unsigned short>(port));
    tcp::acceptor& acceptor = *m_state->acceptor;
    acceptor.open(endpoint.protocol(), error);
    // SO_REUSEADDR lets a restart bind while old connections linger in TIME_WAIT; on Linux
    // it never lets two listening sockets share the port (that would take SO_REUSEPORT).
    if (!error)
        acceptor.set_option(asio::socket_base::reuse_address(true), error);
    if (!error)
        acceptor.bind(endpoint, error);
    if (!error)
        acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (error) {
        beast::error_code ignored;
        acceptor.close(ignored);
        throw BindError("cannot listen on " + host + ":" + std::to_string(port) + ": " +
                        error.message());
    }
    return acceptor.local_endpoint().port();
}

void HttpServer::run() {
    if (m_state->stopped)
        return;
    accept(m_state.get());
    std::thread second([state = m_state.get()] { state->io->run(); });
    m_state->io->run();
    second.join();
}

void HttpServer::stop() {
    if (m_state->stopped.exchange(true))
        return;
    asio::post(*m_state->io, [state = m_state.get()] {
        beast::error_code ignored;
        state->acceptor->close(ignored);
    });
    m_state->io->stop();
}

std::size_t HttpServer::openConnections() const {
    return m_state->connections.load();
}

} // namespace site::http
