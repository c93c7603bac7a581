#pragma once

#include "site/BorderCatalogue.h"
#include "site/PageLanguage.h"
#include "site/SiteOptions.h"
#include "site/http/Router.h"
#include "site/store/SiteStore.h"

#include <functional>
#include <memory>
#include <string>

namespace site {

// What every route of the site shares.
struct SiteContext {
    explicit SiteContext(const SiteOptions& options);

    SiteOptions options;
    std::unique_ptr<SiteStore> store;
    // Files laid out by whoever installs the site: the banner, the downloads, the movie.
    std::filesystem::path files;
    BorderCatalogue borders;
    std::filesystem::path movie;

    // "http://" + the Host the request named: the address the browser used to reach us.
    [[nodiscard]] static std::string requestBase(const http::Request& request);
};

// Answers the whole file at `path` with `contentType`, or 404.
void sendFile(http::Response& response, const std::filesystem::path& path,
              const std::string& contentType);
// Answers `bytes` with `contentType`, or 404 when there are none.
void sendBytes(http::Response& response, std::optional<std::string> bytes,
               const std::string& contentType);
// The content type of a file by its extension.
[[nodiscard]] std::string contentTypeOf(const std::filesystem::path& path);
// A page in `language` that follows the browser's: caches keep one copy per language.
void setLanguageHeaders(http::Response& response, PageLanguage language);
// A short plain-text answer with `status`.
void sendText(http::Response& response, int status, const std::string& text);

// A form post, its body already read under the path's cap. Multipart bodies are refused
// here; the file upload has its own route.
using FormHandler =
    std::function<void(const http::Request&, const std::string& body, http::Response&)>;
void postForm(http::Router& server, const std::string& path, FormHandler handler);

// Each area of the site adds its routes.
void addBorderRoutes(http::Router& server, SiteContext& context);
void addReportRoutes(http::Router& server, SiteContext& context);
void addPhotoRoutes(http::Router& server, SiteContext& context);
void addFileUploadRoutes(http::Router& server, SiteContext& context);
void addPageRoutes(http::Router& server, SiteContext& context);

} // namespace site
