// The form-encoded answer of the web site on any bytes: either no answer or a list of
// fields, and the fields encode and decode back to themselves.
#include "player/net/FormEncoding.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray answer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto fields = net::decodeForm(answer);
    if (!fields)
        return 0;
    const auto again = net::decodeForm(net::encodeForm(*fields));
    if (!again || *again != *fields)
        std::abort();
    return 0;
}
