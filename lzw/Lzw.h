#pragma once

#include "common/Result.h"

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

// The upload's LZW variant: every call starts from a fresh dictionary of the 256 single
// characters, new phrases take codes from 256 upwards, codes have no width limit and there
// is no reset code; each code travels as one UTF-16 code unit.
namespace lzw {

// Compresses `text`, whose code units must all be below 256 (the pixel text uses eleven
// of them). Fails for a unit of 256 or more, and when a code past 0xFFFF would have to be
// written (inputs far longer than an upload's pieces). An empty text compresses to an empty
// text.
[[nodiscard]] common::Result<std::u16string, std::string> compress(std::u16string_view text);

// Expands `codes`, including a code the encoder had only just entered (the previous phrase
// followed by its own first character). A few thousand codes can expand quadratically, so
// the caller bounds the output with `maxLength`. Fails when the first code is not a single
// character, a code lies past the next free one, or the expansion would pass the limit.
[[nodiscard]] common::Result<std::u16string, std::string>
decompress(std::u16string_view codes,
           std::size_t maxLength = std::numeric_limits<std::size_t>::max());

} // namespace lzw
