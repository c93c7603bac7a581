#include "common/PictureUploadName.h"
#include "site/PictureType.h"
#include "site/SiteContext.h"
#include "site/http/Multipart.h"

namespace fs = std::filesystem;

namespace site {

namespace {

constexpr std::size_t kLargestFile = 1024 * 1024;

// The picture file of the browser edition: kept only when it is a picture the movie can
// load back, so that nothing under "upload/" can ever be served as a page or a script.
void receive(SiteContext& context, const http::Request& request, http::Response& response) {
    const std::string name = request.param("filename");
    if (!common::isPictureUploadName(name))
        return sendText(response, 400, "status=error&reason=bad%20filename");
    if (!request.isMultipart())
        return sendText(response, 400, "status=error&reason=not%20a%20file%20upload");
    const auto part = http::firstFilePart(request.header("Content-Type"), request.body);
    if (!part)
        return sendText(response, 400, "status=error&reason=no%20file");
    if (part->content.size() > kLargestFile)
        return sendText(response, 413, "status=error&reason=file%20too%20large");
    if (pictureTypeOf(part->content).empty() || !hasPictureExtension(name))
        return sendText(response, 415, "status=error&reason=not%20a%20JPEG%2C%20PNG%20or%20GIF");
    if (!context.store->putUpload(name, std::string(part->content)))
        return sendText(response, 507, "status=error&reason=storage%20full");
    sendText(response, 200, "status=ok");
}

void serve(SiteContext& context, const http::Request& request, http::Response& response) {
    if (!common::isPictureUploadName(request.rest))
        return sendText(response, 404, "not found");
    auto bytes = context.store->upload(request.rest);
    const std::string_view type = bytes ? pictureTypeOf(*bytes) : std::string_view();
    if (type.empty())
        return sendText(response, 404, "not found");
    response.setContent(std::move(*bytes), std::string(type));
    response.setHeader("X-Content-Type-Options", "nosniff");
}

void remove(SiteContext& context, const http::Request& request, http::Response& response) {
    const std::string name = request.param("filename");
    if (!common::isPictureUploadName(name))
        return sendText(response, 400, "status=error&reason=bad%20filename");
    context.store->removeUpload(name);
    sendText(response, 200, "status=ok");
}

} // namespace

void addFileUploadRoutes(http::Router& server, SiteContext& context) {
    for (const std::string prefix : {"", "/ivemba"}) {
        server.post(prefix + "/uploadfile.aspx",
                    [&context](const http::Request& request, http::Response& response) {
                        receive(context, request, response);
                    });
        server.getUnder(prefix + "/upload/",
                        [&context](const http::Request& request, http::Response& response) {
                            serve(context, request, response);
                        });
        const auto removal = [&context](const http::Request& request, http::Response& response) {
            remove(context, request, response);
        };
        server.get(prefix + "/uploadfile_del.aspx", removal);
        server.post(prefix + "/uploadfile_del.aspx", removal);
    }
}

} // namespace site
