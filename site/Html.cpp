#include "site/Html.h"

namespace site {

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string htmlPage(std::string_view title, std::string_view body, PageLanguage language) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"" + std::string(languageTag(language)) + "\">";
    page += R"(<head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>)";
    page += escapeHtml(title);
    page += R"( - iVemba</title>
<style>
body{margin:0;font-family:"Noto Sans CJK SC","WenQuanYi Micro Hei","Microsoft YaHei",sans-serif;background:#f3f6fa;color:#2d4e6d}
header{background:#2d4e6d;color:#fff;padding:10px 24px;display:flex;gap:24px;align-items:center}
header b{font-size:20px;margin-right:16px}
header a{color:#dfe9f3;text-decoration:none}
main{padding:16px 24px}
h1{font-size:22px;margin:8px 0 16px}
.grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(250px,1fr));gap:16px}
.card{background:#fff;border-radius:6px;box-shadow:0 1px 4px rgba(0,0,0,.15);padding:6px}
.card img{display:block;width:240px;height:180px;margin:0 auto}
.card .t{font-weight:bold;margin-top:6px;overflow:hidden;text-overflow:ellipsis;white-space:nowrap}
.card .m{font-size:12px;color:#6b819a}
.pager{margin:18px 0;display:flex;gap:16px}
table{border-collapse:collapse;background:#fff;margin-top:16px}
td,th{border:1px solid #c8d4e0;padding:4px 12px;text-align:right}
th{background:#e4ecf4}
form label{display:block;margin:8px 0 2px}
input,textarea{width:360px;font:inherit}
</style></head><body>
)";
    page +=
        language == PageLanguage::Chinese
            ? R"(<header><b>iVemba</b><a href="/">首页</a><a href="/photos.aspx">照片</a><a href="/stats.aspx">统计</a><a href="/iVemba/bugs.asp">意见反馈</a></header>)"
            : R"(<header><b>iVemba</b><a href="/">Home</a><a href="/photos.aspx">Photos</a><a href="/stats.aspx">Statistics</a><a href="/iVemba/bugs.asp">Feedback</a></header>)";
    page += "\n<main>\n";
    page += body;
    page += "\n</main></body></html>\n";
    return page;
}

} // namespace site
