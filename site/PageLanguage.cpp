#include "site/PageLanguage.h"

#include <cctype>
#include <charconv>
#include <string>

namespace site {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The weight of "q=0.8"; 1 without one, 0 for a weight that cannot be read.
double weightOf(std::string_view parameters) {
    while (!parameters.empty()) {
        const std::size_t semicolon = parameters.find(';');
        const std::string_view parameter = trimmed(parameters.substr(0, semicolon));
        if (parameter.size() > 2 && (parameter[0] == 'q' || parameter[0] == 'Q') &&
            parameter[1] == '=') {
            const std::string value(parameter.substr(2));
            double weight = 0;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), weight);
            return error == std::errc() && end == value.data() + value.size() && weight >= 0 &&
                           weight <= 1
                       ? weight
                       : 0;
        }
        if (semicolon == std::string_view::npos)
            break;
        parameters.remove_prefix(semicolon + 1);
    }
    return 1;
}

bool isChinese(std::string_view range) {
    return range.size() >= 2 && std::tolower(static_cast<unsigned char>(range[0])) == 'z' &&
           std::tolower(static_cast<unsigned char>(range[1])) == 'h' &&
           (range.size() == 2 || range[2] == '-' || range[2] == '_');
}

} // namespace

PageLanguage pageLanguage(std::string_view acceptLanguage) {
    std::string_view first;
    double best = 0;
    while (!acceptLanguage.empty()) {
        const std::size_t comma = acceptLanguage.find(',');
        const std::string_view entry = acceptLanguage.substr(0, comma);
        const std::size_t semicolon = entry.find(';');
        const std::string_view range = trimmed(entry.substr(0, semicolon));
        const double weight =
            semicolon == std::string_view::npos ? 1 : weightOf(entry.substr(semicolon + 1));
        if (!range.empty() && weight > best) {
            first = range;
            best = weight;
        }
        if (comma == std::string_view::npos)
            break;
        acceptLanguage.remove_prefix(comma + 1);
    }
    if (first.empty() || first == "*" || isChinese(first))
        return PageLanguage::Chinese;
    return PageLanguage::English;
}

const char* languageTag(PageLanguage language) {
    return language == PageLanguage::Chinese ? "zh-CN" : "en";
}

} // namespace site
