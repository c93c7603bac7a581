#include "updates/IconvConverter.h"

#include <cerrno>

namespace updates {

IconvConverter::IconvConverter(const char* toEncoding, const char* fromEncoding)
    : handle_(iconv_open(toEncoding, fromEncoding)) {}

IconvConverter::~IconvConverter() {
    if (valid())
        iconv_close(handle_);
}

Result<QByteArray> IconvConverter::convert(const QByteArray& input) {
    if (!valid())
        return Error{QStringLiteral("unsupported encoding conversion")};
    iconv(handle_, nullptr, nullptr, nullptr, nullptr); // back to the initial shift state

    QByteArray output;
    char buffer[4096];
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            const qsizetype offset = input.size() - static_cast<qsizetype>(inLeft);
            return Error{QStringLiteral("invalid byte sequence at offset %1").arg(offset)};
        }
    }
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    iconv(handle_, nullptr, nullptr, &out, &outLeft);
    output.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
    return output;
}

} // namespace updates
