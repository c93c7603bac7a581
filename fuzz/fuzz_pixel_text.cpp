// The pixel text the movie sends with "savephoto", on any text: a picture of the right
// size, or a count, or the host's own error; never a crash.
#include "host/Error.h"
#include "host/PixelText.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(const QString& text) {
    try {
        const auto result = host::PixelText::parse(text);
        if (!result.picture.isNull() && (result.picture.width() != host::PixelText::kWidth ||
                                         result.picture.height() != host::PixelText::kHeight))
            std::abort();
        if (result.picture.isNull() && result.values == host::PixelText::kValues)
            std::abort(); // the right count always reads or throws
    } catch (const host::Error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* bytes = reinterpret_cast<const char*>(data);
    if (size == 0)
        return 0;
    const QString tail = QString::fromLatin1(bytes + 1, static_cast<qsizetype>(size - 1));
    if (data[0] & 1) {
        // A text of nearly the right count, so that the fuzzer reaches the reading of
        // values and the picture: all but the last few values are fixed.
        static const QString head = QStringLiteral("-0").repeated(host::PixelText::kValues - 4);
        check(head + tail);
    } else {
        check(tail);
    }
    return 0;
}
