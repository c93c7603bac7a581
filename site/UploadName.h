#pragma once

#include <string_view>

namespace site {

// The names the movie gives picture files it uploads: its clock in milliseconds, "_", and
// the file's extension (dot included) or, for a name without a dot, the name itself. Only
// that shape is accepted, with at most five letters or digits after the "_" and its
// optional dot; it leaves no room for a separator, a dot-dot or a control character.
[[nodiscard]] bool isUploadName(std::string_view name);

} // namespace site
