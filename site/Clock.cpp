#include "site/Clock.h"

#include <chrono>
#include <ctime>

namespace site {

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

namespace {

std::string localText(std::int64_t ms, const char* format) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

} // namespace

std::string localTimeText(std::int64_t ms) {
    return localText(ms, "%Y-%m-%d %H:%M:%S");
}

std::string localDay(std::int64_t ms) {
    return localText(ms, "%Y-%m-%d");
}

} // namespace site
