#pragma once

#include "site/PixelUpload.h"
#include "site/SiteServer.h"

#include <filesystem>
#include <httplib.h>
#include <memory>
#include <string>

namespace sitetest {

// A folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The site in this process on a free port of 127.0.0.1, with a fresh data folder.
class RunningSite {
public:
    explicit RunningSite(site::SiteOptions options = {});
    [[nodiscard]] int port() const { return m_server->port(); }
    [[nodiscard]] std::string base() const;
    [[nodiscard]] httplib::Client client() const;
    [[nodiscard]] site::SiteContext& context() { return m_server->context(); }
    [[nodiscard]] const std::filesystem::path& data() const { return m_folder.path(); }

private:
    TemporaryFolder m_folder;
    std::unique_ptr<site::SiteServer> m_server;
};

// A smooth picture with some detail, different for each `seed`.
[[nodiscard]] site::Picture testPicture(int seed);
// The upload2.aspx body the movie would post for `picture`.
[[nodiscard]] std::string uploadBody(const site::Picture& picture, const std::string& title = "t",
                                     const std::string& author = "a");
// The form body of an upload whose "text" field is the UTF-8 of `codes`.
[[nodiscard]] std::string uploadBodyWithText(const std::u16string& codes);
[[nodiscard]] std::string utf8(const std::u16string& text);
// The value of `name` in a form-encoded answer.
[[nodiscard]] std::string answerField(const std::string& answer, const std::string& name);
// Every file below `folder`, relative, sorted.
[[nodiscard]] std::vector<std::string> filesBelow(const std::filesystem::path& folder);
// Peak signal-to-noise ratio of a JPEG against the picture it was made of; -1 when the
// bytes do not decode to 240×180.
[[nodiscard]] double psnr(const std::string& jpeg, const site::Picture& picture);

} // namespace sitetest

namespace sitetest {
// Sends `bytes` on a new connection to 127.0.0.1:`port` and returns what comes back
// before the server closes or `timeoutMs` passes.
[[nodiscard]] std::string rawExchange(int port, const std::string& bytes, int timeoutMs = 3000);
// A start report, to send right behind a request the site must refuse: it must never count.
extern const std::string kSmuggledReport;
} // namespace sitetest
