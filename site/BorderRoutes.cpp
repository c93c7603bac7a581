#include "site/SiteContext.h"

namespace site {

void addBorderRoutes(http::Router& server, SiteContext& context) {
    server.get("/iVemba/update/BVHistory.xml",
               [&context](const http::Request&, http::Response& response) {
                   auto history = context.store->updateFile("BVHistory.xml");
                   response.setContent(history ? *history : BorderCatalogue::emptyHistory(),
                                       "text/xml; charset=utf-8");
               });
    // Package descriptions and their files; names beginning with "." (the publisher's
    // staging and lock) are never served.
    server.getUnder("/iVemba/update/", [&context](const http::Request& request,
                                                  http::Response& response) {
        sendBytes(response, context.store->updateFile(request.rest), contentTypeOf(request.rest));
    });
    server.get("/iVemba/tclass.xml", [&context](const http::Request&, http::Response& response) {
        response.setContent(context.borders.classList(), "text/xml; charset=utf-8");
    });
    server.getUnder(
        "/iVemba/borders/", [&context](const http::Request& request, http::Response& response) {
            sendBytes(response, context.borders.file(request.rest), contentTypeOf(request.rest));
        });
    server.get("/iVemba/ivemba.swf", [&context](const http::Request&, http::Response& response) {
        sendFile(response, context.movie, "application/x-shockwave-flash");
    });
    server.get("/iVemba/ad2005.swf", [&context](const http::Request&, http::Response& response) {
        sendFile(response, context.files / "ad2005.swf", "application/x-shockwave-flash");
    });
}

} // namespace site
