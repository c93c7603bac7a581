#pragma once

#include "site/store/SiteStore.h"

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace site {

// What the site remembers: reports, photos and feedback, in SQLite in write-ahead-log
// mode, so that readers never wait for a writer and a killed process leaves a database that
// opens. One connection serves every request thread; its statements are short, and one
// lock keeps them apart. Every call throws std::runtime_error when SQLite fails.
class Database {
public:
    explicit Database(const std::filesystem::path& file);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void addStart(std::int64_t atMs, const std::string& product);
    void addCaptures(std::int64_t atMs, std::int64_t count, const std::string& edition);
    void addPhoto(const PhotoRecord& photo);
    void addFeedback(std::int64_t atMs, const std::string& author, const std::string& contact,
                     const std::string& text);

    [[nodiscard]] std::int64_t photoCount();
    // Newest first.
    [[nodiscard]] std::vector<PhotoRecord> photos(std::int64_t offset, std::int64_t limit);
    // Oldest day first; only days with a report.
    [[nodiscard]] std::vector<DayCounts> days();
    [[nodiscard]] std::int64_t startCount();
    [[nodiscard]] std::int64_t captureSum(const std::string& edition);
    [[nodiscard]] std::int64_t feedbackCount();

private:
    class Statement;
    void exec(const char* sql);
    [[nodiscard]] std::int64_t scalar(const char* sql, const std::string* text = nullptr);

    std::mutex m_mutex;
    sqlite3* m_db = nullptr;
};

} // namespace site
