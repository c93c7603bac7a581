// Any bytes as the body of a file upload, through the site's own route and its multipart
// reader, into a data folder: nothing may be written but the one upload name, and the site
// must keep answering.
#include "site/SiteServer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <httplib.h>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Site {
    Site() {
        std::string pattern = (fs::temp_directory_path() / "ivemba-fuzz-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        site::SiteOptions options;
        options.port = 0;
        options.data = folder;
        options.log = false;
        options.threads = 2;
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
    httplib::Client client("127.0.0.1", site.port);
    const std::string body(reinterpret_cast<const char*>(data), size);
    auto answer =
        client.Post("/uploadfile.aspx?filename=1_.jpg", body, "multipart/form-data; boundary=b");
    if (!answer)
        std::abort();
    for (const auto& entry : fs::directory_iterator(site.folder / "upload"))
        if (entry.path().filename() != "1_.jpg")
            std::abort();
    return 0;
}
