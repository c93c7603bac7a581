#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace testsupport {

// A PostgreSQL server of its own in a temporary folder, reached through a socket in that
// folder only, so that nothing depends on a server the machine may run. PostgreSQL refuses
// to run as root, so under root it runs as "nobody" in a folder that user owns. It stops
// with this object, and with the process that started it should that die first.
class PostgresServer {
public:
    // `durable`: every commit reaches the disk, as on a real server; tests can do without.
    explicit PostgresServer(bool durable = false);
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    [[nodiscard]] bool running() const { return m_pid > 0; }
    // Why it is not running, with PostgreSQL's own words where it said any.
    [[nodiscard]] const std::string& error() const { return m_error; }
    // The URL of `database` on this server.
    [[nodiscard]] std::string url(const std::string& database) const;
    // A new empty database, and its URL; throws when the server cannot make one.
    [[nodiscard]] std::string freshDatabase();

    // One server for the whole test program, started when first asked for.
    [[nodiscard]] static PostgresServer& shared();

private:
    std::filesystem::path m_folder;
    std::string m_error;
    pid_t m_pid = -1;
    int m_databases = 0;
};

} // namespace testsupport
