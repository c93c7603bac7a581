#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace jpeg {

// How the colour is sampled: as libjpeg chooses by default (halved both ways, 4:2:0), or
// at full resolution (4:4:4), which keeps thin coloured lines sharp in a small picture.
enum class Chroma { LibraryDefault, Full };

// libjpeg's own words for why it could not encode.
class EncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A baseline JFIF JPEG of `height` rows of `width` RGB pixels (three bytes each, rows
// `stride` bytes apart) at `quality` (libjpeg's 0–100 scale), every other setting as libjpeg
// chooses by default. Throws EncodeError.
[[nodiscard]] std::string encodeRgb(const std::uint8_t* rgb, int width, int height,
                                    std::size_t stride, int quality,
                                    Chroma chroma = Chroma::LibraryDefault);

} // namespace jpeg
