#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// The site's front as it is deployed: the configuration in `deployFolder` rendered for
// 127.0.0.1 and a free port, played by Debian's nginx in a temporary folder of its own,
// passing requests to the site processes at `sitePorts`. Stopped with this object.
class SiteFront {
public:
    SiteFront(const std::filesystem::path& deployFolder, const std::vector<int>& sitePorts);
    ~SiteFront();
    SiteFront(const SiteFront&) = delete;
    SiteFront& operator=(const SiteFront&) = delete;

    [[nodiscard]] bool running() const { return m_pid > 0; }
    // Why it is not running, with nginx's own words where it said any.
    [[nodiscard]] const std::string& error() const { return m_error; }
    [[nodiscard]] int port() const { return m_port; }

private:
    std::filesystem::path m_folder;
    std::string m_error;
    pid_t m_pid = -1;
    int m_port = 0;
};

// A port of 127.0.0.1 that nothing listens on at the moment of asking.
[[nodiscard]] int freePort();

} // namespace testsupport
