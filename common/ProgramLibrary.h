#pragma once

#include <QString>

namespace common {

// The program's own libraries that it loads when first needed rather than at start (the
// media system, the web): each exports one entry function by name. A program built with the
// library linked in (the tests, the benches) has the entry already; otherwise the library is
// looked for beside the program in a build tree, and in the program's folder of the library
// directory when installed. It then stays loaded for the life of the process.
//
// The entry, or null with `why` (if given) saying what was tried.
[[nodiscard]] void* programLibraryEntry(const QString& fileName, const char* entry,
                                        QString* why = nullptr);

} // namespace common
