#include "movie/shell/Editions.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QCoreApplication>

namespace shell {

using player::Clip;

namespace {

void trace(const Clip& root, const QString& text) {
    if (player::Stage* stage = root.stage())
        stage->trace(text);
}

// The host's answer to "iVembaInited": the window buttons appear and the flag reads "soft",
// whatever the host sent.
QVariant bcSetIdeType(Clip& root) {
    for (const char* name : {"but_quit", "but_help", "but_miniapp"}) {
        if (Clip* button = root.child(QLatin1String(name)))
            button->show();
    }
    return moviecommon::editions::desktop;
}

// The chosen file comes back as "<path>|<target path of the asking clip>". Clip names never
// hold "|" while file names may, so the value splits at its last "|".
void bcOnSelectFiledOK(Clip& root, const QString& value) {
    const qsizetype bar = value.lastIndexOf(QLatin1Char('|'));
    const QString target = bar < 0 ? QString() : value.mid(bar + 1);
    if (target.isEmpty()) {
        trace(root, QStringLiteral("OnSelectFiledOK without a target: ") + value);
        return;
    }
    Clip* asking = root.resolve(target);
    if (!asking) {
        trace(root, QStringLiteral("OnSelectFiledOK: no clip ") + target);
        return;
    }
    asking->call(moviecommon::vars::OnSelectFiledOK, {value.left(bar)});
}

} // namespace

bool isBrowserEdition(const Clip& root) {
    return root.var(moviecommon::vars::SetIdeType).toString() == moviecommon::editions::browser;
}

void watchEdition(Clip& root) {
    Clip* r = &root;
    root.setVar(moviecommon::vars::SetIdeType, moviecommon::editions::browser);
    root.define(QStringLiteral("onSetIdeType"), [r](const QVariantList&) {
        r->setVar(moviecommon::vars::SetIdeType, moviecommon::editions::desktop);
        return QVariant();
    });
    root.watch(moviecommon::vars::SetIdeType,
               [r](const QVariant&, const QVariant&) { return bcSetIdeType(*r); });
}

void watchHostVariables(Clip& root) {
    Clip* r = &root;
    root.setVar(moviecommon::vars::OnSelectFiledOK, QString());
    root.watch(moviecommon::vars::OnSelectFiledOK, [r](const QVariant&, const QVariant& value) {
        bcOnSelectFiledOK(*r, value.toString());
        return value;
    });
    root.setVar(QStringLiteral("OnClassInfoLoadOK"), QString());
    root.watch(QStringLiteral("OnClassInfoLoadOK"), [r](const QVariant&, const QVariant& value) {
        if (r->hasFunction(moviecommon::calls::OnClassInfoLoad))
            r->call(moviecommon::calls::OnClassInfoLoad, {value});
        return value;
    });
    root.setVar(QStringLiteral("OnNewBorderPublished"), QVariant());
    root.watch(QStringLiteral("OnNewBorderPublished"), [r](const QVariant&, const QVariant& value) {
        r->call(moviecommon::calls::OnNewBorderPublish);
        return value;
    });
    root.setVar(QStringLiteral("OnReloadBordered"), QString());
    root.watch(QStringLiteral("OnReloadBordered"), [r](const QVariant&, const QVariant& value) {
        r->call(moviecommon::calls::reloadBorder);
        return value;
    });
}

void defineGetButtonHint(Clip& root) {
    Clip* r = &root;
    root.define(moviecommon::calls::GetButtonHint, [r](const QVariantList& args) -> QVariant {
        if (args.value(0).toString() != QLatin1String("SaveTarget"))
            return {};
        return isBrowserEdition(*r) ? QCoreApplication::translate("shell", "下载图片")
                                    : QCoreApplication::translate("shell", "保存图片");
    });
}

} // namespace shell
