#include "site/SvgChart.h"

#include "site/Html.h"

#include <algorithm>
#include <cmath>

namespace site {

namespace {

constexpr const char* kColours[3] = {"#3b7dd8", "#3aa35b", "#e8913a"};
constexpr const char* kChineseNames[3] = {"启动次数", "拍照（桌面版）", "拍照（网页版）"};
constexpr const char* kEnglishNames[3] = {"Starts", "Photos (desktop)", "Photos (browser)"};

// 1, 2, 5, 10, 20, 50 ...: a step that gives at most five grid lines.
std::int64_t gridStep(std::int64_t top) {
    std::int64_t step = 1;
    while (true) {
        for (std::int64_t factor : {1, 2, 5})
            if (top <= step * factor * 5)
                return step * factor;
        step *= 10;
    }
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace

std::string dailyChart(const std::vector<DayCounts>& allDays, PageLanguage language, int width,
                       int height) {
    const bool chinese = language == PageLanguage::Chinese;
    const char* const* names = chinese ? kChineseNames : kEnglishNames;
    // The chart shows the latest month; the table below it keeps every day.
    const std::size_t shown = std::min<std::size_t>(allDays.size(), 31);
    const std::vector<DayCounts> days(allDays.end() - static_cast<std::ptrdiff_t>(shown),
                                      allDays.end());
    const double left = 56, right = 16, top = 36, bottom = 56;
    const double plotWidth = width - left - right, plotHeight = height - top - bottom;
    std::int64_t highest = 1;
    for (const DayCounts& day : days)
        highest = std::max({highest, day.starts, day.capturesSoft, day.capturesIe});
    const std::int64_t step = gridStep(highest);
    const std::int64_t axisTop = (highest + step - 1) / step * step;

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
                      "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
                      std::to_string(width) + " " + std::to_string(height) +
                      "\" font-size=\"12\" role=\"img\" aria-label=\"" +
                      std::string(chinese ? "每日启动与拍照" : "Starts and photos by day") + "\">";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>";
    for (std::int64_t value = 0; value <= axisTop; value += step) {
        const double y = top + plotHeight -
                         plotHeight * static_cast<double>(value) / static_cast<double>(axisTop);
        svg += "<line x1=\"" + number(left) + "\" x2=\"" + number(left + plotWidth) + "\" y1=\"" +
               number(y) + "\" y2=\"" + number(y) + "\" stroke=\"#dde5ee\"/>";
        svg += "<text x=\"" + number(left - 6) + "\" y=\"" + number(y + 4) +
               "\" text-anchor=\"end\" fill=\"#6b819a\">" + std::to_string(value) + "</text>";
    }
    for (int series = 0; series < 3; ++series) {
        const double x = left + series * 150.0;
        svg += "<rect x=\"" + number(x) + "\" y=\"10\" width=\"12\" height=\"12\" fill=\"" +
               kColours[series] + "\"/><text x=\"" + number(x + 18) + "\" y=\"20\">" +
               names[series] + "</text>";
    }
    if (days.empty()) {
        svg += "<text x=\"" + number(left + plotWidth / 2) + "\" y=\"" +
               number(top + plotHeight / 2) + "\" text-anchor=\"middle\" fill=\"#6b819a\">" +
               std::string(chinese ? "还没有统计数据" : "No reports yet") + "</text>";
    }
    const double slot = days.empty() ? 0 : plotWidth / static_cast<double>(days.size());
    const double bar = std::min(24.0, slot * 0.8 / 3);
    for (std::size_t i = 0; i < days.size(); ++i) {
        const DayCounts& day = days[i];
        const std::int64_t values[3] = {day.starts, day.capturesSoft, day.capturesIe};
        const double middle = left + slot * (static_cast<double>(i) + 0.5);
        for (int series = 0; series < 3; ++series) {
            const double h =
                plotHeight * static_cast<double>(values[series]) / static_cast<double>(axisTop);
            svg += "<rect x=\"" + number(middle + (series - 1.5) * bar) + "\" y=\"" +
                   number(top + plotHeight - h) + "\" width=\"" + number(bar) + "\" height=\"" +
                   number(h) + "\" fill=\"" + kColours[series] + "\"><title>" +
                   escapeHtml(day.day) + " " + names[series] + " " +
                   std::to_string(values[series]) + "</title></rect>";
        }
        // Every label when they fit, otherwise every few days.
        const std::size_t every = std::max<std::size_t>(1, days.size() / 10);
        if (i % every == 0)
            svg += "<text x=\"" + number(middle) + "\" y=\"" + number(top + plotHeight + 18) +
                   "\" text-anchor=\"middle\" fill=\"#2d4e6d\">" +
                   escapeHtml(day.day.size() > 5 ? day.day.substr(5) : day.day) + "</text>";
    }
    svg += "<line x1=\"" + number(left) + "\" x2=\"" + number(left + plotWidth) + "\" y1=\"" +
           number(top + plotHeight) + "\" y2=\"" + number(top + plotHeight) +
           "\" stroke=\"#2d4e6d\"/>";
    svg += "</svg>";
    return svg;
}

} // namespace site
