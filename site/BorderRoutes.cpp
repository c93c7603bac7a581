#include "site/SiteContext.h"

#include <httplib.h>

namespace site {

void addBorderRoutes(httplib::Server& server, SiteContext& context) {
    server.Get("/iVemba/update/BVHistory.xml",
               [&context](const httplib::Request&, httplib::Response& response) {
                   auto history = DataFolder::read(context.data.history());
                   response.set_content(history ? *history : BorderCatalogue::emptyHistory(),
                                        "text/xml; charset=utf-8");
               });
    // Package descriptions and their files; names beginning with "." (the publisher's
    // staging and lock) are never served.
    server.Get(R"(/iVemba/update/(.+))", [&context](const httplib::Request& request,
                                                    httplib::Response& response) {
        auto path = DataFolder::resolve(context.data.updates(), request.matches[1].str());
        if (!path) {
            sendText(response, 404, "not found");
            return;
        }
        sendFile(response, *path, contentTypeOf(*path));
    });
    server.Get("/iVemba/tclass.xml",
               [&context](const httplib::Request&, httplib::Response& response) {
                   response.set_content(context.borders.classList(), "text/xml; charset=utf-8");
               });
    server.Get(R"(/iVemba/borders/(.+))",
               [&context](const httplib::Request& request, httplib::Response& response) {
                   auto path = context.borders.file(request.matches[1].str());
                   if (!path) {
                       sendText(response, 404, "not found");
                       return;
                   }
                   sendFile(response, *path, contentTypeOf(*path));
               });
    server.Get("/iVemba/ivemba.swf",
               [&context](const httplib::Request&, httplib::Response& response) {
                   sendFile(response, context.movie, "application/x-shockwave-flash");
               });
    server.Get(
        "/iVemba/ad2005.swf", [&context](const httplib::Request&, httplib::Response& response) {
            sendFile(response, context.data.root() / "ad2005.swf", "application/x-shockwave-flash");
        });
}

} // namespace site
