#include "site/Clock.h"
#include "site/DataFolder.h"
#include "site/FormFields.h"
#include "site/Html.h"
#include "site/SiteContext.h"
#include "site/Utf.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace site {

namespace {

constexpr std::size_t kLongestFeedback = 8000;

std::string homePage(SiteContext& context) {
    std::string body =
        "<h1>iVemba 2.0</h1>"
        "<p>用摄像头拍下照片，或者选一张自己的图片，配上可爱的边框，做成大头贴：保存成 "
        "240×180 的 JPEG 图片，或者直接打印出来。新的边框会不断发布在这里，程序启动时"
        "会提示您下载。</p><h2>下载</h2>";
    std::vector<std::string> downloads;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(context.files / "download", error))
        if (entry.is_regular_file(error) &&
            DataFolder::isSafeName(entry.path().filename().string()))
            downloads.push_back(entry.path().filename().string());
    std::sort(downloads.begin(), downloads.end());
    if (downloads.empty())
        body += "<p>下载包正在准备中，请稍后再来。</p>";
    for (const std::string& name : downloads)
        body += "<p><a href=\"/download/" + escapeHtml(FormFields::encode(name)) + "\">下载 " +
                escapeHtml(name) + "</a></p>";
    body += "<h2>更多</h2><p><a href=\"/photos.aspx\">看看大家上传的照片</a> · "
            "<a href=\"/stats.aspx\">使用统计</a> · "
            "<a href=\"/iVemba/bugs.asp\">我发现 Bug 或有好建议</a></p>";
    return htmlPage("首页", body);
}

std::string feedbackForm(SiteContext& context, const std::string& notice) {
    std::string body = "<h1>我发现 Bug 或有好建议</h1>";
    if (!notice.empty())
        body += "<p><b>" + escapeHtml(notice) + "</b></p>";
    body += "<p>已经收到 " + std::to_string(context.store->feedbackCount()) +
            " 条意见，谢谢大家！</p>"
            "<form method=\"post\" action=\"/iVemba/bugs.asp\" accept-charset=\"utf-8\">"
            "<label>称呼</label><input name=\"author\" maxlength=\"100\">"
            "<label>联系方式（可不填）</label><input name=\"contact\" maxlength=\"100\">"
            "<label>内容</label><textarea name=\"text\" rows=\"8\" maxlength=\"4000\"></textarea>"
            "<p><button type=\"submit\">提交</button></p></form>";
    return htmlPage("意见反馈", body);
}

void receiveFeedback(SiteContext& context, const std::string& body, http::Response& response) {
    const auto form = FormFields::parse(body);
    const std::string author = form ? form->value("author") : std::string();
    const std::string contact = form ? form->value("contact") : std::string();
    const std::string text = form ? form->value("text") : std::string();
    const bool valid = form && !text.empty() && author.size() <= 400 && contact.size() <= 400 &&
                       text.size() <= kLongestFeedback && isValidUtf8(author) &&
                       isValidUtf8(contact) && isValidUtf8(text);
    if (!valid) {
        response.status = 400;
        response.setContent(feedbackForm(context, "请填写内容（不超过 4000 字）。"),
                            "text/html; charset=utf-8");
        return;
    }
    context.store->addFeedback(nowMs(), author, contact, text);
    response.setContent(feedbackForm(context, "谢谢您的意见，我们已经收到。"),
                        "text/html; charset=utf-8");
}

} // namespace

void addPageRoutes(http::Router& server, SiteContext& context) {
    server.get("/", [&context](const http::Request&, http::Response& response) {
        response.setContent(homePage(context), "text/html; charset=utf-8");
    });
    server.getUnder(
        "/download/",
        [&context](const http::Request& request, http::Response& response) {
            auto path = DataFolder::resolve(context.files / "download", request.rest);
            if (!path)
                return sendText(response, 404, "not found");
            sendFile(response, *path, "application/octet-stream");
        },
        true);
    server.get("/iVemba/bugs.asp", [&context](const http::Request&, http::Response& response) {
        response.setContent(feedbackForm(context, {}), "text/html; charset=utf-8");
    });
    postForm(server, "/iVemba/bugs.asp",
             [&context](const http::Request&, const std::string& body, http::Response& response) {
                 receiveFeedback(context, body, response);
             });
}

} // namespace site
