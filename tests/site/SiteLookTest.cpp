#include "site/SiteContext.h"
#include "support/SiteFixture.h"

#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Opens `url` in headless Chromium and returns the screenshot it took.
QImage screenshot(const std::string& url, const fs::path& file) {
    sitetest::TemporaryFolder profile;
    fs::create_directories(file.parent_path());
    fs::remove(file);
    const std::string command =
        "/usr/bin/chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
        "--disable-background-networking --disable-component-update --disable-sync "
        "--user-data-dir=" +
        profile.path().string() + " --screenshot=" + file.string() + " --window-size=1000,800 '" +
        url + "' > /dev/null 2>&1";
    (void)std::system(("timeout 40 " + command).c_str());
    return QImage(QString::fromStdString(file.string()));
}

// How many pixels of `image` differ clearly from the page's background.
int colouredPixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - c.blue()) > 40 || std::abs(c.green() - c.blue()) > 40)
                ++count;
        }
    return count;
}

TEST(SiteLook, PhotosAndStatsPagesShowInABrowser) {
    if (!fs::exists("/usr/bin/chromium"))
        GTEST_SKIP() << "no Chromium";
    sitetest::RunningSite site;
    auto client = site.client();
    const char* titles[] = {"春游", "生日快乐", "我和小猫", "毕业照", "海边", "新年好"};
    for (int k = 0; k < 6; ++k) {
        auto answer = client.Post("/upload2.aspx",
                                  sitetest::uploadBody(sitetest::testPicture(k), titles[k], "小明"),
                                  "application/x-www-form-urlencoded");
        ASSERT_TRUE(answer && answer->status == 200);
    }
    site::SiteStore& database = site.store();
    const std::int64_t day = 24 * 3600 * 1000LL;
    const std::int64_t now = 1700000000000;
    for (int d = 0; d < 7; ++d) {
        for (int s = 0; s < 3 + d * 2; ++s)
            database.addStart(now + d * day, "iVemba.2005.");
        database.addCaptures(now + d * day, 4 + d * 3, "soft");
        database.addCaptures(now + d * day, 1 + d, "ie");
    }

    const fs::path folder = IVEMBA_SITE_SCREENSHOTS;
    const QImage photos = screenshot(site.base() + "/photos.aspx", folder / "photos.png");
    ASSERT_FALSE(photos.isNull()) << "Chromium made no screenshot";
    EXPECT_EQ(photos.size(), QSize(1000, 800));
    // The first row of photos lies below the header and the count.
    EXPECT_GT(colouredPixels(photos, QRect(0, 100, 1000, 300)), 40000);

    const QImage stats = screenshot(site.base() + "/stats.aspx", folder / "stats.png");
    ASSERT_FALSE(stats.isNull());
    EXPECT_GT(colouredPixels(stats, QRect(0, 100, 1000, 330)), 3000) << "the chart's bars";
}

} // namespace
