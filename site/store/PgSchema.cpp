#include "site/store/PgSchema.h"

#include "site/store/PgConnection.h"

#include <array>
#include <stdexcept>

namespace site {

namespace {

// The lock every migrating process takes: "iVemba schema" in ASCII.
constexpr const char* kMigrationLock = "SELECT pg_advisory_xact_lock(7308619405530591853)";

// Never edited once released: a change to the schema is a new step at the end.
constexpr std::array kSteps = {
    // 1: reports, their daily summary, photos, picture files, feedback, publications and
    // settings.
    "CREATE TABLE starts(id bigserial PRIMARY KEY, at bigint NOT NULL, product text NOT NULL);"
    "CREATE TABLE captures(id bigserial PRIMARY KEY, at bigint NOT NULL, count bigint NOT NULL,"
    " edition text NOT NULL);"
    // A day's summary is spread over rows that different writers update, so that their
    // commits need not wait for each other.
    "CREATE TABLE report_days(day text NOT NULL, shard integer NOT NULL,"
    " starts bigint NOT NULL DEFAULT 0, captures_soft bigint NOT NULL DEFAULT 0,"
    " captures_ie bigint NOT NULL DEFAULT 0, PRIMARY KEY (day, shard));"
    "CREATE SEQUENCE photo_numbers;"
    "CREATE TABLE photos(id bigserial PRIMARY KEY, name text NOT NULL UNIQUE,"
    " title text NOT NULL, author text NOT NULL, phototype integer NOT NULL,"
    " at bigint NOT NULL, jpeg bytea NOT NULL);"
    "CREATE INDEX photos_newest ON photos(at DESC, id DESC);"
    "CREATE SEQUENCE upload_order;"
    "CREATE TABLE uploads(name text PRIMARY KEY, bytes bytea NOT NULL, size bigint NOT NULL,"
    " written bigint NOT NULL);"
    "CREATE INDEX uploads_oldest ON uploads(written);"
    "CREATE TABLE storage(id integer PRIMARY KEY CHECK (id = 1), photo_bytes bigint NOT NULL,"
    " upload_bytes bigint NOT NULL);"
    "INSERT INTO storage VALUES (1, 0, 0);"
    "CREATE TABLE feedback(id bigserial PRIMARY KEY, at bigint NOT NULL, author text NOT NULL,"
    " contact text NOT NULL, text text NOT NULL);"
    "CREATE TABLE published_files(path text PRIMARY KEY, bytes bytea NOT NULL);"
    "CREATE TABLE published_borders(class text NOT NULL, file text NOT NULL,"
    " bytes bytea NOT NULL, PRIMARY KEY (class, file));"
    "CREATE TABLE settings(name text PRIMARY KEY, value text NOT NULL);",
    // 2: photos and picture files are compressed already; trying to compress them again at
    // every write only cost the server time.
    "ALTER TABLE photos ALTER COLUMN jpeg SET STORAGE EXTERNAL;"
    "ALTER TABLE uploads ALTER COLUMN bytes SET STORAGE EXTERNAL;",
};

} // namespace

int newestSchema() {
    return static_cast<int>(kSteps.size());
}

void migrateSchema(PgConnection& connection) {
    connection.transaction([&connection] {
        connection.exec(kMigrationLock);
        connection.exec("CREATE TABLE IF NOT EXISTS schema_steps(step integer PRIMARY KEY,"
                        " applied timestamptz NOT NULL DEFAULT now())");
        const int applied = static_cast<int>(
            connection.exec("SELECT COALESCE(MAX(step), 0) FROM schema_steps").integer(0, 0));
        if (applied > newestSchema())
            throw std::runtime_error("the database was made by a newer ivemba-site (schema " +
                                     std::to_string(applied) + ")");
        for (int step = applied + 1; step <= newestSchema(); ++step) {
            connection.exec(kSteps[static_cast<std::size_t>(step - 1)]);
            connection.exec("INSERT INTO schema_steps(step) VALUES ($1)", PgParams().integer(step));
        }
    });
}

} // namespace site
