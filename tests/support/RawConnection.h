#pragma once

#include <chrono>
#include <string>

namespace testsupport {

// One plain TCP connection to 127.0.0.1, for speaking HTTP byte by byte: what a hostile or
// slow client does, which no HTTP client library lets a test do.
class RawConnection {
public:
    explicit RawConnection(int port);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    [[nodiscard]] bool connected() const { return m_fd >= 0; }
    // False when the peer has closed or reset the connection.
    bool send(const std::string& bytes);

    struct Received {
        std::string bytes;
        bool closed = false; // the peer closed (or reset) the connection
    };
    // Everything that arrives until the peer closes or `wait` passes without a byte.
    [[nodiscard]] Received readUntilClosed(std::chrono::milliseconds wait);
    // One whole answer (head and a Content-Length body), or what came before `wait` passed.
    [[nodiscard]] std::string readAnswer(std::chrono::milliseconds wait);

private:
    int m_fd = -1;
    std::string m_pending;
};

// How many answers "HTTP/1.x NNN" begin in `bytes`.
[[nodiscard]] int answerCount(const std::string& bytes);
// The status "NNN" of the answer that begins `answer`.
[[nodiscard]] std::string statusOf(const std::string& answer);
// How long a whole answer to a request for the version file took on a new connection; an
// hour when it was not a 200.
[[nodiscard]] std::chrono::milliseconds probeVersionFile(int port);
// A blocking socket connected to 127.0.0.1:`port`, or -1.
[[nodiscard]] int connectLoopback(int port);

} // namespace testsupport
