#pragma once

namespace site {

class PgConnection;

// Brings the database to the schema this build reads, one numbered step at a time, each
// applied once. Several processes may start at the same moment: one transaction-level
// advisory lock lets one of them migrate while the others wait and then find nothing to do.
void migrateSchema(PgConnection& connection);

// The number of the newest step this build knows.
[[nodiscard]] int newestSchema();

} // namespace site
