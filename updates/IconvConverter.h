#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>
#include <iconv.h>

namespace updates {

// One iconv conversion descriptor, closed when the converter goes away.
class IconvConverter {
public:
    // Check valid() afterwards: iconv may not know one of the two encodings.
    IconvConverter(const char* toEncoding, const char* fromEncoding);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    [[nodiscard]] bool valid() const { return m_handle != invalidHandle(); }

    // The whole input converted; a byte sequence that is not valid in the source encoding,
    // or a truncated one at the end, is an error rather than a silently damaged text.
    [[nodiscard]] common::Result<QByteArray> convert(const QByteArray& input);

private:
    static iconv_t invalidHandle() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t m_handle;
};

} // namespace updates
