#pragma once

#include <QString>

namespace host {

// The folder every host path is built from: the movie file, its override, the border
// folder and the help page. A build or a portable copy runs from its own folder, which
// holds borders/ beside the executable and can be written. An installed program lives in
// a folder the user cannot write (or should not: /usr/bin), so it runs from a per-user
// folder instead, seeded from the installed borders/ and help/ without ever replacing a
// file the user already has there (an edited or updated borders.xml stays).
class ProgramDirectory {
public:
    struct Places {
        QString executableDir; // the executable's folder, without a trailing slash
        QString installedData; // the installed borders/ and help/ (share/ivemba)
        QString userDir;       // the per-user folder ($XDG_DATA_HOME/ivemba)
    };

    // The places for an executable in `executableDir`: the data under ../share/ivemba
    // beside it, and the per-user folder under the user's data location.
    [[nodiscard]] static Places standardPlaces(const QString& executableDir);

    // The executable's folder when it is a program directory (it holds borders/) and
    // `executableDirWritable`; otherwise the per-user folder, made and seeded. When the
    // per-user folder cannot be made, the executable's folder, whose failures the program
    // reports as it always has.
    [[nodiscard]] static QString resolve(const Places& places, bool executableDirWritable);
    [[nodiscard]] static QString resolve(const Places& places);

    [[nodiscard]] static bool isWritableFolder(const QString& path);

    // Copies every file under `from` that `to` lacks, making folders as needed; files
    // already in `to` are left exactly as they are. False when a copy failed.
    static bool seed(const QString& from, const QString& to);
};

} // namespace host
