#include "movie/capture/Snapshot.h"

#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "player/Bitmap.h"
#include "player/Clip.h"

#include <QTransform>

namespace capture {

using player::Clip;

namespace {

// Snapshot size: the view's frame.
constexpr int kWidth = 240;
constexpr int kHeight = 180;

Clip* picture(const Clip& root) {
    return root.resolve(QStringLiteral("capture_mc/dv/cam_pic_mc"));
}

int increment(Clip& root, const QString& counter) {
    const int value = root.var(counter).toInt() + 1;
    root.setVar(counter, value);
    return value;
}

void captureDo(Clip& root) {
    increment(root, moviecommon::vars::CpRecord);
    const int taken = increment(root, moviecommon::vars::info_Capture_count);

    // Each snapshot is a bitmap of its own: cards made earlier keep their pictures.
    auto bitmap = std::make_shared<player::Bitmap>(kWidth, kHeight, true, 0);
    root.setVar(moviecommon::vars::CaptingBmp, QVariant::fromValue(bitmap));
    // The picture clip in its own coordinates: the view's scale and shadow stay out.
    if (Clip* source = picture(root))
        bitmap->draw(*source, QTransform(), QRectF(0, 0, kWidth, kHeight), true);

    if (Clip* tray = root.child(moviecommon::clips::manage_mc))
        tray->call(moviecommon::calls::NewPhoto);
    if (Clip* page = root.child(moviecommon::clips::capture_mc))
        page->setVar(moviecommon::vars::info_Capture_count_txt,
                     moviecommon::captureCountText(taken));
}

} // namespace

void defineSnapshot(Clip& root) {
    Clip* self = &root;
    root.define(moviecommon::calls::CaptureDo, [self](const QVariantList&) {
        captureDo(*self);
        return QVariant();
    });
    root.define(moviecommon::calls::getPhotoType, [self](const QVariantList&) {
        const Clip* composite =
            self->resolve(QStringLiteral("capture_mc/dv/cam_pic_mc/FromPhoto_mc"));
        const bool shown = composite && composite->isVisibleTo(composite->parentItem());
        return QVariant(shown ? 2 : 1);
    });
}

} // namespace capture
