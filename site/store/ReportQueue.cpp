#include "site/store/ReportQueue.h"

#include "site/store/SiteStore.h"

#include <map>

namespace site {

namespace {

// One commit carries at most this many reports: a statement's parameters stay far below
// PostgreSQL's limit of 65 535.
constexpr std::size_t kLargestBatch = 4000;

struct DayTotals {
    std::int64_t starts = 0;
    std::int64_t soft = 0;
    std::int64_t ie = 0;
};

} // namespace

ReportQueue::ReportQueue(const std::string& url) : m_connection(url) {
    m_writer = std::thread([this] { write(); });
}

ReportQueue::~ReportQueue() {
    {
        const std::scoped_lock lock(m_mutex);
        m_stopping = true;
    }
    m_arrived.notify_all();
    m_writer.join();
}

void ReportQueue::add(std::int64_t atMs, const std::string& product, std::int64_t count,
                      const std::string& edition) {
    Report report{atMs, product, count, edition, false, nullptr};
    std::unique_lock lock(m_mutex);
    m_waiting.push_back(&report);
    m_arrived.notify_one();
    m_committed.wait(lock, [&report] { return report.done; });
    if (report.failure)
        std::rethrow_exception(report.failure);
}

void ReportQueue::write() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_arrived.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_waiting.empty())
            return;
        std::deque<Report*> batch;
        while (!m_waiting.empty() && batch.size() < kLargestBatch) {
            batch.push_back(m_waiting.front());
            m_waiting.pop_front();
        }
        lock.unlock();
        std::exception_ptr failure;
        try {
            commit(batch);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        for (Report* report : batch) {
            report->failure = failure;
            report->done = true;
        }
        m_committed.notify_all();
    }
}

void ReportQueue::commit(const std::deque<Report*>& batch) {
    std::string starts;
    std::string captures;
    PgParams params;
    int next = 1;
    // "($1::bigint,$2,...)" for the next `types.size()` parameters.
    const auto row = [&next](std::initializer_list<const char*> types) {
        std::string text = "(";
        for (const char* type : types)
            text += (text.size() > 1 ? ",$" : "$") + std::to_string(next++) + type;
        return text + ")";
    };
    std::map<std::string, DayTotals> days;
    for (const Report* report : batch) {
        DayTotals& day = days[localDay(report->atMs)];
        if (report->edition.empty()) {
            starts += (starts.empty() ? "" : ",") + row({"::bigint", ""});
            params.integer(report->atMs).text(report->product);
            ++day.starts;
        } else {
            captures += (captures.empty() ? "" : ",") + row({"::bigint", "::bigint", ""});
            params.integer(report->atMs).integer(report->count).text(report->edition);
            (report->edition == "ie" ? day.ie : day.soft) += report->count;
        }
    }
    // The summary's rows in one order in every process, so that two commits never wait on
    // each other crosswise.
    std::string summary;
    for (const auto& [day, totals] : days) {
        summary += (summary.empty() ? "" : ",") + row({"", "::bigint", "::bigint", "::bigint"});
        params.text(day).integer(totals.starts).integer(totals.soft).integer(totals.ie);
    }
    // One statement is one transaction and one round trip.
    std::string sql = "WITH ";
    if (!starts.empty())
        sql += "s AS (INSERT INTO starts(at, product) VALUES " + starts + "), ";
    if (!captures.empty())
        sql += "c AS (INSERT INTO captures(at, count, edition) VALUES " + captures + "), ";
    sql += "d AS (SELECT 1) INSERT INTO report_days(day, starts, captures_soft, captures_ie)"
           " VALUES " +
           summary +
           " ON CONFLICT (day) DO UPDATE SET starts = report_days.starts + EXCLUDED.starts,"
           " captures_soft = report_days.captures_soft + EXCLUDED.captures_soft,"
           " captures_ie = report_days.captures_ie + EXCLUDED.captures_ie";
    m_connection.exec(sql, params);
}

} // namespace site
