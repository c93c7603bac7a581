#include "updates/IconvConverter.h"

#include <cerrno>

namespace updates {

IconvConverter::IconvConverter(const char* toEncoding, const char* fromEncoding)
    : m_handle(iconv_open(toEncoding, fromEncoding)) {}

IconvConverter::~IconvConverter() {
    if (valid())
        iconv_close(m_handle);
}

common::Result<QByteArray> IconvConverter::convert(const QByteArray& input) {
    if (!valid())
        return common::Failure{QStringLiteral("unsupported encoding conversion")};
    iconv(m_handle, nullptr, nullptr, nullptr, nullptr); // back to the initial shift state

    QByteArray output;
    char buffer[4096];
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(m_handle, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            const qsizetype offset = input.size() - static_cast<qsizetype>(inLeft);
            return common::Failure{
                QStringLiteral("invalid byte sequence at offset %1").arg(offset)};
        }
    }
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    iconv(m_handle, nullptr, nullptr, &out, &outLeft);
    output.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
    return output;
}

} // namespace updates
