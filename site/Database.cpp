#include "site/Database.h"

#include <sqlite3.h>
#include <stdexcept>

namespace site {

// A prepared statement for one call: bound, stepped, finalised on every path.
class Database::Statement {
public:
    Statement(sqlite3* db, const char* sql) : m_db(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
            fail();
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::int64_t value) {
        if (sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
            fail();
        return *this;
    }
    Statement& bind(int index, const std::string& value) {
        if (sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT) != SQLITE_OK)
            fail();
        return *this;
    }
    // True while there is a row.
    bool step() {
        const int result = sqlite3_step(m_statement);
        if (result == SQLITE_ROW)
            return true;
        if (result != SQLITE_DONE)
            fail();
        return false;
    }
    [[nodiscard]] std::int64_t integer(int column) const {
        return sqlite3_column_int64(m_statement, column);
    }
    [[nodiscard]] std::string text(int column) const {
        const auto* bytes = sqlite3_column_text(m_statement, column);
        return bytes ? std::string(
                           reinterpret_cast<const char*>(bytes),
                           static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)))
                     : std::string();
    }

private:
    [[noreturn]] void fail() const {
        throw std::runtime_error(std::string("database: ") + sqlite3_errmsg(m_db));
    }
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

Database::Database(const std::filesystem::path& file) {
    if (sqlite3_open_v2(file.c_str(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string reason = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        throw std::runtime_error("cannot open the database " + file.string() + ": " + reason);
    }
    sqlite3_busy_timeout(m_db, 5000);
    try {
        exec("PRAGMA journal_mode=WAL");
        // With a write-ahead log, NORMAL loses no committed row when the process dies; only
        // a power cut can cost the last transactions.
        exec("PRAGMA synchronous=NORMAL");
        exec("CREATE TABLE IF NOT EXISTS starts(id INTEGER PRIMARY KEY, at INTEGER NOT NULL,"
             " product TEXT NOT NULL)");
        exec("CREATE TABLE IF NOT EXISTS captures(id INTEGER PRIMARY KEY, at INTEGER NOT NULL,"
             " count INTEGER NOT NULL, edition TEXT NOT NULL)");
        exec("CREATE TABLE IF NOT EXISTS photos(id INTEGER PRIMARY KEY, name TEXT NOT NULL"
             " UNIQUE, title TEXT NOT NULL, author TEXT NOT NULL, phototype INTEGER NOT NULL,"
             " at INTEGER NOT NULL)");
        exec("CREATE TABLE IF NOT EXISTS feedback(id INTEGER PRIMARY KEY, at INTEGER NOT NULL,"
             " author TEXT NOT NULL, contact TEXT NOT NULL, text TEXT NOT NULL)");
    } catch (...) {
        sqlite3_close(m_db);
        throw;
    }
}

Database::~Database() {
    sqlite3_close(m_db);
}

void Database::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("database: " + reason);
    }
}

std::int64_t Database::scalar(const char* sql, const std::string* text) {
    std::scoped_lock lock(m_mutex);
    Statement statement(m_db, sql);
    if (text)
        statement.bind(1, *text);
    return statement.step() ? statement.integer(0) : 0;
}

void Database::addStart(std::int64_t atMs, const std::string& product) {
    std::scoped_lock lock(m_mutex);
    Statement(m_db, "INSERT INTO starts(at, product) VALUES(?, ?)")
        .bind(1, atMs)
        .bind(2, product)
        .step();
}

void Database::addCaptures(std::int64_t atMs, std::int64_t count, const std::string& edition) {
    std::scoped_lock lock(m_mutex);
    Statement(m_db, "INSERT INTO captures(at, count, edition) VALUES(?, ?, ?)")
        .bind(1, atMs)
        .bind(2, count)
        .bind(3, edition)
        .step();
}

void Database::addPhoto(const PhotoRecord& photo) {
    std::scoped_lock lock(m_mutex);
    Statement(m_db, "INSERT INTO photos(name, title, author, phototype, at) VALUES(?, ?, ?, ?, ?)")
        .bind(1, photo.name)
        .bind(2, photo.title)
        .bind(3, photo.author)
        .bind(4, photo.photoType)
        .bind(5, photo.atMs)
        .step();
}

void Database::addFeedback(std::int64_t atMs, const std::string& author, const std::string& contact,
                           const std::string& text) {
    std::scoped_lock lock(m_mutex);
    Statement(m_db, "INSERT INTO feedback(at, author, contact, text) VALUES(?, ?, ?, ?)")
        .bind(1, atMs)
        .bind(2, author)
        .bind(3, contact)
        .bind(4, text)
        .step();
}

std::int64_t Database::photoCount() {
    return scalar("SELECT COUNT(*) FROM photos");
}

std::vector<PhotoRecord> Database::photos(std::int64_t offset, std::int64_t limit) {
    std::scoped_lock lock(m_mutex);
    Statement statement(m_db, "SELECT name, title, author, phototype, at FROM photos"
                              " ORDER BY at DESC, id DESC LIMIT ? OFFSET ?");
    statement.bind(1, limit).bind(2, offset);
    std::vector<PhotoRecord> photos;
    while (statement.step())
        photos.push_back({statement.text(0), statement.text(1), statement.text(2),
                          static_cast<int>(statement.integer(3)), statement.integer(4)});
    return photos;
}

std::vector<DayCounts> Database::days() {
    std::scoped_lock lock(m_mutex);
    Statement statement(
        m_db, "SELECT day, SUM(s), SUM(soft), SUM(ie) FROM ("
              " SELECT date(at / 1000, 'unixepoch', 'localtime') AS day, 1 AS s, 0 AS soft,"
              " 0 AS ie FROM starts"
              " UNION ALL SELECT date(at / 1000, 'unixepoch', 'localtime'), 0,"
              " CASE edition WHEN 'soft' THEN count ELSE 0 END,"
              " CASE edition WHEN 'ie' THEN count ELSE 0 END FROM captures)"
              " GROUP BY day ORDER BY day");
    std::vector<DayCounts> days;
    while (statement.step())
        days.push_back(
            {statement.text(0), statement.integer(1), statement.integer(2), statement.integer(3)});
    return days;
}

std::int64_t Database::startCount() {
    return scalar("SELECT COUNT(*) FROM starts");
}

std::int64_t Database::captureSum(const std::string& edition) {
    return scalar("SELECT COALESCE(SUM(count), 0) FROM captures WHERE edition = ?", &edition);
}

std::int64_t Database::feedbackCount() {
    return scalar("SELECT COUNT(*) FROM feedback");
}

} // namespace site
