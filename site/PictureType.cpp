#include "site/PictureType.h"

#include "site/http/Message.h"

namespace site {

std::string_view pictureTypeOf(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xD8\xFF"))
        return "image/jpeg";
    if (bytes.starts_with(std::string_view("\x89PNG\r\n\x1A\n", 8)))
        return "image/png";
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a"))
        return "image/gif";
    return {};
}

bool hasPictureExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return true;
    const std::string_view extension = name.substr(dot + 1);
    for (const std::string_view picture : {"jpg", "jpeg", "png", "gif"})
        if (http::equalsIgnoringCase(extension, picture))
            return true;
    return false;
}

} // namespace site
