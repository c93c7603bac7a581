#include "movie/common/SharedRules.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"

namespace moviecommon {

bool isBrowserEdition(const player::Clip& anyClip) {
    const player::Stage* stage = anyClip.stage();
    const player::Clip* root = stage ? stage->root() : &anyClip;
    return root->var(vars::SetIdeType).toString() == QLatin1String("ie");
}

QString captureCountText(int count) {
    return QStringLiteral("您已拍摄 ") + QString::number(count) + QStringLiteral(" 张！");
}

} // namespace moviecommon
