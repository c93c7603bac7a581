#pragma once

#include "site/DataFolder.h"
#include "site/Database.h"
#include "site/StorageBudget.h"
#include "site/store/SiteStore.h"

#include <atomic>
#include <map>
#include <mutex>

namespace site {

// The site on its own: one SQLite database and one data folder, for one process.
class FolderStore final : public SiteStore {
public:
    FolderStore(const std::filesystem::path& root, std::uint64_t storageBytes);

    void addStart(std::int64_t atMs, const std::string& product) override;
    void addCaptures(std::int64_t atMs, std::int64_t count, const std::string& edition) override;
    std::vector<DayCounts> days() override;
    std::int64_t startCount() override;
    std::int64_t captureSum(const std::string& edition) override;

    std::optional<std::string> addPhoto(const PhotoRecord& photo, const std::string& jpeg) override;
    std::optional<std::string> photo(std::string_view name) override;
    std::int64_t photoCount() override;
    std::vector<PhotoRecord> photos(std::int64_t offset, std::int64_t limit) override;

    bool putUpload(const std::string& name, const std::string& bytes) override;
    std::optional<std::string> upload(const std::string& name) override;
    void removeUpload(const std::string& name) override;
    std::vector<std::string> uploadNames() override;
    StorageUse storageUse() override;

    void addFeedback(std::int64_t atMs, const std::string& author, const std::string& contact,
                     const std::string& text) override;
    std::int64_t feedbackCount() override;

    std::optional<std::string> updateFile(std::string_view relative) override;
    std::vector<PublishedClass> publishedClasses() override;
    std::optional<std::string> publishedBorder(std::string_view relative) override;
    std::unique_ptr<Publication> beginPublication() override;

    std::optional<std::string> setting(const std::string& name) override;
    void setSetting(const std::string& name, const std::string& value) override;

    [[nodiscard]] const DataFolder& folder() const { return m_data; }

private:
    DataFolder m_data;
    Database m_database;
    StorageBudget m_storage;
    std::atomic<unsigned> m_photoSequence{0};
    std::mutex m_settingsMutex;
    // Given on the command line at each start; one process reads them.
    std::map<std::string, std::string> m_settings;
};

} // namespace site
