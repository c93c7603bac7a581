#include "site/http/Router.h"

#include <optional>

namespace site::http {

namespace {

// Percent-decoding of a path: unlike a form, '+' stays itself.
std::optional<std::string> decodePath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '%') {
            out.push_back(path[i]);
            continue;
        }
        if (i + 2 >= path.size())
            return std::nullopt;
        auto decoded = percentDecode(path.substr(i, 3));
        if (!decoded)
            return std::nullopt;
        out += *decoded;
        i += 2;
    }
    return out;
}

bool matches(const std::string& routePath, bool prefix, bool oneSegment, const std::string& path) {
    if (!prefix)
        return path == routePath;
    return path.size() > routePath.size() && path.compare(0, routePath.size(), routePath) == 0 &&
           (!oneSegment || path.find('/', routePath.size()) == std::string::npos);
}

} // namespace

void Router::get(std::string path, Handler handler) {
    m_routes.push_back({"GET", std::move(path), false, false, std::move(handler)});
}

void Router::post(std::string path, Handler handler) {
    m_routes.push_back({"POST", std::move(path), false, false, std::move(handler)});
}

void Router::getUnder(std::string prefix, Handler handler, bool oneSegment) {
    m_routes.push_back({"GET", std::move(prefix), true, oneSegment, std::move(handler)});
}

const Router::Route* Router::find(const std::string& method, const std::string& path) const {
    const Route* best = nullptr;
    for (const Route& route : m_routes) {
        if (route.method != method || !matches(route.path, route.prefix, route.oneSegment, path))
            continue;
        if (!route.prefix)
            return &route;
        if (!best || route.path.size() > best->path.size())
            best = &route;
    }
    return best;
}

void Router::route(Request& request, Response& response) const {
    auto path = decodePath(request.path);
    if (!path || path->empty() || path->front() != '/') {
        response.status = 400;
        response.setContent("bad request\n", "text/plain; charset=utf-8");
        return;
    }
    const std::string method = request.method == "HEAD" ? "GET" : request.method;
    const Route* route = find(method, *path);
    if (!route) {
        std::string allowed;
        for (const char* other : {"GET", "POST"})
            if (other != method && find(other, *path))
                allowed = other == std::string("GET") ? "GET, HEAD" : other;
        response.status = allowed.empty() ? 404 : 405;
        response.setContent(allowed.empty() ? "not found\n" : "method not allowed\n",
                            "text/plain; charset=utf-8");
        if (!allowed.empty())
            response.setHeader("Allow", allowed);
        return;
    }
    request.path = std::move(*path);
    if (route->prefix)
        request.rest = request.path.substr(route->path.size());
    route->handler(request, response);
}

} // namespace site::http
