#pragma once

#include "site/store/PgConnection.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

namespace site {

// Start and capture reports on their way into PostgreSQL. Every request thread that adds
// one waits until it is committed; meanwhile one writer thread gathers whatever reports
// arrived and commits them together, with the daily summary they change, in one
// transaction: one commit carries as many reports as came in while the last was written.
class ReportQueue {
public:
    explicit ReportQueue(const std::string& url);
    ~ReportQueue();
    ReportQueue(const ReportQueue&) = delete;
    ReportQueue& operator=(const ReportQueue&) = delete;

    // `edition` empty: a start of `product`; else `count` captures of the edition.
    // Returns once committed; throws what the commit threw.
    void add(std::int64_t atMs, const std::string& product, std::int64_t count,
             const std::string& edition);

private:
    struct Report {
        std::int64_t atMs = 0;
        std::string product;
        std::int64_t count = 0;
        std::string edition;
        bool done = false;
        std::exception_ptr failure;
    };

    void write();
    void commit(const std::deque<Report*>& batch);

    PgConnection m_connection;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::condition_variable m_committed;
    std::deque<Report*> m_waiting;
    bool m_stopping = false;
    std::thread m_writer;
};

} // namespace site
