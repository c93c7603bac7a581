#include "updates/UrlFileName.h"

namespace updates {

QString UrlFileName(const QString& url) {
    // The last character is never taken as the separator, so the scan starts one before it.
    for (qsizetype i = url.size() - 2; i >= 0; --i) {
        const QChar c = url.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return url.mid(i + 1);
    }
    return url;
}

} // namespace updates
