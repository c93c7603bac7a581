// Any bytes as a whole request on the wire: the site answers or closes, never crashes,
// and writes nothing outside its data folder.
#include "site/SiteServer.h"

#include <arpa/inet.h>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Site {
    Site() {
        std::string pattern = (fs::temp_directory_path() / "ivemba-fuzz-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        site::SiteOptions options;
        options.port = 0;
        options.data = folder / "data";
        options.log = false;
        options.threads = 4;
        server = std::make_unique<site::SiteServer>(options);
        port = server->start();
    }
    fs::path folder;
    std::unique_ptr<site::SiteServer> server;
    int port = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Site site;
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(site.port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        (void)!::send(fd, data, size, MSG_NOSIGNAL);
        ::shutdown(fd, SHUT_WR);
        char buffer[4096];
        pollfd poller{fd, POLLIN, 0};
        while (::poll(&poller, 1, 2000) > 0 && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
    }
    ::close(fd);
    for (const auto& entry : fs::directory_iterator(site.folder))
        if (entry.path().filename() != "data")
            std::abort();
    return 0;
}
