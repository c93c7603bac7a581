#include "movie/shell/Hints.h"

#include "movie/common/ChannelCommands.h"
#include "movie/common/MovieNames.h"
#include "movie/shell/BlinkingHint.h"
#include "player/Stage.h"

#include <QCoreApplication>

namespace shell {

using player::Clip;

namespace {

const QString kNewBorderHint = QStringLiteral("NewBorder_hintMsg_mc");
const QString kBorderDoneHint = QStringLiteral("BorderDone_hintMsg_mc");

// The hints end a little left of the help button, so none of them hides a window button.
constexpr qreal kHintWidth = 165;
constexpr qreal kUploadHintWidth = 155;

void setHintVisible(Clip& root, const QString& name, bool visible) {
    if (Clip* hint = root.child(name))
        hint->setVisible(visible);
}

} // namespace

void placeHints(Clip& root) {
    BlinkingHint::Look upload{QCoreApplication::translate("shell", "有更新版本，现在升级？"),
                              {kUploadHintWidth, 23}};
    upload.frames = 10;
    upload.whiteFrames = 2;
    upload.underlineRed = true;
    upload.letterSpacing = 1;
    root.adopt(new BlinkingHint(moviecommon::clips::upload_hintMsg_mc, upload), 161)
        ->setPos(558.95, 8.95);

    BlinkingHint::Look newBorder{QCoreApplication::translate("shell", "有新边框发布，立即下载？"),
                                 {kHintWidth, 20}};
    newBorder.whiteFrames = 6;
    root.adopt(new BlinkingHint(kNewBorderHint, newBorder), 165)->setPos(547.95, 10.25);

    BlinkingHint::Look done{QCoreApplication::translate("shell", "重启软件查看更新的边框！"),
                            {kHintWidth, 20}};
    done.whiteFrames = 2;
    root.adopt(new BlinkingHint(kBorderDoneHint, done), 168)->setPos(548, 9.25);
}

void defineBorderHintHandlers(Clip& root) {
    Clip* r = &root;
    root.define(moviecommon::calls::OnNewBorderPublish, [r](const QVariantList&) {
        setHintVisible(*r, kNewBorderHint, true);
        return QVariant();
    });
    root.define(moviecommon::calls::reloadBorder, [r](const QVariantList&) {
        setHintVisible(*r, kNewBorderHint, false);
        setHintVisible(*r, kBorderDoneHint, true);
        return QVariant();
    });
}

void attachHintHandlers(Clip& root) {
    Clip* r = &root;
    if (Clip* hint = root.child(kNewBorderHint)) {
        hint->onRelease([r] {
            if (player::Stage* stage = r->stage())
                stage->fsCommand(channel::kDownloadNewBorder.toString(), QString());
        });
    }
    if (Clip* hint = root.child(kBorderDoneHint)) {
        hint->onRelease([r] {
            if (player::Stage* stage = r->stage())
                stage->fsCommand(channel::kQuitProgram.toString(), QStringLiteral("-"));
        });
    }
    for (const QString& name :
         {moviecommon::clips::upload_hintMsg_mc, kNewBorderHint, kBorderDoneHint})
        setHintVisible(root, name, false);
}

} // namespace shell
