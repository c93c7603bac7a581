#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// The upload's LZW variant: every call starts from a fresh dictionary of the 256 single
// characters, new phrases take codes from 256 upwards, codes have no width limit and there
// is no reset code; each code travels as one UTF-16 code unit.
namespace lzw {

// Compresses `text`, whose code units must all be below 256 (the pixel text uses eleven
// of them). Throws std::invalid_argument for a unit of 256 or more, and std::length_error
// when a code past 0xFFFF would have to be written (inputs far longer than an upload's
// pieces). An empty text compresses to an empty text.
[[nodiscard]] std::u16string compress(std::u16string_view text);

// Why a compressed text could not be expanded.
enum class DecodeError {
    None,
    FirstCodeNotSingle,  // the first code must name a single character
    CodeAboveDictionary, // a code past the next free one
    TooLong,             // the expansion would pass the caller's limit
};

[[nodiscard]] const char* describe(DecodeError error);

// Expands `codes`, including a code the encoder had only just entered (the previous phrase
// followed by its own first character). A few thousand codes can expand quadratically, so
// the caller bounds the output with `maxLength`. On failure returns nothing and, when
// `error` is given, says why.
[[nodiscard]] std::optional<std::u16string>
decompress(std::u16string_view codes,
           std::size_t maxLength = std::numeric_limits<std::size_t>::max(),
           DecodeError* error = nullptr);

} // namespace lzw
