#include "movie/common/MovieNames.h"

#include "player/Clip.h"
#include "player/Stage.h"

namespace moviecommon {

player::Clip* findClip(const player::Clip& anyClip, const QString& path, const QString& who) {
    player::Stage* stage = anyClip.stage();
    player::Clip* found = stage && stage->root() ? stage->root()->resolve(path) : nullptr;
    if (!found && stage)
        stage->trace(who + QStringLiteral(": no clip at ") + path);
    return found;
}

} // namespace moviecommon
