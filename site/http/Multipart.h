#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace site::http {

// The first part of a multipart/form-data body that carries a file name, whatever its field
// is called (a web page's upload calls it "Filedata"). The content views into the body.
struct FilePart {
    std::string field;
    std::string filename;
    std::string_view content;
};

// Nothing when `contentType` names no boundary, the body is not framed by it, or no part
// has a file name. Linear in the body's size, whatever the body holds.
[[nodiscard]] std::optional<FilePart> firstFilePart(std::string_view contentType,
                                                    std::string_view body);

} // namespace site::http
