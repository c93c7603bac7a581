#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QUrl;

namespace common {

// The rules every transfer of the program keeps, the movie's loads, posts and uploads as
// well as the border downloads: which addresses reach the network, what counts as an
// answer, how long it may take and how large it may be. Qt sets none of these by itself: a
// reply buffers whatever the server sends, and waits for a silent server forever.
struct TransferPolicy {
    qint64 maxBytes = 32LL * 1024 * 1024; // the most an answer may hold
    int idleTimeoutMs = 30'000;           // no byte for this long ends the transfer
    int totalTimeoutMs = 300'000;         // the whole transfer, time held by a pause not counted
    static constexpr int kMaxRedirects = 5;

    // http or https with a host: the only addresses fetched from the network. A file:// or
    // ftp:// address named by a file from the web site must never reach the local disc.
    [[nodiscard]] static bool isWebAddress(const QUrl& address);
    // Why a finished answer does not count, or empty when it does: a status outside 2xx, or
    // a body of another length than announced (`announced` -1: none was).
    [[nodiscard]] static QString refusal(int status, qint64 announced, qint64 received);
    [[nodiscard]] QString tooLarge() const;
    [[nodiscard]] QString idleTimedOut() const;
    [[nodiscard]] QString totalTimedOut() const;
};

// The whole content of a local file within `cap` bytes, or why there is none.
[[nodiscard]] Result<QByteArray> readCappedFile(const QString& path, qint64 cap);

} // namespace common
