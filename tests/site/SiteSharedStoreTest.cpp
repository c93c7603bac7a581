// What several site processes sharing one PostgreSQL database rely on: the schema is made
// once however many start together, a database from a newer site is refused, and
// publishers take turns.
#include "site/Publisher.h"
#include "site/store/PgConnection.h"
#include "site/store/PgSchema.h"
#include "site/store/PostgresStore.h"
#include "support/PostgresServer.h"
#include "support/SiteFixture.h"

#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kStorage = std::uint64_t{1} << 30;

TEST(SiteSharedStore, ProcessesStartingTogetherMakeTheSchemaOnce) {
    const std::string url = testsupport::PostgresServer::shared().freshDatabase();
    std::vector<std::future<void>> starts;
    for (int k = 0; k < 4; ++k)
        starts.push_back(std::async(std::launch::async, [&url] {
            site::PostgresStore store(url, kStorage, 1);
            store.addStart(1700000000000, "iVemba.2005.");
        }));
    for (auto& start : starts)
        EXPECT_NO_THROW(start.get());
    site::PgConnection connection(url);
    EXPECT_EQ(connection.exec("SELECT COUNT(*) FROM schema_steps").integer(0, 0),
              site::newestSchema());
    EXPECT_EQ(site::PostgresStore(url, kStorage, 1).startCount(), 4);
}

TEST(SiteSharedStore, ADatabaseOfANewerSiteIsRefusedUntouched) {
    const std::string url = testsupport::PostgresServer::shared().freshDatabase();
    { site::PostgresStore made(url, kStorage, 1); }
    site::PgConnection connection(url);
    connection.exec("INSERT INTO schema_steps(step) VALUES ($1)",
                    site::PgParams().integer(site::newestSchema() + 1));
    EXPECT_THROW(site::PostgresStore(url, kStorage, 1), std::runtime_error);
    EXPECT_EQ(connection.exec("SELECT COUNT(*) FROM schema_steps").integer(0, 0),
              site::newestSchema() + 1);
}

TEST(SiteSharedStore, PublishersInTwoProcessesTakeTurns) {
    const std::string url = testsupport::PostgresServer::shared().freshDatabase();
    sitetest::TemporaryFolder source;
    std::vector<std::future<std::string>> publications;
    for (int k = 0; k < 4; ++k) {
        const fs::path folder = source.path() / ("C" + std::to_string(k));
        fs::create_directories(folder);
        std::ofstream(folder / ("b" + std::to_string(k) + ".gif")) << "thumb";
        std::ofstream(folder / ("b" + std::to_string(k) + ".png")) << "border";
        publications.push_back(std::async(std::launch::async, [&url, folder] {
            site::PostgresStore store(url, kStorage, 1);
            return site::Publisher(store, "http://x").publish("note", {folder});
        }));
    }
    std::set<std::string> numbers;
    for (auto& publication : publications)
        numbers.insert(publication.get());
    EXPECT_EQ(numbers, (std::set<std::string>{"1", "2", "3", "4"}));
    site::PostgresStore store(url, kStorage, 1);
    pugi::xml_document history;
    ASSERT_TRUE(history.load_string(store.updateFile("BVHistory.xml").value_or("").c_str()));
    std::set<std::string> named;
    for (pugi::xml_node entry : history.document_element().children()) {
        named.insert(entry.attribute("BVNum").value());
        EXPECT_TRUE(
            store.updateFile(std::string(entry.attribute("BVNum").value()) + "/description.xml"));
    }
    EXPECT_EQ(named, numbers);
}

} // namespace
