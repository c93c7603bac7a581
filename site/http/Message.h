#pragma once

#include "site/FormFields.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace site::http {

// One request as a route sees it: whole, with its body already read under the path's cap.
struct Request {
    std::string method; // "GET", "HEAD", "POST", ...
    std::string path;   // the target before "?", as sent
    FormFields query;   // the decoded fields after "?"; empty when they are not well encoded
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::string remoteAddress;
    // What a prefix route matched after its prefix ("a/b.png" of "/iVemba/borders/a/b.png").
    std::string rest;

    // The first header of that name, compared without case; empty when there is none.
    [[nodiscard]] std::string header(std::string_view name) const;
    [[nodiscard]] bool hasHeader(std::string_view name) const;
    // The query field `name`, or empty.
    [[nodiscard]] std::string param(std::string_view name) const { return query.value(name); }
    [[nodiscard]] bool isMultipart() const;
};

struct Response {
    int status = 200;
    std::string body;
    std::string contentType = "text/plain; charset=utf-8";
    std::vector<std::pair<std::string, std::string>> headers;
    // The connection ends after this answer, and nothing more the client sent is read.
    bool close = false;

    void setContent(std::string content, std::string type) {
        body = std::move(content);
        contentType = std::move(type);
    }
    void setHeader(std::string name, std::string value);
};

// Case-insensitive comparison of header names and tokens.
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace site::http
