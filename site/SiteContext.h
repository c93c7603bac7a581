#pragma once

#include "site/BorderCatalogue.h"
#include "site/DataFolder.h"
#include "site/Database.h"
#include "site/SiteOptions.h"

#include <atomic>
#include <functional>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace site {

// What every route of the site shares.
struct SiteContext {
    explicit SiteContext(const SiteOptions& options);

    SiteOptions options;
    DataFolder data;
    Database database;
    BorderCatalogue borders;
    std::filesystem::path movie;
    std::atomic<unsigned> photoSequence{0};

    // "http://" + the Host the request named: the address the browser used to reach us.
    [[nodiscard]] static std::string requestBase(const httplib::Request& request);
};

// Answers the whole file at `path` with `contentType`, or 404.
void sendFile(httplib::Response& response, const std::filesystem::path& path,
              const std::string& contentType);
// The content type of a file by its extension.
[[nodiscard]] std::string contentTypeOf(const std::filesystem::path& path);
// A short plain-text answer with `status`.
void sendText(httplib::Response& response, int status, const std::string& text);

// A form post: the body is read through a content reader, under the path's cap, because
// the HTTP library's own reading refuses form bodies past a few kilobytes (an upload's
// text is megabytes). Multipart bodies are refused here; the file upload has its own route.
using FormHandler =
    std::function<void(const httplib::Request&, const std::string& body, httplib::Response&)>;
void postForm(httplib::Server& server, const std::string& path, FormHandler handler);

// Each area of the site adds its routes.
void addBorderRoutes(httplib::Server& server, SiteContext& context);
void addReportRoutes(httplib::Server& server, SiteContext& context);
void addPhotoRoutes(httplib::Server& server, SiteContext& context);
void addFileUploadRoutes(httplib::Server& server, SiteContext& context);
void addPageRoutes(httplib::Server& server, SiteContext& context);

} // namespace site
