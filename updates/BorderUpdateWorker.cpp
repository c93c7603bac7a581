#include "updates/BorderUpdateWorker.h"

#include "updates/BorderFolder.h"
#include "updates/ClassList.h"
#include "updates/HistoryTemplate.h"
#include "updates/PackageDescription.h"
#include "updates/UrlFileName.h"
#include "updates/WorkGate.h"

#include <QCoreApplication>
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
    common::Result<BorderHistory> local = BorderHistory::load(folder.localHistoryPath());
    if (!local)
        return; // a history we cannot read is left as it is
    local.value().appendEntry(entry);
    (void)local.value().save(folder.localHistoryPath());
}

class Worker {
public:
    Worker(const BorderUpdateJob& job, const WorkGate& gate, BorderUpdateView& view)
        : m_job(job), m_gate(gate), m_view(view),
          m_folder(BorderFolder::inProgramDirectory(job.programDir)),
          m_downloader(&gate, job.timeouts) {}

    void run() {
        if (!m_job.published)
            return;
        m_view.showStatus(QCoreApplication::translate("updates", "正在下载并分析更新信息"));
        if (!fetchDescriptions())
            return;
        m_view.showStatus(QCoreApplication::translate("updates", "正在下载边框文件"));
        m_view.setTotalRange(m_total);
        for (int k = 0; k < static_cast<int>(m_lines.size()); ++k) {
            if (!m_gate.pass())
                return;
            if (!installPackage(k))
                return;
        }
        finish();
    }

private:
    BorderHistory& published() { return *m_job.published; }

    // Phase 1. False when the gate ended the run.
    bool fetchDescriptions() {
        pugi::xml_node root = published().root();
        int i = published().entryCount() - 1;
        for (pugi::xml_node entry = root.last_child(); entry; --i) {
            const pugi::xml_node previous = entry.previous_sibling();
            if (!m_gate.pass())
                return false;
            if (!m_job.checkedLines.contains(i)) {
                root.remove_child(entry);
                entry = previous;
                continue;
            }
            const QString path = m_folder.descriptionPath(i);
            const bool fetched =
                m_downloader
                    .download(BorderHistory::url(entry), path, Downloader::kCatalogueMaxBytes)
                    .ok();
            if (!fetched) {
                // An older description at that path belongs to another run; it must not
                // stand in for the one that failed.
                QFile::remove(path);
            } else if (const common::Result<PackageDescription> description =
                           PackageDescription::load(path)) {
                m_total += description.value().fileCount();
            }
            m_lines.push_back(Line{path, fetched, entry});
            entry = previous;
        }
        std::reverse(m_lines.begin(), m_lines.end()); // ascending line order
        QStringList annotations;
        for (const Line& line : m_lines)
            annotations.append(BorderHistory::annotation(line.entry));
        m_view.packagesChosen(annotations);
        return true;
    }

    // Phase 2 for package `k`. False when the gate ended the run.
    bool installPackage(int k) {
        const Line& line = m_lines[static_cast<size_t>(k)];
        if (!line.fetched)
            return true;
        const common::Result<PackageDescription> loaded = PackageDescription::load(line.path);
        if (!loaded) {
            QFile::remove(line.path); // unreadable; a later start fetches it again
            return true;
        }
        const PackageDescription& description = loaded.value();

        int count = 0;
        for (const PackageClass& packageClass : description.classes()) {
            if (!m_gate.pass())
                return false;
            count += static_cast<int>(packageClass.fileUrls.size());
        }
        m_view.startPackage(count);

        for (const PackageClass& packageClass : description.classes()) {
            if (!m_gate.pass())
                return false;
            for (const QString& url : packageClass.fileUrls) {
                if (!m_gate.pass())
                    return false;
                fetchFile(packageClass.name, url);
            }
        }
        // A transfer the gate cut short is not a file that failed: the package is not done.
        if (m_gate.stopRequested())
            return false;

        QFile::remove(line.path);
        recordInstalled(m_folder, line.entry);
        return true;
    }

    void fetchFile(const QString& className, const QString& url) {
        const common::Result<QString> classFolder = m_folder.classFolderPath(className);
        if (classFolder)
            QDir().mkdir(classFolder.value()); // one level; an existing folder is fine
        m_view.showFile(QCoreApplication::translate("updates", "正在下载图片:") + className + u'-' +
                        UrlFileName(url));
        const common::Result<QString> target = m_folder.downloadTarget(className, url);
        if (!target)
            return; // counts as a failed file
        if (m_downloader.download(url, target.value(), Downloader::kBorderFileMaxBytes))
            m_view.fileDone();
    }

    // Phase 3.
    void finish() {
        (void)rebuildClassListFile(m_folder.path());
        QFile::remove(m_folder.publishedHistoryPath());
        m_view.finished();
        if (m_job.setVariable)
            m_job.setVariable(QStringLiteral("OnReloadBordered"), QString());
    }

    struct Line {
        QString path;
        bool fetched;
        pugi::xml_node entry; // the package's entry in the published history
    };

    const BorderUpdateJob& m_job;
    const WorkGate& m_gate;
    BorderUpdateView& m_view;
    const BorderFolder m_folder;
    Downloader m_downloader;
    std::vector<Line> m_lines; // ascending line order
    int m_total = 0;
};

} // namespace

void runBorderUpdate(const BorderUpdateJob& job, const WorkGate& gate, BorderUpdateView& view) {
    Worker(job, gate, view).run();
}

} // namespace updates
