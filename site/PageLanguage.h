#pragma once

#include <string_view>

namespace site {

// The language of a page that follows the browser's.
enum class PageLanguage { Chinese, English };

// The browser's first preference by its Accept-Language header (the highest weight, the
// earliest of equal ones): Chinese for any "zh", English for any other language. Without a
// header, or with only "*", the site's own Chinese.
[[nodiscard]] PageLanguage pageLanguage(std::string_view acceptLanguage);

// "zh-CN" or "en", for the page's lang attribute and Content-Language.
[[nodiscard]] const char* languageTag(PageLanguage language);

} // namespace site
