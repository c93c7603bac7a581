#pragma once

#include "site/store/PgConnection.h"
#include "site/store/ReportQueue.h"
#include "site/store/SiteStore.h"

namespace site {

// The site on a PostgreSQL server that any number of site processes share: everything a
// request needs is in the database, nothing in the process. The schema is made and brought
// up to date on opening.
class PostgresStore final : public SiteStore {
public:
    // `connections`: at most this many statements at once besides the reports' writer.
    PostgresStore(const std::string& url, std::uint64_t storageBytes, std::size_t connections);

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

private:
    std::int64_t scalar(const std::string& sql, const PgParams& params = {});
    std::optional<std::string> bytesOf(const std::string& sql, const PgParams& params);
    // Removes the oldest picture files but `keep` until `size` more bytes fit; inside a
    // transaction that holds the storage row.
    bool makeRoom(PgConnection& connection, std::uint64_t size, const std::string& keep);

    PgPool m_pool;
    ReportQueue m_reports;
    const std::uint64_t m_limit;
};

} // namespace site
