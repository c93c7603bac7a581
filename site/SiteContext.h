#pragma once

#include "site/BorderCatalogue.h"
#include "site/DataFolder.h"
#include "site/Database.h"
#include "site/SiteOptions.h"

#include <atomic>
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

// Each area of the site adds its routes.
void addBorderRoutes(httplib::Server& server, SiteContext& context);
void addReportRoutes(httplib::Server& server, SiteContext& context);
void addPhotoRoutes(httplib::Server& server, SiteContext& context);
void addFileUploadRoutes(httplib::Server& server, SiteContext& context);
void addPageRoutes(httplib::Server& server, SiteContext& context);

} // namespace site
