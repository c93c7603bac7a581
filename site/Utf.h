#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace site {

// Strict UTF-8 to UTF-16: overlong forms, surrogates and code points past the first plane
// give nothing (the upload's codes are single UTF-16 units, so no valid text needs them).
[[nodiscard]] std::optional<std::u16string> utf8ToUtf16(std::string_view text);

// True for well-formed UTF-8 (any plane), for names and texts the site stores.
[[nodiscard]] bool isValidUtf8(std::string_view text);

} // namespace site
