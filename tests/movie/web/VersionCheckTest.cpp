#include "movie/web/VersionCheck.h"

#include "WebFixture.h"

#include <cmath>

namespace webtest {
namespace {

using testsupport::waitUntil;

const std::string kPath = "/ivemba/version.xml";

std::string versionFile(const std::string& entries) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<iVemba>" + entries + "</iVemba>\r\n";
}
std::string delphi(const std::string& version, const std::string& download = "http://d/new") {
    return "<Delphi version=\"" + version + "\" download=\"" + download + "\"/>";
}

class VersionCheckTest : public WebMovie {
protected:
    player::Clip* hint() const { return clip("upload_hintMsg_mc"); }
    // Starts the desktop edition, lets the 6 seconds pass and waits for the check to end.
    void check() {
        startDesktop();
        pass(5999);
        settle();
        ASSERT_EQ(site.count(kPath), 0) << "the check waits 6 seconds";
        pass(1);
        ASSERT_TRUE(waitUntil([&] { return site.count(kPath) == 1; }));
        settle();
    }
};

TEST_F(VersionCheckTest, HintShowsExactlyWhenThePublishedVersionDiffers) {
    const struct {
        const char* name;
        std::string body;
        bool shown;
    } cases[] = {
        {"same version", versionFile(delphi("2")), false},
        {"newer", versionFile(delphi("3")), true},
        {"older", versionFile(delphi("1")), true},
        {"last entry wins", versionFile(delphi("5") + delphi("2")), false},
        {"last entry differs", versionFile(delphi("2") + delphi("4")), true},
        {"root on the declaration's line",
         "<?xml version=\"1.0\"?><iVemba>" + delphi("3") + "</iVemba>\r\n", false},
        {"no Delphi entry", versionFile("<Delphix version=\"3\"/><delphi version=\"3\"/>"), false},
        {"missing version", versionFile("<Delphi download=\"http://d/new\"/>"), true},
        {"version not a number", versionFile(delphi("v3")), true},
        {"not XML", "<<< this is no version file", false},
        {"unclosed", versionFile(delphi("3")).substr(0, 60), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        site.clearRequests();
        site.answer(kPath, c.body, "text/xml");
        check();
        EXPECT_EQ(hint()->isVisible(), c.shown);
        if (c.shown) {
            EXPECT_EQ(root()->var("uploadUrl").toString(), "http://d/new");
        }
    }
}

TEST_F(VersionCheckTest, RunsOnceAndClearsItsTimer) {
    site.answer(kPath, versionFile(delphi("2")), "text/xml");
    check();
    EXPECT_FALSE(root()->var("VersionTimer").isValid());
    EXPECT_EQ(root()->var("tVersion").toDouble(), 2.0);
    pass(60000);
    settle();
    EXPECT_EQ(site.count(kPath), 1);
}

TEST_F(VersionCheckTest, ClickOpensTheDownloadPageInANewWindowAndKeepsTheHint) {
    site.answer(kPath, versionFile(delphi("3", "http://example.org/get")), "text/xml");
    check();
    ASSERT_TRUE(hint()->isVisible());
    click(hint()->bounds(root()).center());
    click(hint()->bounds(root()).center());
    EXPECT_EQ(opened(),
              (QStringList{"http://example.org/get _new", "http://example.org/get _new"}));
    EXPECT_TRUE(hint()->isVisible());
}

TEST_F(VersionCheckTest, OnlyWebDownloadAddressesAreOpened) {
    for (const std::string address : {"javascript:alert(1)", "file:///etc/passwd", ""}) {
        SCOPED_TRACE(address);
        site.clearRequests();
        site.answer(kPath, versionFile(delphi("3", address)), "text/xml");
        check();
        ASSERT_TRUE(waitUntil([&] { return hint()->isVisible(); }));
        hint()->release();
        EXPECT_TRUE(opened().isEmpty());
    }
}

TEST_F(VersionCheckTest, HugeOrUnreachableVersionFilesShowNothing) {
    site.flood(kPath, 100u << 20);
    check();
    EXPECT_FALSE(hint()->isVisible());

    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += delphi(i == 99999 ? "7" : "2");
    site.clearRequests();
    site.answer(kPath, versionFile(many), "text/xml");
    check();
    EXPECT_TRUE(waitUntil([&] { return hint()->isVisible(); }));
    EXPECT_EQ(root()->var("tVersion").toDouble(), 7.0);

    startAgainst(QStringLiteral("http://127.0.0.1:%1").arg(testsupport::refusedPort()),
                 QStringLiteral("soft"));
    pass(6000);
    settle();
    EXPECT_FALSE(hint()->isVisible());
}

TEST(ReadVersionFileTest, WhiteSpaceAndOtherNodesAroundEntriesAreSkipped) {
    const web::PublishedVersion v = web::readVersionFile(QString::fromStdString(
        "<?xml version=\"1.0\"?>\n<r>\n  <!-- c -->\n  text\n  <Delphi version=\" 3 \" "
        "download=\"http://a\"/>\n</r>\n"));
    EXPECT_TRUE(v.found);
    EXPECT_EQ(v.version, 3.0);
    EXPECT_EQ(v.download, "http://a");
    EXPECT_FALSE(web::readVersionFile("").found);
    const web::PublishedVersion nan =
        web::readVersionFile("<?xml version=\"1.0\"?>\n<r><Delphi version=\"\"/></r>");
    EXPECT_TRUE(nan.found);
    EXPECT_TRUE(std::isnan(nan.version));
    EXPECT_TRUE(web::differsFrom(nan, 2));
}

} // namespace
} // namespace webtest
