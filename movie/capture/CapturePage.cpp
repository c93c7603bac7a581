#include "movie/capture/CapturePage.h"

#include "player/Clip.h"
#include "player/Stage.h"

namespace capture {

// Placeholder page until the capture page is built.
void defineSymbols(player::Stage& stage) {
    stage.library().define(QStringLiteral("capture_page"), [](player::Clip& page) {
        page.define(QStringLiteral("setFrom"), [](const QVariantList&) { return QVariant(); });
    });
}

void defineRootFunctions(player::Clip& root) {
    root.define(QStringLiteral("CaptureDo"), [](const QVariantList&) { return QVariant(); });
    root.define(QStringLiteral("getPhotoType"), [](const QVariantList&) { return QVariant(1); });
    root.define(QStringLiteral("SelectThisPhoto"), [](const QVariantList&) { return QVariant(); });
}

} // namespace capture
