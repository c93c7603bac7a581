#pragma once

#include <QString>
#include <optional>

namespace common {

// What the program is told when it starts, read from the environment once: the maker's web
// site, from which every web address of the host and the movie is built, and, for tests and
// machines without a webcam, a still picture to use as the camera. The host and each
// player's services hold a copy; tests set theirs instead of the process environment.
struct Settings {
    // Scheme and host without a trailing slash (IVEMBA_SITE_BASE, else the build's default).
    QString siteBase;
    // IVEMBA_TEST_CAMERA when set: "<path>", "busy:<path>", "denied:<path>" or "none".
    std::optional<QString> testCamera;

    // siteBase followed by `path`, which must start with "/".
    [[nodiscard]] QString siteUrl(const QString& path) const { return siteBase + path; }

    [[nodiscard]] static Settings fromEnvironment();
    // `base` without its trailing slashes.
    [[nodiscard]] static QString normalisedSiteBase(QString base);
};

} // namespace common
