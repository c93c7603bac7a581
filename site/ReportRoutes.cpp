#include "site/Clock.h"
#include "site/FormFields.h"
#include "site/Html.h"
#include "site/SiteContext.h"
#include "site/SvgChart.h"
#include "site/Utf.h"

#include <charconv>

namespace site {

namespace {

// A capture report covers 45 seconds of one program; anything beyond this is not a count.
constexpr std::int64_t kMostCaptures = 100000;

std::string versionFile(SiteContext& context, const http::Request& request) {
    const std::string version = context.store->setting("version").value_or("2");
    std::string download = context.store->setting("download").value_or("");
    if (download.empty())
        download = SiteContext::requestBase(request) + "/";
    // The movie takes the second top-level node as the root, so the line break after the
    // declaration matters.
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<iVemba><Delphi version=\"" +
           escapeHtml(version) + "\" download=\"" + escapeHtml(download) + "\"/></iVemba>\r\n";
}

std::string statsPage(SiteContext& context, PageLanguage language) {
    SiteStore& store = *context.store;
    const std::vector<DayCounts> days = store.days();
    const bool chinese = language == PageLanguage::Chinese;
    const std::string starts = std::to_string(store.startCount());
    const std::string soft = std::to_string(store.captureSum("soft"));
    const std::string ie = std::to_string(store.captureSum("ie"));
    std::string body = chinese ? "<h1>使用统计</h1><p>启动 " + starts + " 次；拍照：桌面版 " +
                                     soft + " 张，网页版 " + ie + " 张。</p>"
                               : "<h1>Usage statistics</h1><p>Starts: " + starts +
                                     ". Photos taken: " + soft + " with the desktop edition, " +
                                     ie + " with the browser edition.</p>";
    body += dailyChart(days, language);
    body += chinese ? "<table><tr><th>日期</th><th>启动次数</th><th>拍照（桌面版）</th>"
                      "<th>拍照（网页版）</th></tr>"
                    : "<table><tr><th>Date</th><th>Starts</th><th>Photos (desktop)</th>"
                      "<th>Photos (browser)</th></tr>";
    for (auto day = days.rbegin(); day != days.rend(); ++day)
        body += "<tr><td>" + escapeHtml(day->day) + "</td><td>" + std::to_string(day->starts) +
                "</td><td>" + std::to_string(day->capturesSoft) + "</td><td>" +
                std::to_string(day->capturesIe) + "</td></tr>";
    body += "</table>";
    return htmlPage(chinese ? "使用统计" : "Usage statistics", body, language);
}

void post(http::Router& server, const std::string& name, const FormHandler& handler) {
    postForm(server, "/" + name, handler);
    postForm(server, "/ivemba/" + name, handler);
}

} // namespace

void addReportRoutes(http::Router& server, SiteContext& context) {
    post(server, "UseRecord.aspx",
         [&context](const http::Request&, const std::string& body, http::Response& response) {
             const auto form = FormFields::parse(body);
             const std::string product = form ? form->value("pname") : std::string();
             if (!form || !form->has("pname") || product.size() > 200 || !isValidUtf8(product)) {
                 sendText(response, 400, "status=error&reason=bad%20pname");
                 return;
             }
             context.store->addStart(nowMs(), product);
             sendText(response, 200, "status=ok");
         });
    post(server, "CpRecord.aspx",
         [&context](const http::Request&, const std::string& body, http::Response& response) {
             const auto form = FormFields::parse(body);
             const std::string countText = form ? form->value("cpcount") : std::string();
             const std::string edition = form ? form->value("softmodel") : std::string();
             std::int64_t count = 0;
             const auto [end, error] =
                 std::from_chars(countText.data(), countText.data() + countText.size(), count);
             if (!form || error != std::errc() || end != countText.data() + countText.size() ||
                 count < 1 || count > kMostCaptures || (edition != "ie" && edition != "soft")) {
                 sendText(response, 400, "status=error&reason=bad%20report");
                 return;
             }
             context.store->addCaptures(nowMs(), count, edition);
             sendText(response, 200, "status=ok");
         });
    server.get("/ivemba/version.xml",
               [&context](const http::Request& request, http::Response& response) {
                   response.setContent(versionFile(context, request), "text/xml; charset=utf-8");
               });
    server.get("/stats.aspx", [&context](const http::Request& request, http::Response& response) {
        const PageLanguage language = pageLanguage(request.header("Accept-Language"));
        response.setContent(statsPage(context, language), "text/html; charset=utf-8");
        setLanguageHeaders(response, language);
    });
}

} // namespace site
