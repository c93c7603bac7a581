#include "support/LocalSite.h"

#include <arpa/inet.h>
#include <chrono>
#include <fstream>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

// Waits in small steps so that a stalled answer lets the site stop promptly.
bool sleepUnlessStopping(const std::atomic<bool>& stopping, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (stopping)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !stopping;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string formDecode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

void addFormFields(const std::string& body, httplib::Params& params) {
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        const std::string pair = body.substr(start, end - start);
        if (!pair.empty()) {
            const std::size_t equals = pair.find('=');
            params.emplace(formDecode(pair.substr(0, equals)),
                           equals == std::string::npos ? std::string()
                                                       : formDecode(pair.substr(equals + 1)));
        }
        start = end + 1;
    }
}

bool safeRelative(const std::string& path) {
    return path.find("..") == std::string::npos && path.find('\0') == std::string::npos;
}

} // namespace

std::string RecordedRequest::field(const std::string& name) const {
    const auto it = fields.find(name);
    return it == fields.end() ? std::string() : it->second;
}

LocalSite::LocalSite() : m_server(std::make_unique<httplib::Server>()) {
    m_server->set_read_timeout(5);
    m_server->set_write_timeout(5);
    // One request per connection: a kept-alive connection would hold the site's stop for
    // the whole keep-alive time-out.
    m_server->set_keep_alive_max_count(1);
    m_server->set_payload_max_length(64 * 1024 * 1024);
    auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        dispatch(request, response);
    };
    const std::string any = ".*";
    m_server->Get(any, handler);
    // Posts are read raw: the library refuses form bodies over 8 kB on its own, and tests
    // send whole photos as form text.
    m_server->Post(any, [this](const httplib::Request& request, httplib::Response& response,
                               const httplib::ContentReader& reader) {
        httplib::Request copy = request;
        if (request.is_multipart_form_data()) {
            httplib::MultipartFormDataMap::iterator last = copy.files.end();
            reader(
                [&copy, &last](const httplib::MultipartFormData& part) {
                    last = copy.files.emplace(part.name, part);
                    return true;
                },
                [&copy, &last](const char* data, std::size_t length) {
                    if (last != copy.files.end())
                        last->second.content.append(data, length);
                    copy.body.append(data, length);
                    return true;
                });
        } else {
            reader([&copy](const char* data, std::size_t length) {
                copy.body.append(data, length);
                return true;
            });
            if (copy.get_header_value("Content-Type")
                    .rfind("application/x-www-form-urlencoded", 0) == 0)
                addFormFields(copy.body, copy.params);
        }
        dispatch(copy, response);
    });
    m_server->Put(any, handler);
    m_server->Delete(any, handler);
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    while (!m_server->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LocalSite::~LocalSite() {
    m_stopping = true;
    m_server->stop();
    m_thread.join();
}

QString LocalSite::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QString LocalSite::url(const QString& path) const {
    return base() + path;
}

void LocalSite::serveFolder(const QString& folder) {
    std::scoped_lock lock(m_mutex);
    m_folder = folder.toStdString();
}

void LocalSite::route(const std::string& path, Handler handler) {
    std::scoped_lock lock(m_mutex);
    m_routes[path] = std::move(handler);
}

void LocalSite::answer(const std::string& path, std::string body, std::string contentType) {
    route(path, [body = std::move(body), contentType = std::move(contentType)](
                    const httplib::Request&, httplib::Response& response) {
        response.set_content(body, contentType.c_str());
    });
}

void LocalSite::fail(const std::string& path, int status) {
    route(path, [status](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_content("failed on purpose", "text/plain");
    });
}

void LocalSite::stall(const std::string& path, std::size_t announced, std::size_t sent) {
    route(path, [this, announced, sent](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            announced, "application/octet-stream",
            [this, sent](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset < sent) {
                    const std::string part(sent - offset, 's');
                    return sink.write(part.data(), part.size());
                }
                // Hold the connection open without a byte until the site stops.
                while (sink.is_writable() && sleepUnlessStopping(m_stopping, 50)) {
                }
                return false;
            });
    });
}

