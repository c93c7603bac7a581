#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace site {

// A composed photo: 240×180, 8-bit RGB, row by row.
struct Picture {
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 180;
    static constexpr int kValues = kWidth * kHeight;
    std::vector<std::uint8_t> rgb; // kWidth * kHeight * 3

    [[nodiscard]] std::uint32_t pixel(int x, int y) const;
};

// The "text" field of a photo upload, already percent-decoded: "*" + compressed piece, once
// per piece. The pieces expand to the pixel text without its leading "-": 43 200 decimal
// 0xRRGGBB values joined by "-", column by column (x outer, y inner).
class PixelUpload {
public:
    struct Error {
        std::string reason;
    };
    [[nodiscard]] static std::variant<Picture, Error> decode(std::string_view utf8Text);

    // The pieces the movie cuts a pixel text into (without the leading "-"), for tests and
    // benchmarks that need an upload of a known picture.
    static constexpr std::size_t kPieceLength = 70000;
    [[nodiscard]] static std::string pixelText(const Picture& picture);
    [[nodiscard]] static std::u16string compressedText(const std::string& pixelText);
};

} // namespace site
