#include "site/store/ReportQueue.h"

#include "site/Clock.h"
#include "site/store/SiteStore.h"

#include <exception>
#include <map>
#include <random>

namespace site {

namespace {

// One commit carries at most this many reports, so that no one waits long behind a
// backlog.
constexpr std::size_t kLargestBatch = 4000;
// Rows per day of the summary that the processes' writers spread over: two processes
// rarely pick the same row, and a clash only makes one wait.
constexpr int kShards = 64;

struct DayTotals {
    std::int64_t starts = 0;
    std::int64_t soft = 0;
    std::int64_t ie = 0;
};

// An array parameter in PostgreSQL's text form: {"a","b\\"c"}.
class ArrayText {
public:
    void add(std::int64_t value) { separate() += std::to_string(value); }
    void add(const std::string& value) {
        std::string& text = separate();
        text += '"';
        for (char c : value) {
            if (c == '"' || c == '\\')
                text += '\\';
            text += c;
        }
        text += '"';
    }
    [[nodiscard]] std::string text() const { return "{" + m_text + "}"; }

private:
    std::string& separate() {
        if (!m_text.empty())
            m_text += ',';
        return m_text;
    }
    std::string m_text;
};

} // namespace

ReportQueue::ReportQueue(const std::string& url) : m_connection(url) {
    // A report is committed before it is answered, and a site process that dies loses none;
    // the database server flushes the reports' log on its own beat instead of at every
    // batch. Only a crash of the database machine can cost the last fraction of a second of
    // counts: what the embedded store's write-ahead log promises too. Photos, files and
    // publishing keep flushing at every commit.
    m_connection.exec("SET synchronous_commit = off");
    std::random_device random;
    const int shard = static_cast<int>(random() % kShards);
    m_writer = std::thread([this, shard] { write(shard); });
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
    Report report{atMs, product, count, edition, {}};
    std::future<void> committed = report.committed.get_future();
    {
        const std::scoped_lock lock(m_mutex);
        m_waiting.push_back(std::move(report));
    }
    m_arrived.notify_one();
    committed.get();
}

void ReportQueue::write(int shard) {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_arrived.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_waiting.empty())
            return;
        std::deque<Report> batch;
        while (!m_waiting.empty() && batch.size() < kLargestBatch) {
            batch.push_back(std::move(m_waiting.front()));
            m_waiting.pop_front();
        }
        lock.unlock();
        std::exception_ptr failure;
        try {
            commit(m_connection, shard, batch);
        } catch (...) {
            failure = std::current_exception();
        }
        for (Report& report : batch) {
            if (failure)
                report.committed.set_exception(failure);
            else
                report.committed.set_value();
        }
        lock.lock();
    }
}

void ReportQueue::commit(PgConnection& connection, int shard, const std::deque<Report>& batch) {
    ArrayText startAt, startProduct, captureAt, captureCount, captureEdition;
    std::map<std::string, DayTotals> days;
    for (const Report& report : batch) {
        DayTotals& day = days[localDay(report.atMs)];
        if (report.edition.empty()) {
            startAt.add(report.atMs);
            startProduct.add(report.product);
            ++day.starts;
        } else {
            captureAt.add(report.atMs);
            captureCount.add(report.count);
            captureEdition.add(report.edition);
            (report.edition == "ie" ? day.ie : day.soft) += report.count;
        }
    }
    // The summary's rows in one order in every process, so that two commits never wait on
    // each other crosswise.
    ArrayText day, shards, starts, soft, ie;
    for (const auto& [name, totals] : days) {
        day.add(name);
        shards.add(shard);
        starts.add(totals.starts);
        soft.add(totals.soft);
        ie.add(totals.ie);
    }
    // One statement is one transaction and one round trip.
    connection.execPrepared(
        "reports",
        "WITH s AS (INSERT INTO starts(at, product)"
        " SELECT * FROM unnest($1::bigint[], $2::text[])),"
        " c AS (INSERT INTO captures(at, count, edition)"
        " SELECT * FROM unnest($3::bigint[], $4::bigint[], $5::text[]))"
        " INSERT INTO report_days(day, shard, starts, captures_soft, captures_ie)"
        " SELECT * FROM unnest($6::text[], $7::integer[], $8::bigint[], $9::bigint[],"
        " $10::bigint[]) ON CONFLICT (day, shard) DO UPDATE SET starts = report_days.starts + "
        "EXCLUDED.starts,"
        " captures_soft = report_days.captures_soft + EXCLUDED.captures_soft,"
        " captures_ie = report_days.captures_ie + EXCLUDED.captures_ie",
        PgParams()
            .text(startAt.text())
            .text(startProduct.text())
            .text(captureAt.text())
            .text(captureCount.text())
            .text(captureEdition.text())
            .text(day.text())
            .text(shards.text())
            .text(starts.text())
            .text(soft.text())
            .text(ie.text()));
}

} // namespace site
