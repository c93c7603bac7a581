#pragma once

#include "site/PageLanguage.h"

#include <string>
#include <string_view>

namespace site {

// Text for HTML element content and quoted attribute values.
[[nodiscard]] std::string escapeHtml(std::string_view text);

// A whole UTF-8 page in the site's look, with the navigation on top in `language`.
[[nodiscard]] std::string htmlPage(std::string_view title, std::string_view body,
                                   PageLanguage language = PageLanguage::Chinese);

} // namespace site
