#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

namespace site {

// Parameters of one statement, as text, or as bytes for a bytea.
class PgParams {
public:
    PgParams& text(std::string value);
    PgParams& integer(std::int64_t value);
    PgParams& bytes(std::string value);

    [[nodiscard]] int size() const { return static_cast<int>(m_values.size()); }
    [[nodiscard]] std::vector<const char*> values() const;
    [[nodiscard]] std::vector<int> lengths() const;
    [[nodiscard]] const std::vector<int>& formats() const { return m_formats; }

private:
    std::vector<std::string> m_values;
    std::vector<int> m_formats;
};

// The rows one statement returned.
class PgResult {
public:
    explicit PgResult(pg_result* result);
    ~PgResult();
    PgResult(PgResult&& other) noexcept;
    PgResult& operator=(PgResult&&) = delete;
    PgResult(const PgResult&) = delete;
    PgResult& operator=(const PgResult&) = delete;

    [[nodiscard]] int rows() const;
    [[nodiscard]] bool isNull(int row, int column) const;
    [[nodiscard]] std::string text(int row, int column) const;
    [[nodiscard]] std::int64_t integer(int row, int column) const;

private:
    pg_result* m_result;
};

// One connection to the server. Statements throw std::runtime_error with the server's
// reason; a connection the server dropped is opened again before its next statement.
class PgConnection {
public:
    explicit PgConnection(const std::string& url);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    PgResult exec(const std::string& sql, const PgParams& params = {}, bool binaryRows = false);
    // The same for a statement run often: parsed and planned once per connection, under
    // `name`.
    PgResult execPrepared(const std::string& name, const std::string& sql, const PgParams& params);
    // `work` inside BEGIN and COMMIT; any throw rolls back and passes on.
    void transaction(const std::function<void()>& work);

private:
    void reconnectWhenLost();
    PgResult checked(pg_result* raw);
    pg_conn* m_connection = nullptr;
    std::set<std::string> m_prepared;
};

// Connections shared by the request threads, opened as they are first needed.
class PgPool {
public:
    PgPool(std::string url, std::size_t size);

    class Lease {
    public:
        Lease(PgPool& pool, std::unique_ptr<PgConnection> connection);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        PgConnection* operator->() { return m_connection.get(); }
        PgConnection& operator*() { return *m_connection; }

    private:
        PgPool& m_pool;
        std::unique_ptr<PgConnection> m_connection;
    };

    [[nodiscard]] Lease lease();
    [[nodiscard]] const std::string& url() const { return m_url; }

private:
    const std::string m_url;
    const std::size_t m_size;
    std::mutex m_mutex;
    std::condition_variable m_returned;
    std::vector<std::unique_ptr<PgConnection>> m_idle;
    std::size_t m_open = 0;
};

} // namespace site
