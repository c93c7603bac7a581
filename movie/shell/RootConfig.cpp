#include "movie/shell/RootConfig.h"

#include "common/SiteBase.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QUrl>

namespace shell {

void allowPartnerDomains(player::Stage& stage) {
    stage.allowDomain({QStringLiteral("*.quorle.com"), QStringLiteral("www.ivemba.com"),
                       QStringLiteral("*.ivemba.com")});
}

void setSiteAddresses(player::Clip& root) {
    root.setVar(QStringLiteral("WebRoot"), common::siteUrl(QStringLiteral("/ivemba")));
    root.setVar(QStringLiteral("UploadTarget"), common::siteUrl(QStringLiteral("/upload2.aspx")));
    root.setVar(QStringLiteral("UploadPath"), common::siteUrl(QStringLiteral("/pics/")));
    root.setVar(QStringLiteral("UploadFormOpen"), common::siteUrl(QStringLiteral("/")));
    root.setVar(QStringLiteral("pVersion"), kProgramVersion);
}

QString siteHostName() {
    const QUrl site(common::siteBase());
    const QString host = site.host();
    return host.isEmpty() ? common::siteBase() : host;
}

} // namespace shell
