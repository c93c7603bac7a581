#include "site/SiteServer.h"

#include "site/Clock.h"
#include "site/SiteContext.h"

#include <cstdio>

namespace site {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::size_t kUploadTextCap = 4 * kMiB;
// One picture file of at most 1 MiB and the multipart framing around it.
constexpr std::size_t kFileUploadCap = kMiB + 16 * 1024;
constexpr std::size_t kFormCap = 64 * 1024;

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

http::Router routesOf(SiteContext& context) {
    http::Router router;
    addBorderRoutes(router, context);
    addReportRoutes(router, context);
    addPhotoRoutes(router, context);
    addFileUploadRoutes(router, context);
    addPageRoutes(router, context);
    return router;
}

http::ServerLimits limitsOf(const SiteOptions& options) {
    http::ServerLimits limits;
    limits.headerTime = options.headerTime;
    limits.bodyTime = options.bodyTime;
    limits.bodyCap = &SiteServer::bodyCap;
    return limits;
}

void logRequest(const http::Request& request, const http::Response& response,
                std::chrono::microseconds elapsed) {
    std::fprintf(stderr, "%s %s %s %s %d %zu %.1fms\n", localTimeText(nowMs()).c_str(),
                 request.remoteAddress.c_str(), request.method.c_str(), request.path.c_str(),
                 response.status, response.body.size(),
                 static_cast<double>(elapsed.count()) / 1000.0);
}

} // namespace

std::size_t SiteServer::bodyCap(std::string_view path) {
    if (endsWith(path, "/upload2.aspx"))
        return kUploadTextCap;
    if (endsWith(path, "/uploadfile.aspx"))
        return kFileUploadCap;
    return kFormCap;
}

SiteServer::SiteServer(const SiteOptions& options)
    : m_context(std::make_unique<SiteContext>(options)),
      m_server(std::make_unique<http::HttpServer>(
          routesOf(*m_context), limitsOf(options), handlerThreads(options),
          options.log ? http::HttpServer::Logger(logRequest) : http::HttpServer::Logger())) {}

SiteServer::~SiteServer() {
    stop();
}

int SiteServer::bind() {
    const SiteOptions& options = m_context->options;
    m_port = m_server->bind(options.host, options.port);
    return m_port;
}

void SiteServer::serve() {
    m_server->run();
}

int SiteServer::start() {
    const int port = bind();
    m_thread = std::thread([this] { serve(); });
    return port;
}

void SiteServer::stop() {
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace site
