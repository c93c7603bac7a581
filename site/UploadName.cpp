#include "site/UploadName.h"

namespace site {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetterOrDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

bool isUploadName(std::string_view name) {
    std::size_t at = 0;
    while (at < name.size() && isDigit(name[at]))
        ++at;
    if (at == 0 || at > 20 || at == name.size() || name[at] != '_')
        return false;
    ++at;
    if (at < name.size() && name[at] == '.')
        ++at;
    const std::string_view extension = name.substr(at);
    if (extension.size() > 5)
        return false;
    for (char c : extension)
        if (!isLetterOrDigit(c))
            return false;
    return true;
}

} // namespace site
