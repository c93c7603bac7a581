#pragma once

#include "site/PixelUpload.h"
#include "site/SiteServer.h"
#include "site/store/SiteStore.h"

#include <filesystem>
#include <gtest/gtest.h>
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

// Where a site keeps what it is sent: its own folder, or a database on the test program's
// PostgreSQL server.
enum class Backend { Folder, Postgres };
// The name of a test row that runs on `info.param`.
[[nodiscard]] std::string backendName(const testing::TestParamInfo<Backend>& info);
// A test of the site runs once on each store.
#define IVEMBA_ON_EVERY_BACKEND(suite)                                                             \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Store, suite, testing::Values(sitetest::Backend::Folder, sitetest::Backend::Postgres),     \
        sitetest::backendName)

// The options of a site on `backend`: the data folder below `folder`, or a fresh database.
[[nodiscard]] site::SiteOptions optionsFor(Backend backend, const std::filesystem::path& folder,
                                           site::SiteOptions options = {});

// The site in this process on a free port of 127.0.0.1, with a fresh data folder (and a
// fresh database on the Postgres backend).
class RunningSite {
public:
    explicit RunningSite(site::SiteOptions options = {});
    explicit RunningSite(Backend backend, site::SiteOptions options = {});
    [[nodiscard]] int port() const { return m_server->port(); }
    [[nodiscard]] std::string base() const;
    [[nodiscard]] httplib::Client client() const;
    [[nodiscard]] site::SiteContext& context() { return m_server->context(); }
    [[nodiscard]] site::SiteStore& store();
    [[nodiscard]] const std::filesystem::path& data() const { return m_folder.path(); }

private:
    TemporaryFolder m_folder;
    std::unique_ptr<site::SiteServer> m_server;
};

// `executable` (ivemba-site) as a process of its own on a free port of 127.0.0.1, so that
// it can be killed; killed with this object, or when the thread that started it ends.
class SiteProcess {
public:
    SiteProcess(const std::filesystem::path& executable, const site::SiteOptions& options);
    ~SiteProcess();
    SiteProcess(const SiteProcess&) = delete;
    SiteProcess& operator=(const SiteProcess&) = delete;
    void kill();
    // 0 when it did not start.
    [[nodiscard]] int port() const { return m_port; }

private:
    pid_t m_pid = -1;
    int m_port = 0;
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
