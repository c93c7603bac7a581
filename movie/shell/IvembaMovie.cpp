#include "movie/shell/IvembaMovie.h"

#include "movie/borders/ClassList.h"
#include "movie/capture/CapturePage.h"
#include "movie/common/ChannelCommands.h"
#include "movie/common/MovieNames.h"
#include "movie/shell/Editions.h"
#include "movie/shell/Footer.h"
#include "movie/shell/GetPath.h"
#include "movie/shell/Hints.h"
#include "movie/shell/Pages.h"
#include "movie/shell/RootConfig.h"
#include "movie/shell/ServiceClips.h"
#include "movie/shell/StatusPanel.h"
#include "movie/shell/TabBar.h"
#include "movie/shell/TitleBar.h"
#include "movie/web/AdBanner.h"
#include "movie/web/Reports.h"
#include "movie/web/VersionCheck.h"
#include "player/Clip.h"
#include "player/MovieProgram.h"
#include "player/Services.h"
#include "player/Stage.h"

namespace shell {

using player::Clip;
using player::Stage;

namespace {

// Clips that sit on the first frame and stay for the whole run.
void placeFrame1Clips(Clip& root) {
    placeOutline(root);
    placeStatusPanel(root);
    placeWindowButtons(root);
    placeServiceClipsOfFrame1(root);
    placeHints(root);
    web::placeAdLoader(root);
}

// The interface, placed on the second frame.
void placeFrame2Clips(Stage& stage, Clip& root) {
    placeWindowPicture(root);
    placeTitleStrip(root);
    attachPages(stage, root);
    placeFooter(root);
    placeTabBar(root);
    placeServiceClipsOfFrame2(root);
    placeAboutButton(root);
}

// The border browser's class list starts empty and unloaded.
void prepareBorderClasses(Clip& root) {
    root.setVar(moviecommon::vars::PicClasses, QVariantList());
    root.setVar(moviecommon::vars::PicClassesInfoLoaded, false);
    borders::defineClassInfoLoad(root);
}

void frame1(Stage& stage, Clip& root) {
    placeFrame1Clips(root);

    allowPartnerDomains(stage);
    root.define(QStringLiteral("GetPath"), [](const QVariantList& args) -> QVariant {
        return GetPath(args.value(0).toString());
    });
    const QString path = GetPath(stage.movieUrl());
    root.setVar(moviecommon::vars::Path, path);
    stage.trace(QStringLiteral("_root.Path: ") + path);
    // Asking for the camera names starts the media back end: not before the window is up.
    stage.afterFirstPaint(&root, [&stage, &root] {
        const QStringList cameras = stage.services().cameras.names();
        root.setVar(moviecommon::vars::cam_array, cameras);
        stage.trace(QStringLiteral("cam_array.length: ") + QString::number(cameras.size()));
    });
    setSiteAddresses(root);
    prepareBorderClasses(root);
    hideWindowButtons(root);
    if (Clip* settings = root.child(moviecommon::clips::Uploadsetting_mc))
        settings->hide();
    root.setVar(QStringLiteral("ClassMenuInited"), false);
    watchEdition(root);
    defineBorderHintHandlers(root);
    watchHostVariables(root);
    defineGetButtonHint(root);
    stage.fsCommand(channel::kInited.toString(), QString());
    // The report's network machinery is not needed for the first frame either.
    stage.afterFirstPaint(&root, [&root] { web::sendUsageReport(root); });
    web::attachVersionHintHandler(root);
    attachHintHandlers(root);
}

void frame2(Stage& stage, Clip& root) {
    placeFrame2Clips(stage, root);

    root.stop();
    for (const char* name : {"Lwz", "Upload_mc", "Upload_Status_mc"}) {
        if (Clip* clip = root.child(QString::fromUtf8(name)))
            clip->hide();
    }
    stage.setBuiltInMenuItemsHidden(true);
    root.setVar(moviecommon::vars::info_Capture_count, 0);
    attachWindowHandlers(root);
    root.setVar(moviecommon::vars::CpRecord, 0);
    capture::defineRootFunctions(root);
    defineShiftpage(root);
    root.call(moviecommon::calls::Shiftpage, {QStringLiteral("capture")});
    showCaptureCount(root);
    web::defineDetectNewVersion(root);
    web::startVersionTimer(root);
    web::defineSendCpRecord(root);
    web::startCaptureReportTimer(root);
    attachAboutHandler(root);
}

class IvembaMovie : public player::MovieProgram {
public:
    void start(Stage& stage) override {
        Clip* root = stage.root();
        Stage* s = &stage;
        root->timeline().setScript(1, [s, root] { frame1(*s, *root); });
        root->timeline().setScript(2, [s, root] { frame2(*s, *root); });
    }
};

} // namespace

void registerMovie(player::MovieRegistry& registry) {
    registry.add(QStringLiteral("ivemba"), [] { return std::make_unique<IvembaMovie>(); });
}

} // namespace shell
