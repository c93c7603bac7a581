#pragma once

#include "updates/BorderHistory.h"
#include "updates/Downloader.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace updates {

class WorkGate;

// What the download worker shows while it runs. Every call comes from the worker's thread;
// the window behind it hands each one to the user-interface thread.
class BorderUpdateView {
public:
    virtual ~BorderUpdateView() = default;
    virtual void showStatus(const QString& text) = 0;
    virtual void showFile(const QString& text) = 0;
    // The total bar: from 0 to `maximum`, its position kept.
    virtual void setTotalRange(int maximum) = 0;
    // The package bar: from 0 to `maximum`, at 0.
    virtual void startPackage(int maximum) = 0;
    // One file arrived: both bars step by one.
    virtual void fileDone() = 0;
    // The published history now holds only the chosen packages, with these annotations.
    virtual void packagesChosen(const QStringList& annotations) = 0;
    // Every chosen package has been handled and the class list rebuilt.
    virtual void finished() = 0;
};

// One run of the download worker: the chosen packages of the new-package list, fetched into
// the border folder of `programDir`.
struct BorderUpdateJob {
    QString programDir;
    // The new packages found by the start-up check; the worker reduces it to the chosen ones.
    std::shared_ptr<BorderHistory> published;
    // Lines of the update window that were ticked when the update started.
    QSet<int> checkedLines;
    std::function<void(const QString& name, const QString& value)> setVariable;
    common::TransferPolicy timeouts;
};

// Fetches the descriptions of the chosen packages (last line first), then each package's
// files into its class folders, records each package in the local history, rebuilds the
// class list and sets `OnReloadBordered`. It holds at `gate` while paused and ends at once
// when cancelled or stopped, at every step and inside a transfer. A package whose
// description could not be fetched or read is skipped and not recorded, so a later start
// offers it again. Names from the descriptions that could reach outside their folder are
// never written.
void runBorderUpdate(const BorderUpdateJob& job, const WorkGate& gate, BorderUpdateView& view);

} // namespace updates
