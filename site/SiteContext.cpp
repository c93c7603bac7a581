#include "site/SiteContext.h"

#include "site/DataFolder.h"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

namespace site {

namespace {

fs::path chooseMovie(const SiteOptions& options) {
    if (!options.movie.empty())
        return options.movie;
    std::error_code error;
    if (fs::is_regular_file(options.data / "ivemba.swf", error))
        return options.data / "ivemba.swf";
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
    : options(siteOptions), store(openStore(siteOptions)), files(siteOptions.data),
      borders(chooseBorders(siteOptions), *store), movie(chooseMovie(siteOptions)) {
    if (options.version)
        store->setSetting("version", *options.version);
    if (options.download)
        store->setSetting("download", *options.download);
}

std::string SiteContext::requestBase(const http::Request& request) {
    std::string host = request.header("Host");
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

void sendFile(http::Response& response, const fs::path& path, const std::string& contentType) {
    sendBytes(response, DataFolder::read(path), contentType);
}

void sendBytes(http::Response& response, std::optional<std::string> bytes,
               const std::string& contentType) {
    if (!bytes) {
        sendText(response, 404, "not found");
        return;
    }
    response.status = 200;
    response.setContent(std::move(*bytes), contentType);
    // Every file is served as exactly the type named here; no browser may guess another.
    response.setHeader("X-Content-Type-Options", "nosniff");
}

void postForm(http::Router& server, const std::string& path, FormHandler handler) {
    server.post(path, [handler = std::move(handler)](const http::Request& request,
                                                     http::Response& response) {
        if (request.isMultipart()) {
            sendText(response, 400, "status=error&reason=not%20a%20form");
            return;
        }
        handler(request, request.body, response);
    });
}

void setLanguageHeaders(http::Response& response, PageLanguage language) {
    response.setHeader("Content-Language", languageTag(language));
    response.setHeader("Vary", "Accept-Language");
}

void sendText(http::Response& response, int status, const std::string& text) {
    response.status = status;
    response.setContent(text + "\n", "text/plain; charset=utf-8");
}

} // namespace site
