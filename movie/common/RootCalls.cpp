#include "movie/common/RootCalls.h"

#include "player/Clip.h"
#include "player/Stage.h"

#include <QPointer>

namespace moviecommon {

void defineRootCall(player::Clip& root, const QString& name,
                    std::function<void(player::Clip& root)> work) {
    player::Clip* r = &root;
    root.define(name, [r, work = std::move(work)](const QVariantList&) {
        work(*r);
        return QVariant();
    });
}

void callEvery(player::Clip& root, const QString& name, int ms, const QString& handleVariable) {
    player::Stage* stage = root.stage();
    if (!stage)
        return;
    QPointer<player::Clip> r = &root;
    const int handle = stage->intervals().setInterval(
        [r, name] {
            if (r)
                r->call(name);
        },
        ms);
    root.setVar(handleVariable, handle);
}

} // namespace moviecommon
