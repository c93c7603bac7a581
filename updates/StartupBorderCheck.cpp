#include "updates/StartupBorderCheck.h"

#include "updates/BorderFolder.h"
#include "updates/Downloader.h"
#include "updates/HistoryTemplate.h"
#include "updates/StaleTemporaries.h"
#include "updates/WorkGate.h"

#include <QFile>
#include <QSet>

namespace updates {

int removeInstalledPackages(BorderHistory& published, const BorderHistory& local) {
    // A set instead of comparing every pair: the outcome of the pairwise comparison, at a
    // cost that stays small for histories of any length.
    QSet<QString> installed;
    for (const pugi::xml_node entry : local.root().children())
        installed.insert(BorderHistory::bvNum(entry));

    int left = 0;
    pugi::xml_node root = published.root();
    for (pugi::xml_node entry = root.last_child(); entry;) {
        const pugi::xml_node previous = entry.previous_sibling();
        // A missing attribute (a null text) equals an empty one here, as QString compares.
        if (installed.contains(BorderHistory::bvNum(entry)))
            root.remove_child(entry);
        else
            ++left;
        entry = previous;
    }
    return left;
}

void startupBorderCheck(std::stop_token stop, const StartupCheckSetup& setup) {
    const BorderFolder folder = BorderFolder::inProgramDirectory(setup.programDir);
    // Nothing else writes in the border folder yet: the worker starts only after this check
    // has told the movie. So what a killed run left half-written can go now.
    removeStaleTemporaries(folder.path());

    // Made before and regardless of the download; a failure here shows up below, when the
    // local history cannot be loaded.
    (void)ensureLocalHistory(folder.localHistoryPath());

    WorkGate gate(stop);
    Downloader downloader(&gate);
    if (!downloader.download(setup.siteBase + QString::fromLatin1(kPublishedHistorySitePath),
                             folder.publishedHistoryPath(), Downloader::kCatalogueMaxBytes))
        return;

    common::Result<BorderHistory> published = BorderHistory::load(folder.publishedHistoryPath());
    if (!published)
        return;
    common::Result<BorderHistory> local = BorderHistory::load(folder.localHistoryPath());
    if (!local)
        return;
    if (stop.stop_requested())
        return;

    if (removeInstalledPackages(published.value(), local.value()) == 0) {
        QFile::remove(folder.publishedHistoryPath());
        return;
    }
    if (setup.handOver)
        setup.handOver(std::make_shared<BorderHistory>(std::move(published).value()));
    if (setup.setVariable)
        setup.setVariable(QStringLiteral("OnNewBorderPublished"), QString());
}

} // namespace updates
