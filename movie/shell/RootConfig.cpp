#include "movie/shell/RootConfig.h"

#include "movie/common/SharedRules.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QUrl>

namespace shell {

void allowPartnerDomains(player::Stage& stage) {
    stage.allowDomain({QStringLiteral("*.quorle.com"), QStringLiteral("www.ivemba.com"),
                       QStringLiteral("*.ivemba.com")});
}

void setSiteAddresses(player::Clip& root) {
    const common::Settings& settings = moviecommon::settingsOf(root);
    root.setVar(QStringLiteral("WebRoot"), settings.siteUrl(QStringLiteral("/ivemba")));
    root.setVar(QStringLiteral("UploadTarget"), settings.siteUrl(QStringLiteral("/upload2.aspx")));
    root.setVar(QStringLiteral("UploadPath"), settings.siteUrl(QStringLiteral("/pics/")));
    root.setVar(QStringLiteral("UploadFormOpen"), settings.siteUrl(QStringLiteral("/")));
    root.setVar(QStringLiteral("pVersion"), kProgramVersion);
}

QString siteHostName(const common::Settings& settings) {
    const QString host = QUrl(settings.siteBase).host();
    return host.isEmpty() ? settings.siteBase : host;
}

} // namespace shell
