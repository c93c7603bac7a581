#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace testsupport {

// One request as the site saw it, recorded before it was answered.
struct RecordedRequest {
    std::string method;
    std::string path;  // without the query
    std::string query; // the raw query, without "?"
    std::string body;  // the raw body (for a multipart upload, the parts' contents joined)
    std::string contentType;
    std::multimap<std::string, std::string> fields; // query and form fields, decoded
    struct File {
        std::string field, filename, contentType, content;
    };
    std::vector<File> files; // the parts of a multipart upload

    [[nodiscard]] std::string field(const std::string& name) const;
};

// A web site for tests on 127.0.0.1 at a random port, served from its own thread: it serves
// a folder, answers scripted routes, fails with a status, stalls in the middle of a body,
// sends more than a client should accept, and records every request. Routes take
// precedence over the folder; a path with neither is a 404.
class LocalSite {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    LocalSite();
    ~LocalSite();
    LocalSite(const LocalSite&) = delete;
    LocalSite& operator=(const LocalSite&) = delete;

    [[nodiscard]] int port() const { return m_port; }
    // "http://127.0.0.1:PORT", the site base to give the program.
    [[nodiscard]] QString base() const;
    // base() + `path` (which starts with "/").
    [[nodiscard]] QString url(const QString& path) const;

    // Files below `folder` answer GET requests for the same path below "/".
    void serveFolder(const QString& folder);
    // Any method on `path` (exact, without the query) runs `handler`.
    void route(const std::string& path, Handler handler);
    // `path` answers `body` with status 200.
    void answer(const std::string& path, std::string body,
                std::string contentType = "text/plain; charset=utf-8");
    // `path` answers `status` with a short body.
    void fail(const std::string& path, int status);
    // `path` announces `announced` bytes, sends the first `sent` and then sends nothing
    // more until the site stops or the client goes away.
    void stall(const std::string& path, std::size_t announced, std::size_t sent);
    // `path` sends `bytes` bytes of "x", announcing them honestly when `announce` holds and
    // chunked (no length) otherwise.
    void flood(const std::string& path, std::size_t bytes, bool announce = true);
    // `path` waits `ms` milliseconds before it answers `body`.
    void delay(const std::string& path, int ms, std::string body);

    [[nodiscard]] std::vector<RecordedRequest> requests() const;
    [[nodiscard]] int count(const std::string& path) const;
    void clearRequests();

private:
    void dispatch(const httplib::Request& request, httplib::Response& response);
    void record(const httplib::Request& request);

    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Handler> m_routes;
    std::string m_folder;
    std::vector<RecordedRequest> m_requests;
};

// A server that accepts connections and answers each with `bytes` verbatim, then closes
// it: for answers no HTTP library would send (cut in the middle of the header, say).
class RawSite {
public:
    explicit RawSite(std::string bytes);
    ~RawSite();
    RawSite(const RawSite&) = delete;
    RawSite& operator=(const RawSite&) = delete;

    [[nodiscard]] int port() const { return m_port; }
    [[nodiscard]] QString url(const QString& path) const;

private:
    std::string m_bytes;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

// A port on 127.0.0.1 where nothing listens.
[[nodiscard]] int refusedPort();

} // namespace testsupport
