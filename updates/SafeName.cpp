#include "updates/SafeName.h"

namespace updates {

bool isSafeName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // Longer names are refused by the file system anyway; refusing them here makes the
    // outcome the same on every file system.
    if (name.toUtf8().size() > kMaxNameBytes)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0)
            return false;
    }
    return true;
}

common::Result<QString> joinSafe(const QString& folder, const QString& name) {
    if (!isSafeName(name))
        return common::Failure{QStringLiteral("refused unsafe file name \"%1\"").arg(name)};
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace updates
