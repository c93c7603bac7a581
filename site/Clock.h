#pragma once

#include <cstdint>
#include <string>

namespace site {

// Milliseconds since 1970.
[[nodiscard]] std::int64_t nowMs();
// "YYYY-MM-DD HH:MM:SS" in local time.
[[nodiscard]] std::string localTimeText(std::int64_t ms);
// "YYYY-MM-DD" in local time: the day a report counts for.
[[nodiscard]] std::string localDay(std::int64_t ms);

} // namespace site
