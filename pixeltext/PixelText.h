#pragma once

#include "common/Result.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A photo card's picture as text: for every pixel, column by column (x outer, y inner), a
// "-" and its colour 0xRRGGBB in decimal, with no leading zeros and no terminator.
namespace pixeltext {

inline constexpr int kWidth = 240;
inline constexpr int kHeight = 180;
inline constexpr int kValues = kWidth * kHeight;
// Most characters one value takes: "-" and eight digits (16777215).
inline constexpr int kMaxValueChars = 9;
inline constexpr std::size_t kMaxTextChars = std::size_t{kValues} * kMaxValueChars;

struct Position {
    int x;
    int y;
};
// Where value `index` (from 0) of the text lies in the picture.
[[nodiscard]] constexpr Position position(int index) {
    return {index / kHeight, index % kHeight};
}

// Writes "-" and the decimal digits of `value` at `out`; returns the position after them.
// `value` must be below 2^24.
template <class Char> Char* writeValue(Char* out, std::uint32_t value);

// Writes the values of a picture given as `height` rows of `width` 32-bit pixels, column by
// column, keeping the low 24 bits of each pixel. `out` needs room for width × height ×
// kMaxValueChars characters; returns the position after the last value.
char16_t* writeColumns(const std::uint32_t* const* rows, int width, int height, char16_t* out);

// How pieces of a text are cut and read.
enum class Rules {
    // The host's: pieces end at "-", CR, LF or the end (a NUL ends the text); spaces at the
    // start of a piece are skipped; a quote opens a stretch in which only the matching quote
    // or the end stops the piece; empty pieces do not count. A piece is a 32-bit signed
    // decimal integer with an optional sign, of which the low 24 bits are the colour. The
    // count is checked first: a bad piece is a fault only in a text of the right count.
    Lenient,
    // The site's: values are joined by single "-" (none before the first), each one to
    // eight digits and at most 0xFFFFFF. The first fault in reading order ends the parse.
    Strict,
};

struct Fault {
    enum class Kind {
        WrongCount, // `count` values instead of kValues
        TooMany,    // more than kValues values (strict)
        NotANumber, // the piece is not a number the rules accept
        AboveRange, // more than 0xFFFFFF (strict)
        Empty,      // an empty value (strict)
    };
    Kind kind = Kind::WrongCount;
    std::size_t count = 0;     // WrongCount: how many values the text holds
    std::size_t value = 0;     // the others: the number (from 1) of the value at fault
    std::u16string_view piece; // the others: the piece at fault, a view into the text
};

// The fault in words, as the site gives it back.
[[nodiscard]] std::string describe(const Fault& fault);

// Reads `text` under `rules` into an RGB888 picture of kWidth × kHeight at `rgb`, whose
// rows are `stride` bytes apart. On a fault the picture holds whatever was read.
[[nodiscard]] common::Status<Fault> parse(std::u16string_view text, Rules rules, std::uint8_t* rgb,
                                          std::ptrdiff_t stride);

} // namespace pixeltext
