#pragma once

#include <QString>
#include <functional>

namespace player {
class Clip;
}

namespace moviecommon {

// Defines `name` on `root` as a function of no arguments that runs `work` with the root.
void defineRootCall(player::Clip& root, const QString& name,
                    std::function<void(player::Clip& root)> work);

// Calls the root's function `name` every `ms` milliseconds while the root lives, and keeps
// the interval's handle in the root variable `handleVariable`, where the movie clears it.
void callEvery(player::Clip& root, const QString& name, int ms, const QString& handleVariable);

} // namespace moviecommon
