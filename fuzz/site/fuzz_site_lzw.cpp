// The LZW decoder on any code sequence; what it expands must compress back to itself.
#include "lzw/Lzw.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string codes;
    for (std::size_t k = 0; k + 1 < size; k += 2)
        codes.push_back(static_cast<char16_t>(data[k] | (data[k + 1] << 8)));
    // Keep most codes near the dictionary so that the fuzzer reaches long phrases.
    for (char16_t& code : codes)
        if (code & 0x8000)
            code = static_cast<char16_t>(code & 0x3FF);
    const auto text = lzw::decompress(codes, 1 << 20);
    if (text) {
        const auto packed = lzw::compress(*text);
        if (!packed)
            std::abort();
        const auto again = lzw::decompress(*packed);
        if (!again || *again != *text)
            std::abort();
    }
    return 0;
}
