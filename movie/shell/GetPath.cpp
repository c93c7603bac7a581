#include "movie/shell/GetPath.h"

namespace shell {

QString GetPath(const QString& location) {
    if (location.isEmpty())
        return {};
    // A movie served over https is an address like any other: its folder ends at the last
    // slash, or the border pictures below it could never be found.
    const bool address = location.contains(QLatin1String("http://")) ||
                         location.contains(QLatin1String("https://")) ||
                         location.contains(QLatin1String("file:///"));
    const qsizetype k = location.lastIndexOf(address ? QLatin1Char('/') : QLatin1Char('\\'));
    return location.left(k + 1);
}

} // namespace shell
