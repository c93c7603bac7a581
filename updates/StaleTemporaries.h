#pragma once

#include <QString>

namespace updates {

// Every catalogue file and download is written to a hidden temporary file beside its
// target and renamed over it when complete. A program killed in the middle leaves that
// temporary behind, half-written; this removes such leftovers from the border folder and
// from its class folders. Only names of exactly that shape go: "." + name + "." + six
// letters or digits, and ".ivemba-" + six letters or digits. Run it only while no border
// job writes there.
void removeStaleTemporaries(const QString& borderFolder);

// Whether `fileName` has the shape of such a temporary.
[[nodiscard]] bool isTemporaryName(const QString& fileName);

} // namespace updates
