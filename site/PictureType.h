#pragma once

#include <string_view>

namespace site {

// The content type of a picture the movie can load (JPEG, PNG, GIF), told by its first
// bytes; empty for anything else, whatever its name says.
[[nodiscard]] std::string_view pictureTypeOf(std::string_view bytes);

// True when the extension of an upload name (what follows its last ".") names one of those
// pictures, in any case; a name without a "." says nothing and passes.
[[nodiscard]] bool hasPictureExtension(std::string_view name);

} // namespace site
