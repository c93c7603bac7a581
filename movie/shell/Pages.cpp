#include "movie/shell/Pages.h"

#include "movie/borders/BorderBrowser.h"
#include "movie/capture/CapturePage.h"
#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "movie/tray/ManagePage.h"
#include "player/Stage.h"

namespace shell {

using player::Clip;

namespace {

void setVisible(Clip* clip, bool visible) {
    if (clip)
        clip->setVisible(visible);
}

void shiftpage(Clip& root, const QString& target) {
    Clip* title = root.child(moviecommon::clips::title_mc);
    Clip* capture = root.child(moviecommon::clips::capture_mc);
    Clip* manage = root.child(moviecommon::clips::manage_mc);
    if (target == QLatin1String("manage")) {
        if (title)
            title->gotoAndStop(10);
        setVisible(manage, true);
        setVisible(capture, false);
        return;
    }
    const bool photo = target == QLatin1String("photo");
    if (title)
        title->gotoAndStop(photo ? 20 : 1);
    if (photo)
        setVisible(manage, false);
    if (capture)
        capture->call(moviecommon::calls::setFrom,
                      {photo ? moviecommon::sources::photo : moviecommon::sources::camera});
    setVisible(capture, true);
    if (!photo)
        setVisible(manage, false);
}

} // namespace

void attachPages(player::Stage& stage, Clip& root) {
    borders::defineSymbols(stage);
    capture::defineSymbols(stage);
    tray::defineSymbols(stage);
    if (Clip* manage =
            root.attachMovie(moviecommon::symbols::manage_page, moviecommon::clips::manage_mc, 9))
        manage->setPos(11, 66);
    if (Clip* capture = root.attachMovie(moviecommon::symbols::capture_page,
                                         moviecommon::clips::capture_mc, 14))
        capture->setPos(9, 66);
}

void defineShiftpage(Clip& root) {
    Clip* r = &root;
    root.define(moviecommon::calls::Shiftpage, [r](const QVariantList& args) {
        shiftpage(*r, args.value(0).toString());
        return QVariant();
    });
}

void showCaptureCount(Clip& root) {
    Clip* capture = root.child(moviecommon::clips::capture_mc);
    if (!capture)
        return;
    capture->setVar(
        moviecommon::vars::info_Capture_count_txt,
        moviecommon::captureCountText(root.var(moviecommon::vars::info_Capture_count).toString()));
}

} // namespace shell
