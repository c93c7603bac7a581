#include "movie/tray/ManagePage.h"

#include "player/Clip.h"
#include "player/Stage.h"

namespace tray {

// Placeholder page until the tray is built.
void defineSymbols(player::Stage& stage) {
    stage.library().define(QStringLiteral("manage_page"), [](player::Clip& page) {
        page.define(QStringLiteral("NewPhoto"), [](const QVariantList&) { return QVariant(); });
    });
}

} // namespace tray
