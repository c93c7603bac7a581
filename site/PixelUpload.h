#pragma once

#include "common/Result.h"
#include "pixeltext/PixelText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace site {

// A composed photo: 240×180, 8-bit RGB, row by row.
struct Picture {
    static constexpr int kWidth = pixeltext::kWidth;
    static constexpr int kHeight = pixeltext::kHeight;
    static constexpr int kValues = pixeltext::kValues;
    std::vector<std::uint8_t> rgb; // kWidth * kHeight * 3

    [[nodiscard]] std::uint32_t pixel(int x, int y) const;
};

// The "text" field of a photo upload, already percent-decoded: "*" + compressed piece, once
// per piece. The pieces expand to the pixel text (pixeltext/) without its leading "-", read
// under the strict rules: a picture, or the reason there is none.
class PixelUpload {
public:
    [[nodiscard]] static common::Result<Picture, std::string> decode(std::string_view utf8Text);

    // The pieces the movie cuts a pixel text into (without the leading "-"), for tests and
    // benchmarks that need an upload of a known picture. Empty when a piece cannot be
    // compressed (one far from a pixel text).
    static constexpr std::size_t kPieceLength = 70000;
    [[nodiscard]] static std::string pixelText(const Picture& picture);
    [[nodiscard]] static std::u16string compressedText(const std::string& pixelText);
};

} // namespace site
