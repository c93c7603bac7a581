#pragma once

#include "updates/BorderHistory.h"

#include <QString>
#include <functional>
#include <memory>
#include <stop_token>

namespace updates {

// Where the web site publishes its border history, below the site base.
inline constexpr char kPublishedHistorySitePath[] = "/iVemba/update/BVHistory.xml";

// What the start-up check needs from the program around it.
struct StartupCheckSetup {
    QString programDir;
    QString siteBase; // the maker's site, where the published history is
    // Sets a root variable of the movie; called from the check's own thread.
    std::function<void(const QString& name, const QString& value)> setVariable;
    // Receives the published history reduced to the new packages, before the movie is
    // told; called from the check's own thread. The receiver owns the document from then
    // on: the check keeps no reference to it.
    std::function<void(std::shared_ptr<BorderHistory> newPackages)> handOver;
};

// Removes from `published` every entry whose `BVNum` text equals that of some entry of
// `local` (exact text; an entry without `BVNum` counts as an empty one), keeping the
// order of the rest. Returns the number of entries left.
int removeInstalledPackages(BorderHistory& published, const BorderHistory& local);

// The start-up check for new border packages, run on its own thread once the main window is
// first shown: makes sure a local history exists, fetches the published one, and when it
// lists packages the local one lacks, hands them over and sets `OnNewBorderPublished`.
// Anything that goes wrong ends it silently. It returns soon after `stop` is requested,
// also in the middle of the download.
void startupBorderCheck(std::stop_token stop, const StartupCheckSetup& setup);

} // namespace updates
