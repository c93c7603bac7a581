#include "updates/BorderUpdateWorker.h"

#include "updates/BorderFolder.h"
#include "updates/ClassList.h"
#include "updates/HistoryTemplate.h"
#include "updates/PackageDescription.h"
#include "updates/UrlFileName.h"
#include "updates/WorkGate.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <vector>

namespace updates {

namespace {

// Appends the package's entry to the local history; the history on disc is replaced only
// by a complete, readable one.
void recordInstalled(const BorderFolder& folder, pugi::xml_node entry) {
    (void)ensureLocalHistory(folder.localHistoryPath());
    Result<BorderHistory> local = BorderHistory::load(folder.localHistoryPath());
    if (!local)
        return; // a history we cannot read is left as it is
    local.value().appendEntry(entry);
    (void)local.value().save(folder.localHistoryPath());
}

class Worker {
public:
    Worker(const BorderUpdateJob& job, const WorkGate& gate, BorderUpdateView& view)
        : job_(job), gate_(gate), view_(view),
          folder_(BorderFolder::inProgramDirectory(job.programDir)),
          downloader_(&gate, job.timeouts) {}

    void run() {
        if (!job_.published)
            return;
        view_.showStatus(QStringLiteral("正在下载并分析更新信息"));
        if (!fetchDescriptions())
            return;
        view_.showStatus(QStringLiteral("正在下载边框文件"));
        view_.setTotalRange(total_);
        for (int k = 0; k < static_cast<int>(lines_.size()); ++k) {
            if (!gate_.pass())
                return;
            if (!installPackage(k))
                return;
        }
        finish();
    }

private:
    BorderHistory& published() { return *job_.published; }

    // Phase 1. False when the gate ended the run.
    bool fetchDescriptions() {
        pugi::xml_node root = published().root();
        int i = published().entryCount() - 1;
        for (pugi::xml_node entry = root.last_child(); entry; --i) {
            const pugi::xml_node previous = entry.previous_sibling();
            if (!gate_.pass())
                return false;
            if (!job_.checkedLines.contains(i)) {
                root.remove_child(entry);
                entry = previous;
                continue;
            }
            const QString path = folder_.descriptionPath(i);
            const bool fetched = downloader_.download(BorderHistory::url(entry), path,
                                                      Downloader::kCatalogueMaxBytes);
            if (!fetched) {
                // An older description at that path belongs to another run; it must not
                // stand in for the one that failed.
                QFile::remove(path);
            } else if (const Result<PackageDescription> description =
                           PackageDescription::load(path)) {
                total_ += description.value().fileCount();
            }
            lines_.push_back(Line{path, fetched, entry});
            entry = previous;
        }
        std::reverse(lines_.begin(), lines_.end()); // ascending line order
        QStringList annotations;
        for (const Line& line : lines_)
            annotations.append(BorderHistory::annotation(line.entry));
        view_.packagesChosen(annotations);
        return true;
    }

    // Phase 2 for package `k`. False when the gate ended the run.
    bool installPackage(int k) {
        const Line& line = lines_[static_cast<size_t>(k)];
        if (!line.fetched)
            return true;
        const Result<PackageDescription> loaded = PackageDescription::load(line.path);
        if (!loaded) {
            QFile::remove(line.path); // unreadable; a later start fetches it again
            return true;
        }
        const PackageDescription& description = loaded.value();

        int count = 0;
        for (const PackageClass& packageClass : description.classes()) {
            if (!gate_.pass())
                return false;
            count += static_cast<int>(packageClass.fileUrls.size());
        }
        view_.startPackage(count);

        for (const PackageClass& packageClass : description.classes()) {
            if (!gate_.pass())
                return false;
            for (const QString& url : packageClass.fileUrls) {
                if (!gate_.pass())
                    return false;
                fetchFile(packageClass.name, url);
            }
        }
        // A transfer the gate cut short is not a file that failed: the package is not done.
        if (gate_.stopRequested())
            return false;

        QFile::remove(line.path);
        recordInstalled(folder_, line.entry);
        return true;
    }

    void fetchFile(const QString& className, const QString& url) {
        const Result<QString> classFolder = folder_.classFolderPath(className);
        if (classFolder)
            QDir().mkdir(classFolder.value()); // one level; an existing folder is fine
        view_.showFile(QStringLiteral("正在下载图片:") + className + u'-' + UrlFileName(url));
        const Result<QString> target = folder_.downloadTarget(className, url);
        if (!target)
            return; // counts as a failed file
        if (downloader_.download(url, target.value(), Downloader::kBorderFileMaxBytes))
            view_.fileDone();
    }

    // Phase 3.
    void finish() {
        (void)rebuildClassListFile(folder_.path());
        QFile::remove(folder_.publishedHistoryPath());
        view_.finished();
        if (job_.setVariable)
            job_.setVariable(QStringLiteral("OnReloadBordered"), QString());
    }

    struct Line {
        QString path;
        bool fetched;
        pugi::xml_node entry; // the package's entry in the published history
    };

    const BorderUpdateJob& job_;
    const WorkGate& gate_;
    BorderUpdateView& view_;
    const BorderFolder folder_;
    Downloader downloader_;
    std::vector<Line> lines_; // ascending line order
    int total_ = 0;
};

} // namespace

void runBorderUpdate(const BorderUpdateJob& job, const WorkGate& gate, BorderUpdateView& view) {
    Worker(job, gate, view).run();
}

} // namespace updates
