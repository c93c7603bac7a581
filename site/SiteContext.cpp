#include "site/SiteContext.h"

#include "site/SiteServer.h"

#include <algorithm>
#include <cctype>
#include <httplib.h>

namespace fs = std::filesystem;

namespace site {

namespace {

fs::path chooseMovie(const SiteOptions& options, const DataFolder& data) {
    if (!options.movie.empty())
        return options.movie;
    std::error_code error;
    if (fs::is_regular_file(data.root() / "ivemba.swf", error))
        return data.root() / "ivemba.swf";
#ifdef IVEMBA_SITE_DEFAULT_MOVIE
    return IVEMBA_SITE_DEFAULT_MOVIE;
#else
    return {};
#endif
}

fs::path chooseBorders(const SiteOptions& options) {
    if (!options.borders.empty())
        return options.borders;
#ifdef IVEMBA_SITE_DEFAULT_BORDERS
    return IVEMBA_SITE_DEFAULT_BORDERS;
#else
    return {};
#endif
}

} // namespace

SiteContext::SiteContext(const SiteOptions& siteOptions)
    : options(siteOptions), data(siteOptions.data), database(data.database()),
      borders(chooseBorders(siteOptions), data.borders()), movie(chooseMovie(siteOptions, data)) {}

std::string SiteContext::requestBase(const httplib::Request& request) {
    std::string host = request.get_header_value("Host");
    const bool plain = !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' ||
               c == '[' || c == ']';
    });
    return "http://" + (plain ? host : std::string("127.0.0.1:8405"));
}

std::string contentTypeOf(const fs::path& path) {
    const std::string extension = path.extension().string();
    if (extension == ".png")
        return "image/png";
    if (extension == ".gif")
        return "image/gif";
    if (extension == ".jpg" || extension == ".jpeg")
        return "image/jpeg";
    if (extension == ".xml")
        return "text/xml; charset=utf-8";
    if (extension == ".swf")
        return "application/x-shockwave-flash";
    return "application/octet-stream";
}

void sendFile(httplib::Response& response, const fs::path& path, const std::string& contentType) {
    auto bytes = DataFolder::read(path);
    if (!bytes) {
        sendText(response, 404, "not found");
        return;
    }
    response.status = 200;
    response.set_content(std::move(*bytes), contentType.c_str());
}

void postForm(httplib::Server& server, const std::string& path, FormHandler handler) {
    server.Post(path, [handler = std::move(handler)](const httplib::Request& request,
                                                     httplib::Response& response,
                                                     const httplib::ContentReader& reader) {
        if (request.is_multipart_form_data()) {
            sendText(response, 400, "status=error&reason=not%20a%20form");
            response.set_header("Connection", "close");
            return;
        }
        const std::size_t cap = SiteServer::bodyCap(request.path);
        std::string body;
        bool tooLarge = false;
        const bool read = reader([&](const char* data, std::size_t length) {
            if (body.size() + length > cap) {
                tooLarge = true;
                return false;
            }
            body.append(data, length);
            return true;
        });
        if (!read) {
            sendText(response, tooLarge ? 413 : 400, "status=error&reason=body%20not%20read");
            response.set_header("Connection", "close");
            return;
        }
        handler(request, body, response);
    });
}

void sendText(httplib::Response& response, int status, const std::string& text) {
    response.status = status;
    response.set_content(text + "\n", "text/plain; charset=utf-8");
}

} // namespace site
