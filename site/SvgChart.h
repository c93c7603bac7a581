#pragma once

#include "site/PageLanguage.h"
#include "site/store/SiteStore.h"

#include <string>
#include <vector>

namespace site {

// A bar chart of starts and captures per day (three bars a day: starts, desktop captures,
// browser captures), drawn as inline SVG so the page needs no script.
[[nodiscard]] std::string dailyChart(const std::vector<DayCounts>& days,
                                     PageLanguage language = PageLanguage::Chinese, int width = 940,
                                     int height = 320);

} // namespace site
