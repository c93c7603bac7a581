#include "jpeg/JpegEncoder.h"
#include "site/Clock.h"
#include "site/FormFields.h"
#include "site/Html.h"
#include "site/PixelUpload.h"
#include "site/SiteContext.h"
#include "site/Utf.h"

#include <charconv>

namespace site {

namespace {

constexpr std::int64_t kPhotosPerPage = 24;
constexpr std::size_t kLongestLabel = 400; // bytes of a title or an author
constexpr int kPhotoQuality = 92;

void answer(http::Response& response, int status,
            const std::vector<std::pair<std::string, std::string>>& fields) {
    response.status = status;
    response.setContent(FormFields::encode(fields), "text/plain; charset=utf-8");
}

void refuse(http::Response& response, const std::string& reason) {
    answer(response, 400, {{"status", "error"}, {"actionname", "sendpic"}, {"reason", reason}});
}

void upload(SiteContext& context, const std::string& body, http::Response& response) {
    const auto form = FormFields::parse(body);
    if (!form)
        return refuse(response, "the form is not well encoded");
    if (form->value("actionname") != "sendpic")
        return refuse(response, "unknown actionname");
    const std::string type = form->value("phototype");
    if (type != "1" && type != "2")
        return refuse(response, "phototype is neither 1 nor 2");
    const std::string title = form->value("title");
    const std::string author = form->value("author");
    if (title.size() > kLongestLabel || author.size() > kLongestLabel || !isValidUtf8(title) ||
        !isValidUtf8(author))
        return refuse(response, "title or author too long or not UTF-8");
    if (!form->has("text"))
        return refuse(response, "no text");

    const auto decoded = PixelUpload::decode(form->value("text"));
    if (!decoded)
        return refuse(response, decoded.error());
    const Picture& picture = decoded.value();
    // Full-resolution colour: a 240×180 photo is small, and halved chroma smears the thin
    // coloured lines of the borders.
    const std::string jpeg =
        jpeg::encodeRgb(picture.rgb.data(), Picture::kWidth, Picture::kHeight, Picture::kWidth * 3,
                        kPhotoQuality, jpeg::Chroma::Full);

    const std::int64_t at = nowMs();
    const auto name = context.store->addPhoto({{}, title, author, type == "1" ? 1 : 2, at}, jpeg);
    if (!name)
        return answer(response, 507,
                      {{"status", "error"}, {"actionname", "sendpic"}, {"reason", "storage full"}});
    answer(response, 200,
           {{"status", "ok"},
            {"actionname", "sendpic"},
            {"filename", *name},
            {"tTime", localTimeText(at)},
            {"tTime0", std::to_string(at)}});
}

std::string photosPage(SiteContext& context, const http::Request& request, PageLanguage language) {
    const bool chinese = language == PageLanguage::Chinese;
    const std::int64_t total = context.store->photoCount();
    const std::int64_t pages =
        std::max<std::int64_t>(1, (total + kPhotosPerPage - 1) / kPhotosPerPage);
    std::int64_t page = 1;
    const std::string pageText = request.param("page");
    std::from_chars(pageText.data(), pageText.data() + pageText.size(), page);
    page = std::clamp<std::int64_t>(page, 1, pages);

    std::string body = chinese
                           ? "<h1>网友照片</h1><p>共 " + std::to_string(total) + " 张照片，第 " +
                                 std::to_string(page) + " / " + std::to_string(pages) + " 页</p>"
                           : "<h1>Visitors' photos</h1><p>" + std::to_string(total) +
                                 (total == 1 ? " photo" : " photos") + ", page " +
                                 std::to_string(page) + " of " + std::to_string(pages) + "</p>";
    const auto photos = context.store->photos((page - 1) * kPhotosPerPage, kPhotosPerPage);
    if (photos.empty())
        body += chinese ? "<p>还没有上传的照片。</p>" : "<p>No photos have been uploaded yet.</p>";
    body += "<div class=\"grid\">";
    for (const PhotoRecord& photo : photos) {
        body += "<div class=\"card\"><a href=\"/pics/" + escapeHtml(photo.name) +
                "\"><img src=\"/pics/" + escapeHtml(photo.name) + "\" alt=\"" +
                escapeHtml(photo.title) + "\"></a><div class=\"t\">" +
                (photo.title.empty() ? std::string(chinese ? "（无题）" : "(untitled)")
                                     : escapeHtml(photo.title)) +
                "</div><div class=\"m\">" + (chinese ? "作者：" : "By ") +
                (photo.author.empty() ? std::string(chinese ? "佚名" : "anonymous")
                                      : escapeHtml(photo.author)) +
                " · " + escapeHtml(localTimeText(photo.atMs)) + "</div></div>";
    }
    body += "</div><div class=\"pager\">";
    if (page > 1)
        body += "<a href=\"/photos.aspx?page=" + std::to_string(page - 1) + "\">" +
                (chinese ? "上一页" : "Previous page") + "</a>";
    if (page < pages)
        body += "<a href=\"/photos.aspx?page=" + std::to_string(page + 1) + "\">" +
                (chinese ? "下一页" : "Next page") + "</a>";
    body += "</div>";
    return htmlPage(chinese ? "网友照片" : "Visitors' photos", body, language);
}

} // namespace

void addPhotoRoutes(http::Router& server, SiteContext& context) {
    const auto handler = [&context](const http::Request&, const std::string& body,
                                    http::Response& response) { upload(context, body, response); };
    postForm(server, "/upload2.aspx", handler);
    postForm(server, "/ivemba/upload2.aspx", handler);
    server.getUnder(
        "/pics/",
        [&context](const http::Request& request, http::Response& response) {
            sendBytes(response, context.store->photo(request.rest), "image/jpeg");
        },
        true);
    server.get("/photos.aspx", [&context](const http::Request& request, http::Response& response) {
        const PageLanguage language = pageLanguage(request.header("Accept-Language"));
        response.setContent(photosPage(context, request, language), "text/html; charset=utf-8");
        setLanguageHeaders(response, language);
    });
}

} // namespace site
