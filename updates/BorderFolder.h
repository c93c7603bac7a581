#pragma once

#include "common/Result.h"

#include <QString>

namespace updates {

// The folder `borders` in the program directory and the names of the catalogue files in it.
// Paths use "/" throughout; Qt maps them to the platform.
class BorderFolder {
public:
    static constexpr char kFolderName[] = "borders";
    static constexpr char kClassListFile[] = "borders.xml";
    static constexpr char kPublishedHistoryFile[] = "BVHistory.xml";
    static constexpr char kLocalHistoryFile[] = "BVHistory_local.xml";

    // `path` is the border folder itself, with or without a trailing separator.
    explicit BorderFolder(const QString& path);
    [[nodiscard]] static BorderFolder inProgramDirectory(const QString& programDirectory);

    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] QString classListPath() const;
    [[nodiscard]] QString publishedHistoryPath() const;
    [[nodiscard]] QString localHistoryPath() const;
    // The package description of the package on line `line` of the update window.
    [[nodiscard]] QString descriptionPath(int line) const;

    // The folder of a border class; refused when the class name is not a safe name.
    [[nodiscard]] common::Result<QString> classFolderPath(const QString& className) const;
    // Where a file downloaded from `url` for the class is stored: the class folder and
    // UrlFileName(url); refused when either name is not safe.
    [[nodiscard]] common::Result<QString> downloadTarget(const QString& className,
                                                         const QString& url) const;

private:
    QString m_path; // without trailing separator
};

} // namespace updates
