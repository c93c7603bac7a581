#include "movie/borders/BorderBrowser.h"

#include "movie/borders/MBS_ListView.h"
#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/TextField.h"
#include "player/net/XmlLoad.h"

#include <QCoreApplication>

namespace borders {

using player::Clip;

namespace {

const QString kStatusVar = QStringLiteral("tClassLoadHitmsg");
constexpr int kPanelDepth = 1;
constexpr int kStatusDepth = 2;
constexpr int kListDepth = 3;

QString statusText(const char* text) {
    return QCoreApplication::translate("borders", text);
}
const char* const kLoadingText = QT_TRANSLATE_NOOP("borders", "加载边框信息...");
const char* const kParsingText = QT_TRANSLATE_NOOP("borders", "解析分类......");
const char* const kLoadFailedText = QT_TRANSLATE_NOOP("borders", "加载边框失败，请确定网络连接！");
const char* const kNoBordersText = QT_TRANSLATE_NOOP("borders", "暂时没有边框！");

Clip* rootOf(const Clip& clip) {
    return clip.stage() ? clip.stage()->root() : nullptr;
}

void setStatus(Clip& browser, const QString& text) {
    browser.setVar(kStatusVar, text);
}

void placePanel(Clip& browser) {
    Clip* panel = browser.createEmptyMovieClip(QStringLiteral("Rect_Hint_mc"), kPanelDepth);
    panel->setRect(QRectF(0, 0, 769, 214), QColor(0x12, 0x2c, 0x4d, 70));
    player::TextField::Style style;
    style.pixelSize = 14;
    style.bold = true;
    style.color = Qt::white;
    style.align = Qt::AlignCenter;
    style.letterSpacing = 2;
    auto* status = browser.adopt(
        new player::TextField(QStringLiteral("status_txt"), {769, 22}, style), kStatusDepth);
    status->setPos(0, 96);
    status->bind(&browser, kStatusVar);
    setStatus(browser, statusText(kLoadingText));
}

// The movie's own address names a web server: the class list then comes from the site.
bool playedFromWeb(const player::Stage& stage) {
    const QString url = stage.movieUrl();
    return url.contains(QLatin1String("http://")) || url.contains(QLatin1String("https://"));
}

QString classListAddress(const Clip& browser) {
    player::Stage* stage = browser.stage();
    Clip* root = rootOf(browser);
    if (stage && root && moviecommon::isBrowserEdition(*root) && playedFromWeb(*stage))
        return moviecommon::settingsOf(browser).siteUrl(kSiteClassList);
    const QString folder = root ? root->var(moviecommon::vars::Path).toString() : QString();
    return folder + kLocalClassList;
}

bool classesEmpty(const Clip& root) {
    return root.var(moviecommon::vars::PicClasses).toList().isEmpty();
}

void classListArrived(Clip& browser, bool success, const QString& text) {
    Clip* root = rootOf(browser);
    if (!success || !root) {
        setStatus(browser, statusText(kLoadFailedText));
        return;
    }
    setStatus(browser, statusText(kParsingText));
    root->call(moviecommon::calls::OnClassInfoLoad, {text});
    if (!root->var(moviecommon::vars::PicClassesInfoLoaded).toBool())
        setStatus(browser, statusText(kLoadFailedText));
    else if (classesEmpty(*root))
        setStatus(browser, statusText(kNoBordersText));
    else
        browser.play();
}

void frame7(Clip& browser) {
    browser.stop();
    Clip* root = rootOf(browser);
    if (!root)
        return;
    if (root->var(moviecommon::vars::PicClassesInfoLoaded).toBool()) {
        if (!classesEmpty(*root))
            browser.gotoAndStop(8);
        return;
    }
    auto* loader = browser.findChild<net::XmlLoad*>();
    if (!loader) {
        loader = new net::XmlLoad(*browser.stage(), &browser);
        Clip* self = &browser;
        QObject::connect(
            loader, &net::XmlLoad::loaded, &browser,
            [self](bool success, const QString& text) { classListArrived(*self, success, text); });
    }
    loader->load(classListAddress(browser));
}

QVariantMap currentClass(const Clip& browser) {
    return browser.var(QStringLiteral("_CurrentClass")).toMap();
}

// The address of picture aTurn (1-based) of the current class with `extension`; empty when
// the class has no such picture.
QString pictureUrl(const Clip& browser, const QVariant& aTurn, const QString& extension) {
    const QVariantMap record = currentClass(browser);
    const QStringList pics = record.value(QStringLiteral("pics")).toStringList();
    bool ok = false;
    const int turn = aTurn.toInt(&ok);
    if (!ok || turn < 1 || turn > pics.size())
        return {};
    Clip* root = rootOf(browser);
    const QString folder = root ? root->var(moviecommon::vars::Path).toString() : QString();
    return folder + record.value(QStringLiteral("path")).toString() + pics[turn - 1] + extension;
}

void loadClass(Clip& browser, const QVariant& aID) {
    Clip* root = rootOf(browser);
    const QVariantList classes =
        root ? root->var(moviecommon::vars::PicClasses).toList() : QVariantList();
    bool ok = false;
    const int id = aID.toInt(&ok);
    if (!ok || id < 1 || id > classes.size())
        return;
    browser.setVar(QStringLiteral("_CurrentClass"), classes[id - 1]);
    MBS_ListView* list = MBS_ListView::of(browser.child(QStringLiteral("ListView")));
    if (!list)
        return;
    list->Load(classes[id - 1].toMap().value(QStringLiteral("pics")).toStringList());
    list->ReFresh(true);
}

void frame8(Clip& browser) {
    browser.stop();
    for (const QString& name : {QStringLiteral("Rect_Hint_mc"), QStringLiteral("status_txt")}) {
        if (Clip* clip = browser.child(name))
            clip->removeMovieClip();
    }
    Clip* listClip = browser.attachMovie(kListViewSymbol, QStringLiteral("ListView"), kListDepth);
    if (listClip)
        listClip->setPos(0, 0);
    if (Clip* page = browser.parentClip();
        page && page->hasFunction(moviecommon::calls::InitClassMenu))
        page->call(moviecommon::calls::InitClassMenu);
    browser.setVar(QStringLiteral("_CurrentClass"), 0);
    if (MBS_ListView* list = MBS_ListView::of(listClip))
        list->Init();
    Clip* self = &browser;
    browser.define(moviecommon::calls::getSubPicUrl, [self](const QVariantList& args) -> QVariant {
        return pictureUrl(*self, args.value(0), QStringLiteral(".gif"));
    });
    browser.define(moviecommon::calls::getPicUrl, [self](const QVariantList& args) -> QVariant {
        return pictureUrl(*self, args.value(0), QStringLiteral(".png"));
    });
    browser.define(moviecommon::calls::LoadClass, [self](const QVariantList& args) {
        loadClass(*self, args.value(0));
        return QVariant();
    });
    loadClass(browser, 1);
}

} // namespace

void defineSymbols(player::Stage& stage) {
    defineListViewSymbols(stage);
    stage.library().define(kBrowserSymbol, [](Clip& browser) {
        Clip* self = &browser;
        browser.timeline().setTotalFrames(8);
        browser.timeline().setScript(1, [self] {
            if (!self->child(QStringLiteral("Rect_Hint_mc")))
                placePanel(*self);
        });
        browser.timeline().setScript(7, [self] { frame7(*self); });
        browser.timeline().setScript(8, [self] { frame8(*self); });
        browser.gotoAndPlay(1);
    });
}

} // namespace borders
