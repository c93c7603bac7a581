#include "site/SiteServer.h"

#include "site/Clock.h"
#include "site/SiteContext.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <httplib.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>

namespace site {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::size_t kUploadTextCap = 4 * kMiB;
// One picture file of at most 1 MiB and the multipart framing around it.
constexpr std::size_t kFileUploadCap = kMiB + 16 * 1024;
constexpr std::size_t kFormCap = 64 * 1024;

// The HTTP library listens with a backlog of five, so a burst of new connections loses
// SYNs and those clients wait a second for the retry. Listening again on the same socket
// only raises the backlog; the socket is found by the port it is bound to.
void widenBacklog(int port) {
    for (int fd = 3; fd < 1024; ++fd) {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        int listening = 0;
        socklen_t size = sizeof listening;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) != 0 || !listening)
            continue;
        int bound = -1;
        if (address.ss_family == AF_INET)
            bound = ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
        else if (address.ss_family == AF_INET6)
            bound = ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
        if (bound == port)
            ::listen(fd, SOMAXCONN);
    }
}

thread_local std::chrono::steady_clock::time_point requestStart;

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::size_t SiteServer::bodyCap(const std::string& path) {
    if (endsWith(path, "/upload2.aspx"))
        return kUploadTextCap;
    if (endsWith(path, "/uploadfile.aspx"))
        return kFileUploadCap;
    return kFormCap;
}

SiteServer::SiteServer(const SiteOptions& options)
    : m_context(std::make_unique<SiteContext>(options)),
      m_server(std::make_unique<httplib::Server>()) {
    httplib::Server& server = *m_server;
    const int threads = options.threads;
    server.new_task_queue = [threads] {
        return new httplib::ThreadPool(static_cast<std::size_t>(threads));
    };
    // Answers go out as a head and a body; without this the second write waits for the
    // client's delayed acknowledgement, some 40 ms on every keep-alive request.
    server.set_tcp_nodelay(true);
    server.set_read_timeout(10, 0);
    server.set_write_timeout(10, 0);
    server.set_keep_alive_timeout(5);
    server.set_keep_alive_max_count(1000);
    // A last guard behind the caps below, which answer before a byte of the body is read.
    server.set_payload_max_length(kUploadTextCap);

    server.set_pre_routing_handler([](const httplib::Request& request,
                                      httplib::Response& response) {
        requestStart = std::chrono::steady_clock::now();
        const bool chunked = request.has_header("Transfer-Encoding");
        const std::size_t announced =
            request.has_header("Content-Length")
                ? std::strtoull(request.get_header_value("Content-Length").c_str(), nullptr, 10)
                : 0;
        // A chunked body tells its size only at its end; the program always says it first.
        if (chunked && (request.method == "POST" || request.method == "PUT")) {
            sendText(response, 411, "a body needs a Content-Length");
            response.set_header("Connection", "close");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (announced > bodyCap(request.path)) {
            sendText(response, 413,
                     "the body is larger than " + std::to_string(bodyCap(request.path)) + " bytes");
            response.set_header("Connection", "close");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr error) {
            std::string reason = "internal error";
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                reason = e.what();
            } catch (...) {
            }
            std::fprintf(stderr, "ivemba-site: %s\n", reason.c_str());
            sendText(response, 500, "status=error&reason=internal%20error");
        });
    if (options.log) {
        server.set_logger([](const httplib::Request& request, const httplib::Response& response) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - requestStart);
            std::fprintf(stderr, "%s %s %s %s %d %zu %.1fms\n", localTimeText(nowMs()).c_str(),
                         request.remote_addr.c_str(), request.method.c_str(), request.path.c_str(),
                         response.status, response.body.size(),
                         static_cast<double>(elapsed.count()) / 1000.0);
        });
    }

    addBorderRoutes(server, *m_context);
    addReportRoutes(server, *m_context);
    addPhotoRoutes(server, *m_context);
    addFileUploadRoutes(server, *m_context);
    addPageRoutes(server, *m_context);
}

SiteServer::~SiteServer() {
    stop();
}

int SiteServer::bind() {
    const SiteOptions& options = m_context->options;
    if (options.port == 0)
        m_port = m_server->bind_to_any_port(options.host);
    else
        m_port = m_server->bind_to_port(options.host, options.port) ? options.port : -1;
    if (m_port <= 0)
        throw std::runtime_error("cannot listen on " + options.host + ":" +
                                 std::to_string(options.port));
    widenBacklog(m_port);
    return m_port;
}

void SiteServer::serve() {
    m_server->listen_after_bind();
}

int SiteServer::start() {
    const int port = bind();
    m_thread = std::thread([this] { serve(); });
    while (!m_server->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return port;
}

void SiteServer::stop() {
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace site
