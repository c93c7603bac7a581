#include "common/TransferPolicy.h"

#include <QFile>
#include <QUrl>

namespace common {

bool TransferPolicy::isWebAddress(const QUrl& address) {
    if (!address.isValid() || address.host().isEmpty())
        return false;
    const QString scheme = address.scheme().toLower();
    return scheme == u"http" || scheme == u"https";
}

QString TransferPolicy::refusal(int status, qint64 announced, qint64 received) {
    if (status < 200 || status > 299)
        return QStringLiteral("HTTP status %1").arg(status);
    if (announced >= 0 && announced != received)
        return QStringLiteral("%1 of %2 bytes").arg(received).arg(announced);
    return {};
}

QString TransferPolicy::tooLarge() const {
    return QStringLiteral("the answer is larger than %1 bytes").arg(maxBytes);
}

QString TransferPolicy::idleTimedOut() const {
    return QStringLiteral("no data for %1 ms").arg(idleTimeoutMs);
}

QString TransferPolicy::totalTimedOut() const {
    return QStringLiteral("not done after %1 ms").arg(totalTimeoutMs);
}

Result<QByteArray> readCappedFile(const QString& path, qint64 cap) {
    QFile file(path);
    const auto cannotRead = [&] {
        return Failure{QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    };
    const auto tooLarge = [&] {
        return Failure{QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(cap)};
    };
    if (!file.open(QIODevice::ReadOnly))
        return cannotRead();
    if (file.size() > cap)
        return tooLarge();
    QByteArray bytes = file.read(cap + 1);
    if (bytes.size() > cap)
        return tooLarge();
    if (file.error() != QFileDevice::NoError)
        return cannotRead();
    return bytes;
}

} // namespace common
