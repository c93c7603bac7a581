#include "site/store/PostgresStore.h"

#include "site/DataFolder.h"
#include "site/store/PgSchema.h"

#include <algorithm>
#include <stdexcept>

namespace site {

namespace {

// The lock publishers take, for as long as their transaction: "iVemba publish".
constexpr const char* kPublishLock = "SELECT pg_advisory_xact_lock(7308619405530591854)";

// Every segment a name a folder could hold, as in the folder store: the two stores answer
// the same addresses.
bool isSafePath(std::string_view relative) {
    return DataFolder::resolve("/", relative).has_value();
}

// Everything a publication writes is one transaction on a connection of its own: the
// package, its borders and the history appear together when the history commits, or not
// at all.
class PgPublication final : public Publication {
public:
    explicit PgPublication(const std::string& url) : m_connection(url) {
        m_connection.exec("BEGIN");
        m_connection.exec(kPublishLock);
    }
    ~PgPublication() override {
        if (!m_committed) {
            try {
                m_connection.exec("ROLLBACK");
            } catch (const std::exception&) {
                // The connection closes with this object; the server rolls back then.
            }
        }
    }
    PgPublication(const PgPublication&) = delete;
    PgPublication& operator=(const PgPublication&) = delete;

    std::optional<std::string> history() override {
        auto rows = m_connection.exec(
            "SELECT bytes FROM published_files WHERE path = 'BVHistory.xml'", {}, true);
        return rows.rows() ? std::optional(rows.text(0, 0)) : std::nullopt;
    }
    bool hasPackage(const std::string& number) override {
        return m_connection
                   .exec("SELECT 1 FROM published_files WHERE starts_with(path, $1) LIMIT 1",
                         PgParams().text(number + "/"))
                   .rows() > 0;
    }
    bool hasBorder(const std::string& className, const std::string& file) override {
        return m_connection
                   .exec("SELECT 1 FROM published_borders WHERE class = $1 AND file = $2",
                         PgParams().text(className).text(file))
                   .rows() > 0;
    }
    void addPackage(const std::string& number, const NamedFiles& files) override {
        for (const auto& [relative, bytes] : files)
            m_connection.exec("INSERT INTO published_files(path, bytes) VALUES ($1, $2)",
                              PgParams().text(number + "/" + relative).bytes(bytes));
    }
    void addBorders(const std::string& className, const NamedFiles& files) override {
        for (const auto& [name, bytes] : files)
            m_connection.exec(
                "INSERT INTO published_borders(class, file, bytes) VALUES ($1, $2, $3)",
                PgParams().text(className).text(name).bytes(bytes));
    }
    void commitHistory(const std::string& text) override {
        m_connection.exec("INSERT INTO published_files(path, bytes) VALUES ('BVHistory.xml', $1)"
                          " ON CONFLICT (path) DO UPDATE SET bytes = EXCLUDED.bytes",
                          PgParams().bytes(text));
        m_connection.exec("COMMIT");
        m_committed = true;
    }

private:
    PgConnection m_connection;
    bool m_committed = false;
};

PgPool& migrated(PgPool& pool) {
    auto connection = pool.lease();
    migrateSchema(*connection);
    return pool;
}

} // namespace

PostgresStore::PostgresStore(const std::string& url, std::uint64_t storageBytes,
                             std::size_t connections)
    : m_pool(url, std::max<std::size_t>(1, connections)), m_reports((migrated(m_pool), url)),
      m_limit(storageBytes) {}

std::int64_t PostgresStore::scalar(const std::string& sql, const PgParams& params) {
    auto connection = m_pool.lease();
    const PgResult rows = connection->exec(sql, params);
    return rows.rows() ? rows.integer(0, 0) : 0;
}

std::optional<std::string> PostgresStore::bytesOf(const std::string& sql, const PgParams& params) {
    auto connection = m_pool.lease();
    const PgResult rows = connection->exec(sql, params, true);
    return rows.rows() ? std::optional(rows.text(0, 0)) : std::nullopt;
}

void PostgresStore::addStart(std::int64_t atMs, const std::string& product) {
    m_reports.add(atMs, product, 1, {});
}

void PostgresStore::addCaptures(std::int64_t atMs, std::int64_t count, const std::string& edition) {
    m_reports.add(atMs, {}, count, edition);
}

std::vector<DayCounts> PostgresStore::days() {
    auto connection = m_pool.lease();
    const PgResult rows = connection->exec(
        "SELECT day, SUM(starts), SUM(captures_soft), SUM(captures_ie) FROM report_days"
        " GROUP BY day ORDER BY day");
    std::vector<DayCounts> days;
    for (int row = 0; row < rows.rows(); ++row)
        days.push_back(
            {rows.text(row, 0), rows.integer(row, 1), rows.integer(row, 2), rows.integer(row, 3)});
    return days;
}

std::int64_t PostgresStore::startCount() {
    return scalar("SELECT COALESCE(SUM(starts), 0) FROM report_days");
}

std::int64_t PostgresStore::captureSum(const std::string& edition) {
    if (edition != "soft" && edition != "ie")
        return 0;
    return scalar(edition == "soft" ? "SELECT COALESCE(SUM(captures_soft), 0) FROM report_days"
                                    : "SELECT COALESCE(SUM(captures_ie), 0) FROM report_days");
}

bool PostgresStore::makeRoom(PgConnection& connection, std::uint64_t size,
                             const std::string& keep) {
    const PgResult use =
        connection.exec("SELECT photo_bytes, upload_bytes FROM storage WHERE id = 1 FOR UPDATE");
    const auto photoBytes = static_cast<std::uint64_t>(use.integer(0, 0));
    auto uploadBytes = static_cast<std::uint64_t>(use.integer(0, 1));
    std::uint64_t kept = 0;
    const PgResult own =
        connection.exec("SELECT size FROM uploads WHERE name = $1", PgParams().text(keep));
    if (own.rows())
        kept = static_cast<std::uint64_t>(own.integer(0, 0));
    if (photoBytes + kept + size > m_limit)
        return false;
    std::uint64_t freed = 0;
    while (photoBytes + uploadBytes + size > m_limit + freed) {
        const PgResult oldest = connection.exec(
            "DELETE FROM uploads WHERE name = (SELECT name FROM uploads WHERE name <> $1"
            " ORDER BY written LIMIT 1) RETURNING size",
            PgParams().text(keep));
        if (!oldest.rows())
            break;
        freed += static_cast<std::uint64_t>(oldest.integer(0, 0));
    }
    uploadBytes -= std::min(freed, uploadBytes);
    connection.exec("UPDATE storage SET upload_bytes = $1 WHERE id = 1",
                    PgParams().integer(static_cast<std::int64_t>(uploadBytes)));
    return true;
}

std::optional<std::string> PostgresStore::addPhoto(const PhotoRecord& photo,
                                                   const std::string& jpeg) {
    auto connection = m_pool.lease();
    std::optional<std::string> name;
    connection->transaction([&] {
        if (!makeRoom(*connection, jpeg.size(), {}))
            return;
        // The number comes from the database, so that no two processes name a photo alike.
        const PgResult row = connection->exec(
            "INSERT INTO photos(name, title, author, phototype, at, jpeg) VALUES"
            " ($6 || '_' || nextval('photo_numbers') || '.jpg', $2, $3, $4, $1, $5)"
            " RETURNING name",
            PgParams()
                .integer(photo.atMs)
                .text(photo.title)
                .text(photo.author)
                .integer(photo.photoType)
                .bytes(jpeg)
                .text(std::to_string(photo.atMs)));
        connection->exec("UPDATE storage SET photo_bytes = photo_bytes + $1 WHERE id = 1",
                         PgParams().integer(static_cast<std::int64_t>(jpeg.size())));
        name = row.text(0, 0);
    });
    return name;
}

std::optional<std::string> PostgresStore::photo(std::string_view name) {
    return bytesOf("SELECT jpeg FROM photos WHERE name = $1", PgParams().text(std::string(name)));
}

std::int64_t PostgresStore::photoCount() {
    return scalar("SELECT COUNT(*) FROM photos");
}

std::vector<PhotoRecord> PostgresStore::photos(std::int64_t offset, std::int64_t limit) {
    auto connection = m_pool.lease();
    const PgResult rows = connection->exec("SELECT name, title, author, phototype, at FROM photos"
                                           " ORDER BY at DESC, id DESC LIMIT $1 OFFSET $2",
                                           PgParams().integer(limit).integer(offset));
    std::vector<PhotoRecord> photos;
    for (int row = 0; row < rows.rows(); ++row)
        photos.push_back({rows.text(row, 0), rows.text(row, 1), rows.text(row, 2),
                          static_cast<int>(rows.integer(row, 3)), rows.integer(row, 4)});
    return photos;
}

bool PostgresStore::putUpload(const std::string& name, const std::string& bytes) {
    auto connection = m_pool.lease();
    bool stored = false;
    connection->transaction([&] {
        const PgResult old =
            connection->exec("SELECT size FROM uploads WHERE name = $1", PgParams().text(name));
        const std::uint64_t replaced =
            old.rows() ? static_cast<std::uint64_t>(old.integer(0, 0)) : 0;
        if (!makeRoom(*connection, bytes.size() > replaced ? bytes.size() - replaced : 0, name))
            return;
        connection->exec(
            "INSERT INTO uploads(name, bytes, size, written) VALUES"
            " ($1, $2, $3, nextval('upload_order')) ON CONFLICT (name) DO UPDATE SET"
            " bytes = EXCLUDED.bytes, size = EXCLUDED.size, written = EXCLUDED.written",
            PgParams().text(name).bytes(bytes).integer(static_cast<std::int64_t>(bytes.size())));
        connection->exec("UPDATE storage SET upload_bytes = upload_bytes - $1 + $2 WHERE id = 1",
                         PgParams()
                             .integer(static_cast<std::int64_t>(replaced))
                             .integer(static_cast<std::int64_t>(bytes.size())));
        stored = true;
    });
    return stored;
}

std::optional<std::string> PostgresStore::upload(const std::string& name) {
    return bytesOf("SELECT bytes FROM uploads WHERE name = $1", PgParams().text(name));
}

void PostgresStore::removeUpload(const std::string& name) {
    auto connection = m_pool.lease();
    connection->transaction([&] {
        // The storage row first, as every writer of picture files takes it.
        connection->exec("SELECT 1 FROM storage WHERE id = 1 FOR UPDATE");
        const PgResult gone = connection->exec("DELETE FROM uploads WHERE name = $1 RETURNING size",
                                               PgParams().text(name));
        if (gone.rows())
            connection->exec("UPDATE storage SET upload_bytes = upload_bytes - $1 WHERE id = 1",
                             PgParams().integer(gone.integer(0, 0)));
    });
}

std::vector<std::string> PostgresStore::uploadNames() {
    auto connection = m_pool.lease();
    const PgResult rows = connection->exec("SELECT name FROM uploads ORDER BY written");
    std::vector<std::string> names;
    for (int row = 0; row < rows.rows(); ++row)
        names.push_back(rows.text(row, 0));
    return names;
}

StorageUse PostgresStore::storageUse() {
    auto connection = m_pool.lease();
    const PgResult row =
        connection->exec("SELECT photo_bytes, upload_bytes FROM storage WHERE id = 1");
    return {static_cast<std::uint64_t>(row.integer(0, 0)),
            static_cast<std::uint64_t>(row.integer(0, 1))};
}

void PostgresStore::addFeedback(std::int64_t atMs, const std::string& author,
                                const std::string& contact, const std::string& text) {
    auto connection = m_pool.lease();
    connection->exec("INSERT INTO feedback(at, author, contact, text) VALUES ($1, $2, $3, $4)",
                     PgParams().integer(atMs).text(author).text(contact).text(text));
}

std::int64_t PostgresStore::feedbackCount() {
    return scalar("SELECT COUNT(*) FROM feedback");
}

std::optional<std::string> PostgresStore::updateFile(std::string_view relative) {
    if (!isSafePath(relative))
        return std::nullopt;
    return bytesOf("SELECT bytes FROM published_files WHERE path = $1",
                   PgParams().text(std::string(relative)));
}

std::vector<PublishedClass> PostgresStore::publishedClasses() {
    auto connection = m_pool.lease();
    const PgResult rows =
        connection->exec("SELECT class, file FROM published_borders WHERE file LIKE '%.gif'");
    std::vector<PublishedClass> classes;
    for (int row = 0; row < rows.rows(); ++row) {
        const std::string name = rows.text(row, 0);
        const std::string file = rows.text(row, 1);
        auto found = std::find_if(classes.begin(), classes.end(),
                                  [&](const PublishedClass& c) { return c.name == name; });
        if (found == classes.end())
            found = classes.insert(classes.end(), {name, {}});
        found->pics.push_back(file.substr(0, file.size() - 4));
    }
    // Ordered by bytes, as the folder store orders its folders.
    std::sort(classes.begin(), classes.end(),
              [](const PublishedClass& a, const PublishedClass& b) { return a.name < b.name; });
    for (PublishedClass& found : classes)
        std::sort(found.pics.begin(), found.pics.end());
    return classes;
}

std::optional<std::string> PostgresStore::publishedBorder(std::string_view relative) {
    const std::size_t slash = relative.find('/');
    if (slash == std::string_view::npos || !isSafePath(relative) ||
        relative.find('/', slash + 1) != std::string_view::npos)
        return std::nullopt;
    return bytesOf("SELECT bytes FROM published_borders WHERE class = $1 AND file = $2",
                   PgParams()
                       .text(std::string(relative.substr(0, slash)))
                       .text(std::string(relative.substr(slash + 1))));
}

std::unique_ptr<Publication> PostgresStore::beginPublication() {
    return std::make_unique<PgPublication>(m_pool.url());
}

std::optional<std::string> PostgresStore::setting(const std::string& name) {
    auto connection = m_pool.lease();
    const PgResult row =
        connection->exec("SELECT value FROM settings WHERE name = $1", PgParams().text(name));
    return row.rows() ? std::optional(row.text(0, 0)) : std::nullopt;
}

void PostgresStore::setSetting(const std::string& name, const std::string& value) {
    auto connection = m_pool.lease();
    connection->exec("INSERT INTO settings(name, value) VALUES ($1, $2)"
                     " ON CONFLICT (name) DO UPDATE SET value = EXCLUDED.value",
                     PgParams().text(name).text(value));
}

} // namespace site
