#include "SlowClients.h"

#include "RawConnection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

struct Trickle {
    int fd = -1;
    std::size_t sent = 0;
};

int connectTo(int port) {
    const int fd = connectLoopback(port);
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

// A connection the server has closed reads as end of file (or an error) at once.
bool closedByPeer(int fd) {
    char byte = 0;
    const ssize_t n = ::recv(fd, &byte, 1, MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
}

} // namespace

SlowClients::SlowClients(int port, int count, std::string request, std::chrono::milliseconds pace) {
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    m_thread = std::thread(&SlowClients::run, this, port, count, std::move(request), pace);
    // Every connection is open before the caller measures anything.
    while (m_open.load() < count && !m_stop.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

SlowClients::~SlowClients() {
    m_stop = true;
    m_thread.join();
}

void SlowClients::run(int port, int count, std::string request, std::chrono::milliseconds pace) {
    std::vector<Trickle> clients(static_cast<std::size_t>(count));
    for (Trickle& client : clients) {
        client.fd = connectTo(port);
        if (client.fd >= 0)
            ++m_open;
    }
    if (m_open.load() < count)
        m_stop = true;
    while (!m_stop.load()) {
        for (Trickle& client : clients) {
            if (client.fd >= 0 && closedByPeer(client.fd)) {
                ::close(client.fd);
                client = {};
                --m_open;
                ++m_closed;
            }
            if (client.fd < 0) {
                client.fd = connectTo(port);
                if (client.fd >= 0)
                    ++m_open;
                continue;
            }
            if (client.sent < request.size() &&
                ::send(client.fd, &request[client.sent], 1, MSG_NOSIGNAL) == 1)
                ++client.sent;
        }
        const auto until = std::chrono::steady_clock::now() + pace;
        while (!m_stop.load() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (Trickle& client : clients)
        if (client.fd >= 0)
            ::close(client.fd);
}

} // namespace testsupport
