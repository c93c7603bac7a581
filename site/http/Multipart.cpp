#include "site/http/Multipart.h"

#include "site/http/Message.h"

#include <algorithm>
#include <functional>

namespace site::http {

namespace {

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The value of `name` among the "; "-separated parameters of a header value, unquoted.
std::optional<std::string> parameter(std::string_view value, std::string_view name) {
    std::size_t at = value.find(';');
    while (at != std::string_view::npos) {
        value.remove_prefix(at + 1);
        const std::size_t next = value.find(';');
        const std::string_view item = trim(value.substr(0, next));
        const std::size_t eq = item.find('=');
        if (eq != std::string_view::npos && equalsIgnoringCase(trim(item.substr(0, eq)), name)) {
            std::string_view found = trim(item.substr(eq + 1));
            if (found.size() >= 2 && found.front() == '"' && found.back() == '"')
                found = found.substr(1, found.size() - 2);
            return std::string(found);
        }
        at = next;
    }
    return std::nullopt;
}

std::size_t find(std::string_view text, std::string_view pattern, std::size_t from) {
    if (from > text.size())
        return std::string_view::npos;
    const auto begin = text.begin() + static_cast<std::ptrdiff_t>(from);
    const auto found = std::search(
        begin, text.end(), std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

} // namespace

std::optional<FilePart> firstFilePart(std::string_view contentType, std::string_view body) {
    const auto boundary = parameter(contentType, "boundary");
    if (!boundary || boundary->empty() || boundary->size() > 200)
        return std::nullopt;
    const std::string delimiter = "--" + *boundary;
    const std::string between = "\r\n" + delimiter;

    std::size_t at = body.compare(0, delimiter.size(), delimiter) == 0 ? delimiter.size()
                                                                       : find(body, between, 0);
    if (at == std::string_view::npos)
        return std::nullopt;
    if (at != delimiter.size())
        at += between.size();
    while (body.compare(at, 2, "--") != 0) {
        if (body.compare(at, 2, "\r\n") != 0)
            return std::nullopt;
        const std::size_t headersStart = at + 2;
        const std::size_t headersEnd = find(body, "\r\n\r\n", headersStart);
        if (headersEnd == std::string_view::npos)
            return std::nullopt;
        const std::size_t contentStart = headersEnd + 4;
        const std::size_t contentEnd = find(body, between, contentStart);
        if (contentEnd == std::string_view::npos)
            return std::nullopt;

        std::optional<std::string> field;
        std::optional<std::string> filename;
        std::string_view headers = body.substr(headersStart, headersEnd - headersStart);
        while (!headers.empty()) {
            const std::size_t end = headers.find("\r\n");
            const std::string_view line = headers.substr(0, end);
            headers = end == std::string_view::npos ? std::string_view{} : headers.substr(end + 2);
            const std::size_t colon = line.find(':');
            if (colon != std::string_view::npos &&
                equalsIgnoringCase(trim(line.substr(0, colon)), "Content-Disposition")) {
                field = parameter(line.substr(colon + 1), "name");
                filename = parameter(line.substr(colon + 1), "filename");
            }
        }
        if (filename && !filename->empty())
            return FilePart{field.value_or(std::string()), *filename,
                            body.substr(contentStart, contentEnd - contentStart)};
        at = contentEnd + between.size();
    }
    return std::nullopt;
}

} // namespace site::http