void LocalSite::flood(const std::string& path, std::size_t bytes, bool announce) {
    route(path, [bytes, announce](const httplib::Request&, httplib::Response& response) {
        auto provide = [bytes](std::size_t offset, httplib::DataSink& sink) {
            static const std::string block(64 * 1024, 'x');
            if (offset >= bytes) {
                sink.done();
                return true;
            }
            const std::size_t n = std::min(block.size(), bytes - offset);
            return sink.write(block.data(), n);
        };
        if (announce) {
            response.set_content_provider(
                bytes, "application/octet-stream",
                [provide](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    return provide(offset, sink);
                });
        } else {
            response.set_chunked_content_provider("application/octet-stream", provide);
        }
    });
}

void LocalSite::delay(const std::string& path, int ms, std::string body) {
    route(path,
          [this, ms, body = std::move(body)](const httplib::Request&, httplib::Response& response) {
              sleepUnlessStopping(m_stopping, ms);
              response.set_content(body, "text/plain; charset=utf-8");
          });
}

std::vector<RecordedRequest> LocalSite::requests() const {
    std::scoped_lock lock(m_mutex);
    return m_requests;
}

int LocalSite::count(const std::string& path) const {
    std::scoped_lock lock(m_mutex);
    int n = 0;
    for (const RecordedRequest& request : m_requests)
        n += request.path == path ? 1 : 0;
    return n;
}

void LocalSite::clearRequests() {
    std::scoped_lock lock(m_mutex);
    m_requests.clear();
}

void LocalSite::record(const httplib::Request& request) {
    RecordedRequest recorded;
    recorded.method = request.method;
    recorded.path = request.path;
    if (const auto mark = request.target.find('?'); mark != std::string::npos)
        recorded.query = request.target.substr(mark + 1);
    recorded.body = request.body;
    recorded.contentType = request.get_header_value("Content-Type");
    recorded.fields.insert(request.params.begin(), request.params.end());
    for (const auto& [name, part] : request.files)
        recorded.files.push_back({name, part.filename, part.content_type, part.content});
    std::scoped_lock lock(m_mutex);
    m_requests.push_back(std::move(recorded));
}

void LocalSite::dispatch(const httplib::Request& request, httplib::Response& response) {
    record(request);
    Handler handler;
    std::string folder;
    {
        std::scoped_lock lock(m_mutex);
        if (const auto it = m_routes.find(request.path); it != m_routes.end())
            handler = it->second;
        folder = m_folder;
    }
    if (handler) {
        handler(request, response);
        return;
    }
    if (!folder.empty() && request.method == "GET" && safeRelative(request.path)) {
        std::ifstream file(folder + request.path, std::ios::binary);
        if (file) {
            std::ostringstream bytes;
            bytes << file.rdbuf();
            response.set_content(bytes.str(), "application/octet-stream");
            return;
        }
    }
    response.status = 404;
    response.set_content("not found", "text/plain");
}

RawSite::RawSite(std::string bytes) : m_bytes(std::move(bytes)) {
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_listener, 16);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] {
        while (!m_stopping) {
            pollfd poller{m_listener, POLLIN, 0};
            if (::poll(&poller, 1, 20) <= 0)
                continue;
            const int connection = ::accept(m_listener, nullptr, nullptr);
            if (connection < 0)
                continue;
            // Read what the client sent first, so that closing does not reset the
            // connection before the client has read the answer.
            char buffer[4096];
            pollfd reader{connection, POLLIN, 0};
            if (::poll(&reader, 1, 200) > 0)
                (void)::recv(connection, buffer, sizeof buffer, 0);
            (void)::send(connection, m_bytes.data(), m_bytes.size(), MSG_NOSIGNAL);
            ::shutdown(connection, SHUT_RDWR);
            ::close(connection);
        }
    });
}

RawSite::~RawSite() {
    m_stopping = true;
    m_thread.join();
    ::close(m_listener);
}

QString RawSite::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port) + path;
}

int refusedPort() {
    // Bind a port, then let it go without listening: nothing answers there afterwards.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return ntohs(address.sin_port);
}

} // namespace testsupport
