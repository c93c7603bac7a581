#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// Many connections to 127.0.0.1 that each send a request one byte a second and never
// finish it: the cheapest way to tie up a server that gives every connection a thread.
// Connections the server closes are opened again, so the pressure stays for as long as
// this object lives.
class SlowClients {
public:
    SlowClients(int port, int count, std::string request,
                std::chrono::milliseconds pace = std::chrono::seconds(1));
    ~SlowClients();
    SlowClients(const SlowClients&) = delete;
    SlowClients& operator=(const SlowClients&) = delete;

    // Connections open now.
    [[nodiscard]] int open() const { return m_open.load(); }
    // How often the server closed one of them.
    [[nodiscard]] int closedByServer() const { return m_closed.load(); }

private:
    void run(int port, int count, std::string request, std::chrono::milliseconds pace);

    std::atomic<bool> m_stop{false};
    std::atomic<int> m_open{0};
    std::atomic<int> m_closed{0};
    std::thread m_thread;
};

} // namespace testsupport
