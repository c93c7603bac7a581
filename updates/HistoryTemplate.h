#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>

namespace updates {

// The 79 bytes a new local border history starts from: an empty root `BorderVersions`
// with CR LF line ends, carried inside the program as the resource "boarderxml".
[[nodiscard]] QByteArray localHistoryTemplate();

// Writes the template to `path` when no file is there. An existing history, whatever its
// content, is never replaced: it holds the packages the user has installed.
[[nodiscard]] common::Status<> ensureLocalHistory(const QString& path);

} // namespace updates
