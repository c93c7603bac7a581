#pragma once

#include "support/LocalSite.h"
#include "support/Wait.h"
#include "tests/movie/shell/ShellFixture.h"

#include <memory>

namespace webtest {

// The real movie against a local site: the site base points at `site` before the player
// is built. Time is driven by the frame clock and the intervals, never waited for.
class WebMovie : public shelltest::ShellMovie {
protected:
    void startAgainst(const QString& base, std::optional<QString> hostAnswer) {
        settings.siteBase = base;
        start(std::move(hostAnswer));
    }
    void startDesktop() { startAgainst(site.base(), QStringLiteral("soft")); }
    void startBrowser() { startAgainst(site.base(), std::nullopt); }

    void pass(qint64 ms) { stage().intervals().advance(ms); }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            stage().clock().tick();
    }
    // Lets what is in flight arrive; for checks that something did not happen.
    static void settle() { testsupport::spin(300); }
    bool traced(const QString& part) const { return !traces().filter(part).isEmpty(); }

    testsupport::LocalSite site;
};

} // namespace webtest
