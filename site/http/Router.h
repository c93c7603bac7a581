#pragma once

#include "site/http/Message.h"

#include <functional>
#include <string>
#include <vector>

namespace site::http {

using Handler = std::function<void(const Request&, Response&)>;

// Finds the route of a request: an exact path first, then the longest prefix. A GET route
// answers HEAD too; a path that exists under another method answers 405.
class Router {
public:
    void get(std::string path, Handler handler);
    void post(std::string path, Handler handler);
    // Every path below `prefix` (which ends in "/"); the part after it is `Request::rest`,
    // never empty, and a single path segment when `oneSegment`.
    void getUnder(std::string prefix, Handler handler, bool oneSegment = false);

    // Runs the route of `request` (its path still percent-encoded) into `response`.
    void route(Request& request, Response& response) const;

private:
    struct Route {
        std::string method;
        std::string path;
        bool prefix = false;
        bool oneSegment = false;
        Handler handler;
    };
    [[nodiscard]] const Route* find(const std::string& method, const std::string& path) const;

    std::vector<Route> m_routes;
};

} // namespace site::http
