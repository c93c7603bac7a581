#pragma once

#include <QString>

namespace player {
class Clip;
}

namespace web {

// What the version file publishes: the version and download page of its last "Delphi"
// entry. The root is the document's second top-level node (the first is the line break
// after the declaration); a version that is missing or not a number reads as NaN.
struct PublishedVersion {
    bool found = false; // false: no "Delphi" entry, or no version file at all
    double version = 0;
    QString download;
};
[[nodiscard]] PublishedVersion readVersionFile(const QString& text);

// True when the published version calls for the new-version hint: any number other than
// `own`, not-a-number among them.
[[nodiscard]] bool differsFrom(const PublishedVersion& published, double own);

// Defines `DetectNewVersion` on the root: it runs once, loads `WebRoot` + "/version.xml"
// and shows `upload_hintMsg_mc` when the published version differs from `pVersion`.
void defineDetectNewVersion(player::Clip& root);

// Starts `VersionTimer`, which calls `DetectNewVersion` 6 seconds later.
void startVersionTimer(player::Clip& root);

// A release on the new-version hint opens `uploadUrl` in a new window; the hint stays.
void attachVersionHintHandler(player::Clip& root);

} // namespace web
