#include "movie/web/Reports.h"

#include "movie/common/MovieNames.h"
#include "movie/common/RootCalls.h"
#include "movie/common/SharedRules.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/net/FormPost.h"

#include <QPointer>

namespace web {

using player::Clip;

namespace {

constexpr int kCaptureReportMs = 45000;

QString scriptAddress(const Clip& root, const QString& script) {
    return root.var(moviecommon::vars::UploadFormOpen).toString() + script;
}

void sendCpRecord(Clip& root) {
    player::Stage* stage = root.stage();
    const int count = root.var(moviecommon::vars::CpRecord).toInt();
    if (!stage || count == 0)
        return;
    // One request object per report: a report still on its way is not cut short by the next.
    auto* report = new net::FormPost(*stage, &root);
    report->set(QStringLiteral("cpcount"), QString::number(count));
    report->set(QStringLiteral("softmodel"), moviecommon::isBrowserEdition(root)
                                                 ? moviecommon::editions::browser
                                                 : moviecommon::editions::desktop);
    QObject::connect(report, &net::FormPost::loaded, report, &QObject::deleteLater);
    report->post(scriptAddress(root, QStringLiteral("CpRecord.aspx")));
    root.setVar(moviecommon::vars::CpRecord, 0);
}

} // namespace

void sendUsageReport(Clip& root) {
    player::Stage* stage = root.stage();
    if (!stage)
        return;
    auto* used = new net::FormPost(*stage, &root);
    used->setObjectName(QStringLiteral("Used_lv"));
    used->set(QStringLiteral("pname"), QStringLiteral("iVemba.2005."));
    used->post(scriptAddress(root, QStringLiteral("UseRecord.aspx")));
}

void defineSendCpRecord(Clip& root) {
    moviecommon::defineRootCall(root, QStringLiteral("SendCpRecord"), sendCpRecord);
}

void startCaptureReportTimer(Clip& root) {
    moviecommon::callEvery(root, QStringLiteral("SendCpRecord"), kCaptureReportMs,
                           QStringLiteral("SendCpRecordTimer"));
}

} // namespace web
