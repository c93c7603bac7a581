#pragma once

#include "site/SiteOptions.h"
#include "site/http/HttpServer.h"

#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace site {

struct SiteContext;

// The maker's web site on one address: every route the program uses, with a size cap on
// every body, a time bound on every request, and one log line per request.
class SiteServer {
public:
    explicit SiteServer(const SiteOptions& options);
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    // Binds the address (a port of 0 takes any free one) and returns the port; throws
    // http::BindError when the address is taken.
    int bind();
    // Serves until stop(), on this thread.
    void serve();
    // bind() and serve() on a thread of its own, for tests and benchmarks.
    int start();
    void stop();

    [[nodiscard]] int port() const { return m_port; }
    [[nodiscard]] SiteContext& context() { return *m_context; }

    // The body cap of a path: the photo upload's text, a picture file, everything else.
    [[nodiscard]] static std::size_t bodyCap(std::string_view path);

private:
    std::unique_ptr<SiteContext> m_context;
    std::unique_ptr<http::HttpServer> m_server;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace site
