#include "SiteFront.h"

#include "RawConnection.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

constexpr const char* kNginx = "/usr/sbin/nginx";

bool accepts(int port) {
    const int fd = connectLoopback(port);
    if (fd >= 0)
        ::close(fd);
    return fd >= 0;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

SiteFront::SiteFront(const fs::path& deployFolder, const std::vector<int>& sitePorts) {
    std::string pattern = (fs::temp_directory_path() / "ivemba-front-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        m_error = "cannot make a temporary folder";
        return;
    }
    m_folder = pattern;
    // nginx started as root runs its workers as nobody, who must reach the buffered bodies.
    fs::permissions(m_folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    if (!fs::exists(kNginx)) {
        m_error = std::string(kNginx) + " is not installed";
        return;
    }
    m_port = freePort();
    std::string command = "bash '" + (deployFolder / "render-front.sh").string() +
                          "' 127.0.0.1:" + std::to_string(m_port) + " '" + m_folder.string() + "'";
    for (int port : sitePorts)
        command += " 127.0.0.1:" + std::to_string(port);
    command += " > '" + (m_folder / "nginx.conf").string() + "'";
    if (std::system(command.c_str()) != 0) {
        m_error = "render-front.sh failed";
        return;
    }
    const std::string prefix = m_folder.string() + "/";
    const std::string config = (m_folder / "nginx.conf").string();
    const std::string errors = (m_folder / "error.log").string();
    m_pid = ::fork();
    if (m_pid == 0) {
        ::execl(kNginx, kNginx, "-p", prefix.c_str(), "-c", config.c_str(), "-e", errors.c_str(),
                "-g", "daemon off;", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!accepts(m_port)) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid ||
            std::chrono::steady_clock::now() > deadline) {
            m_pid = -1;
            m_error = "nginx did not start: " + readAll(m_folder / "error.log");
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

SiteFront::~SiteFront() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
    std::error_code error;
    if (!m_folder.empty())
        fs::remove_all(m_folder, error);
}

} // namespace testsupport
