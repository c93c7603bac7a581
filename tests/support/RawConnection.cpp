#include "RawConnection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace testsupport {

int connectLoopback(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

RawConnection::RawConnection(int port) : m_fd(connectLoopback(port)) {
    const int on = 1;
    if (m_fd >= 0)
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

RawConnection::~RawConnection() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RawConnection::send(const std::string& bytes) {
    std::size_t sent = 0;
    while (m_fd >= 0 && sent < bytes.size()) {
        const ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return m_fd >= 0;
}

RawConnection::Received RawConnection::readUntilClosed(std::chrono::milliseconds wait) {
    Received received{std::move(m_pending), false};
    m_pending.clear();
    char buffer[65536];
    pollfd poller{m_fd, POLLIN, 0};
    while (m_fd >= 0 && ::poll(&poller, 1, static_cast<int>(wait.count())) > 0) {
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            received.closed = true;
            break;
        }
        received.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

std::string RawConnection::readAnswer(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    char buffer[65536];
    for (;;) {
        const std::size_t headEnd = m_pending.find("\r\n\r\n");
        if (headEnd != std::string::npos) {
            std::size_t length = 0;
            const std::size_t field = m_pending.find("Content-Length: ");
            if (field != std::string::npos && field < headEnd)
                length = std::stoul(m_pending.substr(field + 16));
            if (m_pending.size() >= headEnd + 4 + length) {
                std::string answer = m_pending.substr(0, headEnd + 4 + length);
                m_pending.erase(0, headEnd + 4 + length);
                return answer;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd poller{m_fd, POLLIN, 0};
        if (m_fd < 0 || left.count() <= 0 ||
            ::poll(&poller, 1, static_cast<int>(left.count())) <= 0)
            break;
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        m_pending.append(buffer, static_cast<std::size_t>(n));
    }
    return std::exchange(m_pending, {});
}

std::string statusOf(const std::string& answer) {
    return answer.size() >= 12 ? answer.substr(9, 3) : answer;
}

std::chrono::milliseconds probeVersionFile(int port) {
    const auto start = std::chrono::steady_clock::now();
    RawConnection connection(port);
    connection.send("GET /ivemba/version.xml HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    const auto answer = connection.readUntilClosed(std::chrono::seconds(5));
    if (statusOf(answer.bytes) != "200")
        return std::chrono::hours(1);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

int answerCount(const std::string& bytes) {
    int count = 0;
    for (std::size_t at = bytes.find("HTTP/1."); at != std::string::npos;
         at = bytes.find("HTTP/1.", at + 1))
        ++count;
    return count;
}

} // namespace testsupport
