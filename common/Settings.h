#pragma once

#include "common/Result.h"

#include <QString>
#include <optional>

namespace common {

// What the program is told when it starts: from the environment, the maker's web site, from
// which every web address of the host and the movie is built, and, for tests and machines
// without a webcam, a still picture to use as the camera; from the user's preferences, the
// camera and shutter choices made in the player's settings panel. The host and each player's
// services hold a copy; tests set theirs instead of the process environment.
struct Settings {
    // Scheme and host without a trailing slash (IVEMBA_SITE_BASE, else the build's default).
    QString siteBase;
    // IVEMBA_TEST_CAMERA when set: "<path>", "busy:<path>", "denied:<path>" or "none".
    std::optional<QString> testCamera;

    // The user's preferences. The camera the movie gets by default (its name; empty for
    // the system's default camera).
    QString cameraId;
    // The live picture shown as in a looking-glass, and the photos taken as it shows.
    bool mirror = false;
    // Whether the player lets the movie use the camera at all.
    bool cameraAllowed = true;
    // The shutter's self-timer in seconds (0 is off) and the photos one press takes.
    int selfTimer = 0;
    int burst = 1;
    // Where the preferences are kept; empty keeps them for this run only (tests).
    QString preferencesFile;

    // siteBase followed by `path`, which must start with "/".
    [[nodiscard]] QString siteUrl(const QString& path) const { return siteBase + path; }

    // The environment alone, with every preference at its default and none kept.
    [[nodiscard]] static Settings fromEnvironment();
    // What the program starts with: the environment and the user's preferences, kept in the
    // user's config folder.
    [[nodiscard]] static Settings atStart();
    // `base` without its trailing slashes.
    [[nodiscard]] static QString normalisedSiteBase(QString base);

    // The values the self-timer and burst may take, the default first.
    static constexpr int kSelfTimers[] = {0, 3, 10};
    static constexpr int kBursts[] = {1, 4};

    // Reads the preferences from `preferencesFile`; a missing file or a value out of range
    // leaves the default.
    void readPreferences();
    // Writes the preferences to `preferencesFile` (nothing when it is empty).
    [[nodiscard]] Status<> writePreferences() const;
    // The preferences file in the user's config folder.
    [[nodiscard]] static QString userPreferencesFile();
};

} // namespace common
