#pragma once

// The one rule for the names of picture files the browser edition uploads, shared by the
// movie that makes them and the site that takes them. Header-only and free of Qt, so the
// site can use it as it is.

#include <cstddef>
#include <string>
#include <string_view>

namespace common {

// The longest tail a name may carry after its "_" (and the dot, when there is one).
inline constexpr std::size_t kLongestUploadTail = 32;

namespace detail {

inline bool isAsciiLetterOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "" or an optional "." and 1 to kLongestUploadTail ASCII letters or digits.
inline bool isUploadTail(std::string_view tail) {
    if (!tail.empty() && tail.front() == '.')
        tail.remove_prefix(1);
    if (tail.size() > kLongestUploadTail)
        return false;
    for (char c : tail)
        if (!isAsciiLetterOrDigit(c))
            return false;
    return true;
}

} // namespace detail

// What follows the "_" in the upload name of the file `fileName` (UTF-8): its extension
// from the last ".", dot included, or the whole name when it has no dot ("photo"). A tail
// that would carry anything but letters and digits, or is too long, is left out, so the
// name stays one plain word that no address or file system reads otherwise.
inline std::string pictureUploadTail(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::string_view tail = dot == std::string_view::npos ? fileName : fileName.substr(dot);
    return detail::isUploadTail(tail) && tail != "." ? std::string(tail) : std::string();
}

// A name of that shape: 1 to 20 digits (the movie's clock in milliseconds), "_", and a tail
// as above. It leaves no room for a separator, a dot-dot or a control character.
inline bool isPictureUploadName(std::string_view name) {
    std::size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 20 || digits == name.size() || name[digits] != '_')
        return false;
    return detail::isUploadTail(name.substr(digits + 1));
}

} // namespace common
