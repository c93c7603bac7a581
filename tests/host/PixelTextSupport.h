#pragma once

#include "host/PixelText.h"

#include <QString>
#include <cstdint>
#include <functional>

// A pixel text as the movie writes it: "-" and the decimal colour of each pixel, column by
// column.
inline QString pixelText(const std::function<std::uint32_t(int x, int y)>& colour) {
    QString text;
    text.reserve(host::PixelText::kValues * 9);
    for (int x = 0; x < host::PixelText::kWidth; ++x) {
        for (int y = 0; y < host::PixelText::kHeight; ++y) {
            text += u'-';
            text += QString::number(colour(x, y));
        }
    }
    return text;
}

// A picture with something different in every pixel, so that misplaced values show.
inline std::uint32_t patternColour(int x, int y) {
    return (std::uint32_t(x) << 16) | (std::uint32_t(y) << 8) | std::uint32_t((x * 7 + y) & 255);
}
