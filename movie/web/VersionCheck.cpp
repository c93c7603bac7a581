#include "movie/web/VersionCheck.h"

#include "movie/common/MovieNames.h"
#include "movie/common/RootCalls.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/net/XmlLoad.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <cmath>
#include <cstring>
#include <limits>

namespace web {

using player::Clip;

namespace {

constexpr int kVersionCheckMs = 6000;
const QString kVersionTimer = QStringLiteral("VersionTimer");

double toNumber(const pugi::xml_attribute& attribute) {
    bool ok = false;
    const double value = QString::fromUtf8(attribute.value()).trimmed().toDouble(&ok);
    return attribute && ok ? value : std::numeric_limits<double>::quiet_NaN();
}

void showVersion(Clip& root, const PublishedVersion& published) {
    if (!published.found)
        return;
    root.setVar(QStringLiteral("tVersion"), published.version);
    root.setVar(QStringLiteral("pDownload"), published.download);
    if (!differsFrom(published, root.var(moviecommon::vars::pVersion).toDouble()))
        return;
    root.setVar(QStringLiteral("uploadUrl"), published.download);
    if (Clip* hint =
            moviecommon::findClip(root, QLatin1Char('/') + moviecommon::clips::upload_hintMsg_mc,
                                  QStringLiteral("DetectNewVersion")))
        hint->show();
}

void detectNewVersion(Clip& root) {
    player::Stage* stage = root.stage();
    if (!stage)
        return;
    stage->intervals().clearInterval(root.var(kVersionTimer).toInt());
    root.setVar(kVersionTimer, QVariant());

    auto* xml = new net::XmlLoad(*stage, &root);
    xml->setObjectName(QStringLiteral("VersionXml"));
    QPointer<Clip> r = &root;
    QObject::connect(xml, &net::XmlLoad::loaded, xml, [r](bool, const QString& text) {
        // A version file of megabytes takes long to parse: off the UI thread.
        QThreadPool::globalInstance()->start([r, text] {
            PublishedVersion published = readVersionFile(text);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [r, published = std::move(published)] {
                    if (r)
                        showVersion(*r, published);
                },
                Qt::QueuedConnection);
        });
    });
    xml->load(root.var(moviecommon::vars::WebRoot).toString() + QStringLiteral("/version.xml"));
}

} // namespace

PublishedVersion readVersionFile(const QString& text) {
    PublishedVersion published;
    pugi::xml_document document;
    if (text.isEmpty() || !net::parseMovieXml(text, document))
        return published;
    const pugi::xml_node root = document.first_child().next_sibling();
    for (const pugi::xml_node entry : root.children()) {
        if (entry.type() != pugi::node_element || std::strcmp(entry.name(), "Delphi") != 0)
            continue;
        published.found = true;
        published.version = toNumber(entry.attribute("version"));
        published.download = QString::fromUtf8(entry.attribute("download").value());
    }
    return published;
}

bool differsFrom(const PublishedVersion& published, double own) {
    return published.found && (std::isnan(published.version) || published.version != own);
}

void defineDetectNewVersion(Clip& root) {
    moviecommon::defineRootCall(root, QStringLiteral("DetectNewVersion"), detectNewVersion);
}

void startVersionTimer(Clip& root) {
    moviecommon::callEvery(root, QStringLiteral("DetectNewVersion"), kVersionCheckMs,
                           kVersionTimer);
}

void attachVersionHintHandler(Clip& root) {
    Clip* hint = root.child(moviecommon::clips::upload_hintMsg_mc);
    if (!hint)
        return;
    Clip* r = &root;
    hint->onRelease([r] {
        // An empty or non-web address (a missing download attribute, "javascript:",
        // "file:") is traced and opens nothing.
        if (player::Stage* stage = r->stage())
            stage->getURL(r->var(QStringLiteral("uploadUrl")).toString(), QStringLiteral("_new"));
    });
}

} // namespace web
