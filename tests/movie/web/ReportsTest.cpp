#include "WebFixture.h"

namespace webtest {
namespace {

using testsupport::waitUntil;

using ReportsTest = WebMovie;

TEST_F(ReportsTest, UsageReportGoesOutOncePerStartInBothEditions) {
    for (bool desktop : {true, false}) {
        SCOPED_TRACE(desktop ? "desktop" : "browser");
        site.clearRequests();
        desktop ? startDesktop() : startBrowser();
        ASSERT_TRUE(waitUntil([&] { return site.count("/UseRecord.aspx") == 1; }));
        const auto requests = site.requests();
        const auto it = std::find_if(requests.begin(), requests.end(),
                                     [](const auto& r) { return r.path == "/UseRecord.aspx"; });
        EXPECT_EQ(it->method, "POST");
        EXPECT_EQ(it->field("pname"), "iVemba.2005.");
        frames(20);
        pass(100000);
        settle();
        EXPECT_EQ(site.count("/UseRecord.aspx"), 1);
    }
}

TEST_F(ReportsTest, UsageReportIsSentRightAfterTheHandshakeAlsoWhenTheSiteIsDown) {
    bool reportedAtHandshake = false;
    onCommand = [&](const QString& name, const QString&) {
        if (name == "iVembaInited")
            reportedAtHandshake = root()->findChild<QObject*>("Used_lv") != nullptr;
    };
    startAgainst(QStringLiteral("http://127.0.0.1:%1").arg(testsupport::refusedPort()),
                 QStringLiteral("soft"));
    EXPECT_FALSE(reportedAtHandshake) << "the report follows the handshake";
    ASSERT_NE(root()->findChild<QObject*>("Used_lv"), nullptr);
    EXPECT_TRUE(waitUntil([&] { return traced("form post failed"); }));
    EXPECT_EQ(root()->currentFrame(), 2);
}

TEST_F(ReportsTest, CaptureReportCarriesThePeriodsCountAndResetsIt) {
    startDesktop();
    pass(45000);
    settle();
    EXPECT_EQ(site.count("/CpRecord.aspx"), 0) << "no capture, no report";

    for (int i = 0; i < 3; ++i)
        root()->call("CaptureDo");
    EXPECT_EQ(root()->var("CpRecord").toInt(), 3);
    pass(44999);
    settle();
    EXPECT_EQ(site.count("/CpRecord.aspx"), 0) << "the report waits for the 45-second mark";
    pass(1);
    EXPECT_EQ(root()->var("CpRecord").toInt(), 0) << "reset at once, before any answer";
    ASSERT_TRUE(waitUntil([&] { return site.count("/CpRecord.aspx") == 1; }));
    for (const auto& r : site.requests()) {
        if (r.path != "/CpRecord.aspx")
            continue;
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(r.field("cpcount"), "3");
        EXPECT_EQ(r.field("softmodel"), "soft");
    }
    EXPECT_EQ(root()->var("info_Capture_count").toInt(), 3) << "the tray count is not the report's";

    pass(45000);
    settle();
    EXPECT_EQ(site.count("/CpRecord.aspx"), 1) << "the next period had no capture";
}

TEST_F(ReportsTest, BrowserEditionReportsAsIe) {
    startBrowser();
    root()->call("CaptureDo");
    pass(45000);
    ASSERT_TRUE(waitUntil([&] { return site.count("/CpRecord.aspx") == 1; }));
    for (const auto& r : site.requests()) {
        if (r.path == "/CpRecord.aspx") {
            EXPECT_EQ(r.field("softmodel"), "ie");
        }
    }
}

TEST_F(ReportsTest, FailedReportStillLosesItsCount) {
    site.fail("/CpRecord.aspx", 500);
    startDesktop();
    root()->call("CaptureDo");
    root()->call("CaptureDo");
    pass(45000);
    ASSERT_TRUE(waitUntil([&] { return site.count("/CpRecord.aspx") == 1; }));
    settle();
    EXPECT_EQ(root()->var("CpRecord").toInt(), 0);
    root()->call("CaptureDo");
    site.clearRequests();
    site.answer("/CpRecord.aspx", "status=ok");
    pass(45000);
    ASSERT_TRUE(waitUntil([&] { return site.count("/CpRecord.aspx") == 1; }));
    EXPECT_EQ(site.requests().back().field("cpcount"), "1");
}

// A burst of four from one press is four cards in the tray and four captures in the report.
TEST_F(ReportsTest, BurstPhotosAreEachACardAndACapture) {
    settings.burst = 4;
    startDesktop();
    frames(2);         // the capture page reaches its second frame
    click({650, 197}); // the camera shutter
    frames(3 * 16);
    EXPECT_EQ(clip("manage_mc")->var("Photos_Previews").toStringList().size(), 4);
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(clip(QStringLiteral("manage_mc/Photo%1").arg(n))) << n;
    EXPECT_EQ(clip("capture_mc")->var("info_Capture_count_txt").toString(), "您已拍摄 4 张！");
    pass(45000);
    ASSERT_TRUE(waitUntil([&] { return site.count("/CpRecord.aspx") == 1; }));
    for (const auto& r : site.requests()) {
        if (r.path == "/CpRecord.aspx") {
            EXPECT_EQ(r.field("cpcount"), "4");
        }
    }
}

} // namespace
} // namespace webtest
