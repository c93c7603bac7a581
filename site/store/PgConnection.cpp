#include "site/store/PgConnection.h"

#include <libpq-fe.h>
#include <stdexcept>

namespace site {

PgParams& PgParams::text(std::string value) {
    m_values.push_back(std::move(value));
    m_formats.push_back(0);
    return *this;
}

PgParams& PgParams::integer(std::int64_t value) {
    return text(std::to_string(value));
}

PgParams& PgParams::bytes(std::string value) {
    m_values.push_back(std::move(value));
    m_formats.push_back(1);
    return *this;
}

std::vector<const char*> PgParams::values() const {
    std::vector<const char*> values;
    for (const std::string& value : m_values)
        values.push_back(value.c_str());
    return values;
}

std::vector<int> PgParams::lengths() const {
    std::vector<int> lengths;
    for (const std::string& value : m_values)
        lengths.push_back(static_cast<int>(value.size()));
    return lengths;
}

PgResult::PgResult(pg_result* result) : m_result(result) {}

PgResult::~PgResult() {
    PQclear(m_result);
}

PgResult::PgResult(PgResult&& other) noexcept : m_result(other.m_result) {
    other.m_result = nullptr;
}

int PgResult::rows() const {
    return PQntuples(m_result);
}

bool PgResult::isNull(int row, int column) const {
    return PQgetisnull(m_result, row, column) != 0;
}

std::string PgResult::text(int row, int column) const {
    return std::string(PQgetvalue(m_result, row, column),
                       static_cast<std::size_t>(PQgetlength(m_result, row, column)));
}

std::int64_t PgResult::integer(int row, int column) const {
    return isNull(row, column) ? 0 : std::stoll(text(row, column));
}

PgConnection::PgConnection(const std::string& url) {
    m_connection = PQconnectdb(url.c_str());
    if (PQstatus(m_connection) != CONNECTION_OK) {
        const std::string reason = m_connection ? PQerrorMessage(m_connection) : "out of memory";
        PQfinish(m_connection);
        throw std::runtime_error("cannot connect to the database: " + reason);
    }
    // Notices (a table that already exists, say) are no concern of the site's log.
    PQsetNoticeProcessor(
        m_connection, [](void*, const char*) {}, nullptr);
}

PgConnection::~PgConnection() {
    PQfinish(m_connection);
}

void PgConnection::reconnectWhenLost() {
    if (PQstatus(m_connection) != CONNECTION_OK) {
        PQreset(m_connection);
        m_prepared.clear();
    }
}

PgResult PgConnection::checked(pg_result* raw) {
    PgResult result(raw);
    const ExecStatusType status = PQresultStatus(raw);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(std::string("database: ") +
                                 (raw ? PQresultErrorMessage(raw) : PQerrorMessage(m_connection)));
    return result;
}

PgResult PgConnection::execPrepared(const std::string& name, const std::string& sql,
                                    const PgParams& params) {
    reconnectWhenLost();
    if (!m_prepared.contains(name)) {
        checked(PQprepare(m_connection, name.c_str(), sql.c_str(), 0, nullptr));
        m_prepared.insert(name);
    }
    const auto values = params.values();
    const auto lengths = params.lengths();
    return checked(PQexecPrepared(m_connection, name.c_str(), params.size(), values.data(),
                                  lengths.data(), params.formats().data(), 0));
}

PgResult PgConnection::exec(const std::string& sql, const PgParams& params, bool binaryRows) {
    reconnectWhenLost();
    const auto values = params.values();
    const auto lengths = params.lengths();
    // Without parameters the simple protocol runs, which takes several statements at once.
    pg_result* raw =
        params.size() == 0 && !binaryRows
            ? PQexec(m_connection, sql.c_str())
            : PQexecParams(m_connection, sql.c_str(), params.size(), nullptr, values.data(),
                           lengths.data(), params.formats().data(), binaryRows ? 1 : 0);
    return checked(raw);
}

void PgConnection::transaction(const std::function<void()>& work) {
    exec("BEGIN");
    try {
        work();
        exec("COMMIT");
    } catch (...) {
        if (PQstatus(m_connection) == CONNECTION_OK)
            PQclear(PQexec(m_connection, "ROLLBACK"));
        throw;
    }
}

PgPool::PgPool(std::string url, std::size_t size) : m_url(std::move(url)), m_size(size) {}

PgPool::Lease PgPool::lease() {
    std::unique_lock lock(m_mutex);
    m_returned.wait(lock, [this] { return !m_idle.empty() || m_open < m_size; });
    if (!m_idle.empty()) {
        auto connection = std::move(m_idle.back());
        m_idle.pop_back();
        return Lease(*this, std::move(connection));
    }
    ++m_open;
    lock.unlock();
    try {
        return Lease(*this, std::make_unique<PgConnection>(m_url));
    } catch (...) {
        lock.lock();
        --m_open;
        m_returned.notify_one();
        throw;
    }
}

PgPool::Lease::Lease(PgPool& pool, std::unique_ptr<PgConnection> connection)
    : m_pool(pool), m_connection(std::move(connection)) {}

PgPool::Lease::~Lease() {
    const std::scoped_lock lock(m_pool.m_mutex);
    m_pool.m_idle.push_back(std::move(m_connection));
    m_pool.m_returned.notify_one();
}

} // namespace site
