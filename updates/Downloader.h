#pragma once

#include "common/Result.h"
#include "common/TransferPolicy.h"

#include <QString>
#include <QtGlobal>
#include <memory>

namespace common {
class WebClient;
}

namespace updates {

class WorkGate;

// Fetches one web address into one file and says whether that worked; the border check and
// the download worker fetch everything through it. The call blocks the calling background
// thread and runs a network event loop of its own there, so one Downloader belongs to the
// thread that made it. It keeps the program's one transfer policy (which addresses, what
// counts as an answer, the time-outs), as the movie's own transfers do; it runs a blocking
// loop of its own rather than the movie's transfer because it lives on a worker thread and
// must hold still while paused.
//
// The answer is kept in memory up to `maxBytes` and written beside the target, synced and
// renamed over it only when it arrived whole with a success status. So a refused address,
// an error status, a cut connection, a transfer that went quiet or on too long, one larger
// than the cap, or one ended by the gate leaves the target as it was: never a truncated
// file, never a good file replaced by a bad one.
class Downloader {
public:
    // Histories and package descriptions are a few kilobytes; border pictures a few hundred.
    static constexpr qint64 kCatalogueMaxBytes = 1024 * 1024;
    static constexpr qint64 kBorderFileMaxBytes = 8 * 1024 * 1024;

    // `gate` (may be null) ends a transfer within a few tens of milliseconds of a cancel or
    // stop, and holds it while paused: nothing is read then, the server is held back by the
    // connection, and neither time-out runs. `policy` gives the time-outs; each download
    // names its own size cap.
    explicit Downloader(const WorkGate* gate = nullptr, common::TransferPolicy policy = {});
    ~Downloader();
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Success exactly when the whole answer is now the file at `target`; otherwise why not,
    // for diagnostics.
    [[nodiscard]] common::Status<> download(const QString& url, const QString& target,
                                            qint64 maxBytes);

    // Whether `url` is an address download() would fetch at all.
    [[nodiscard]] static bool isFetchable(const QString& url);

private:
    [[nodiscard]] common::Status<> fetch(const QString& url, const QString& target,
                                         qint64 maxBytes);

    const WorkGate* m_gate;
    common::TransferPolicy m_policy;
    // The web library's client for the thread that made this; null when the library cannot
    // be loaded, and then every download fails saying so.
    std::unique_ptr<common::WebClient> m_client;
};

} // namespace updates
