#pragma once

#include "site/http/Router.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace site::http {

// What one client may cost the server. Every bound ends in an answer that says which was
// passed (408, 411, 413, 431, 503) and the connection closes after it, with whatever the
// client sent beyond the refused request discarded, never read as a request of its own.
struct ServerLimits {
    // The request line and every header line together.
    std::size_t headerBytes = 16 * 1024;
    std::size_t headerFields = 100;
    // A whole header must arrive within this of the connection's opening or of the previous
    // answer (so it is also how long an idle keep-alive connection stays open)...
    std::chrono::milliseconds headerTime{10'000};
    // ...and the whole body within this of the header.
    std::chrono::milliseconds bodyTime{60'000};
    // An answer the client does not take within this ends the connection.
    std::chrono::milliseconds writeTime{10'000};
    // Open connections past this are closed at once.
    std::size_t connections = 10'000;
    // Bodies announced by requests still being read, all together: past it the server
    // answers 503 instead of holding more memory for clients that may never finish.
    std::size_t bodyBytesInFlight = 256 * 1024 * 1024;
    // The largest body a path takes.
    std::function<std::size_t(std::string_view path)> bodyCap = [](std::string_view) {
        return std::size_t{64 * 1024};
    };
};

// The address could not be taken, usually because another server listens there.
class BindError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An event-driven HTTP/1.1 server: a few threads read and write every connection, however
// slow its client; whole requests go to a pool of handler threads, so a route that takes
// time (a database write, a picture to encode) never holds up anyone's bytes. Pipelined
// requests are answered one after the other, in order.
class HttpServer {
public:
    struct State;
    using Logger =
        std::function<void(const Request&, const Response&, std::chrono::microseconds elapsed)>;

    HttpServer(Router router, ServerLimits limits, int handlerThreads, Logger logger = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Listens on `host`:`port` (0: any free port), which no other socket may share, and
    // returns the port. Throws BindError.
    int bind(const std::string& host, int port);
    // Serves until stop(), on this thread and one more.
    void run();
    // Ends run() from any thread; the connections still open are closed.
    void stop();

    [[nodiscard]] std::size_t openConnections() const;

private:
    std::unique_ptr<State> m_state;
};

} // namespace site::http
