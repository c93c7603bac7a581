#include "site/http/Message.h"

#include <algorithm>

namespace site::http {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

std::string Request::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (equalsIgnoringCase(key, name))
            return value;
    return {};
}

bool Request::hasHeader(std::string_view name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [name](const auto& field) { return equalsIgnoringCase(field.first, name); });
}

bool Request::isMultipart() const {
    const std::string type = header("Content-Type");
    constexpr std::string_view kMultipart = "multipart/form-data";
    return type.size() >= kMultipart.size() &&
           equalsIgnoringCase(std::string_view(type).substr(0, kMultipart.size()), kMultipart);
}

void Response::setHeader(std::string name, std::string value) {
    for (auto& [key, old] : headers)
        if (equalsIgnoringCase(key, name)) {
            old = std::move(value);
            return;
        }
    headers.emplace_back(std::move(name), std::move(value));
}

} // namespace site::http
