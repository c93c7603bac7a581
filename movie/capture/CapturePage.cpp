#include "movie/capture/CapturePage.h"

#include "movie/capture/CameraView.h"
#include "movie/capture/CaptureParts.h"
#include "movie/capture/ClassMenu.h"
#include "movie/capture/PhotoPreviews.h"
#include "movie/capture/ShutterSequence.h"
#include "movie/capture/ShutterToggles.h"
#include "movie/capture/Snapshot.h"
#include "movie/common/MovieNames.h"
#include "movie/widgets/Button.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QCoreApplication>

namespace capture {

using player::Clip;

namespace {

// How far the composite shutter's colours are turned from the camera shutter's.
constexpr double kCompositeHue = 110;

player::TextField::Style textStyle(int pixelSize, QColor color, bool bold = false) {
    player::TextField::Style style;
    style.pixelSize = pixelSize;
    style.color = color;
    style.bold = bold;
    return style;
}

void addHintRect(Clip& page, int depth, QPointF pos, QSizeF size, qreal alpha) {
    Clip* rect = page.createEmptyMovieClip(QStringLiteral("Rect_Hint_mc"), depth);
    rect->setPos(pos);
    rect->setRect(QRectF(QPointF(0, 0), size), QColor(0x4f, 0x9b, 0xea));
    rect->setAlpha(alpha);
}

Clip* addShutter(Clip& page, const QString& name, int depth, QPointF pos, double hue) {
    const widgets::ButtonArt art{QStringLiteral("art/shutter.png"),
                                 QStringLiteral("art/shutter_over.png"),
                                 QStringLiteral("art/shutter_down.png")};
    Clip* shutter = widgets::makeImageButton(page, name, depth, pos, art);
    player::Stage* stage = page.stage();
    if (hue != 0) {
        // The same button in other colours; turned once here, not at every paint.
        const QImage up = rotateHue(stage->image(art.up), hue);
        const QImage over = rotateHue(stage->image(art.over), hue);
        const QImage down = rotateHue(stage->image(art.down), hue);
        Clip* face = shutter->child(QStringLiteral("face"));
        face->setImage(up);
        shutter->setLook([face, up, over, down](Clip::ButtonState state) {
            face->setImage(state == Clip::ButtonState::Up     ? up
                           : state == Clip::ButtonState::Over ? over
                                                              : down);
        });
    }
    // With the self-timer on, the shutter sounds when the photo is taken, not at the press.
    const Clip* self = &page;
    shutter->onPress([stage, self] {
        if (const ShutterSequence* sequence = shutterSequenceOf(*self);
            !sequence || sequence->pressTakesPhotoNow())
            stage->playSound(kShutterSound);
    });
    return shutter;
}

void buildLayout(Clip& page) {
    player::Stage* stage = page.stage();
    addHintRect(page, 1, {0, 0}, {780, 523}, 18.0 / 256.0 * 100.0);
    // The border browser comes from its own folder when the movie has it.
    const QString browser = QStringLiteral("listiview_form");
    Clip* list = stage->library().has(browser)
                     ? page.attachMovie(browser, moviecommon::clips::listiview_form_mc, 3)
                     : page.createEmptyMovieClip(moviecommon::clips::listiview_form_mc, 3);
    list->setPos(5.5, 277);
    Clip* panel = page.createEmptyMovieClip(QStringLiteral("panel"), 11);
    panel->setPos(-9, 95);
    panel->setImage(stage->image(QStringLiteral("art/panel.png")));
    addHintRect(page, 12, {-2, 11.05}, {784, 20}, 0);
    addHintRect(page, 14, {-2, 490}, {784, 20}, 0);

    addText(page, QStringLiteral("info_Capture_count_field"), 52, {571.95, 203.5}, {200, 20},
            textStyle(14, Qt::white, true))
        ->bind(&page, moviecommon::vars::info_Capture_count_txt);
    addShutter(page, QStringLiteral("Capture_Enter_mc"), 53, {590.95, 81.5}, 0);
    widgets::makeTextButton(page, QStringLiteral("No_border_button"), 55, {369.95, 244.7},
                            QCoreApplication::translate("capture", "无边框"), {72, 24});
    const QColor tip = QColor::fromRgb(kBodyBlue);
    addText(page, QStringLiteral("cam_tip_msg"), 59, {17, -21.3}, {700, 18}, textStyle(12, tip))
        ->setText(QCoreApplication::translate("capture",
                                              "！ 先拍摄若干张，随后切换到[整理]，进行删选。"));
    addShutter(page, QStringLiteral("Capture_Enter_mc2"), 60, {591, 81.5}, kCompositeHue);
    addText(page, QStringLiteral("fromphoto_tip_msg"), 62, {17, -21}, {700, 18}, textStyle(12, tip))
        ->setText(QCoreApplication::translate(
            "capture",
            "！ 选择本地图片文件作为合成背景进行拍摄，随后切换到[整理]窗口，进行删选。"));
    widgets::makeTextButton(page, moviecommon::clips::button_clessselect, 63, {449.3, 244.75},
                            QCoreApplication::translate("capture", "边框类别"), {53, 24});
    addText(page, QStringLiteral("classname_field"), 66, {503.25, 247.05}, {200, 20},
            textStyle(12, Qt::white, true))
        ->bind(&page, moviecommon::vars::classname);
    // The first shipped class's name, as the catalogue spells it in every language.
    page.setVar(moviecommon::vars::classname, QStringLiteral("(节日祝福)"));
    buildCameraView(page);
    addText(page, QStringLiteral("shutter_hint"), 91, {685, 123}, {100, 20},
            textStyle(14, Qt::white, true))
        ->setText(QCoreApplication::translate("capture", "按此快门！"));
    attachShutterSequence(page);
    addShutterToggles(page);
}

// The picture-file panel with its two slots and the scale display the composite picture
// writes to.
void addPicturePanel(Clip& page) {
    const QString symbol = moviecommon::symbols::local_photo_previews;
    player::Stage* stage = page.stage();
    Clip* panel = stage->library().has(symbol)
                      ? page.attachMovie(symbol, QStringLiteral("local_photo_previews_mc"), 16)
                      : page.createEmptyMovieClip(QStringLiteral("local_photo_previews_mc"), 16);
    panel->setPos(33, 25);
    if (!panel->hasVar(moviecommon::vars::ScaleRating))
        panel->setVar(moviecommon::vars::ScaleRating, QStringLiteral("(100％)"));
    if (!panel->child(moviecommon::clips::ScaleRating_field))
        addText(*panel, moviecommon::clips::ScaleRating_field, 100, {250.05, 221.75}, {60, 18},
                textStyle(12, Qt::white))
            ->bind(panel, moviecommon::vars::ScaleRating);
}

void setFrom(Clip& page, const QString& mode) {
    // A countdown belongs to the page it was started on.
    if (ShutterSequence* sequence = shutterSequenceOf(page))
        sequence->cancel();
    const bool camera = mode == QLatin1String("cam");
    const auto show = [&page](const QString& path, bool visible) {
        if (Clip* clip = page.resolve(path))
            clip->setVisible(visible);
    };
    show(QStringLiteral("dv/cam_pic_mc/my_video_mc"), camera);
    show(QStringLiteral("dv/cam_pic_mc/FromPhoto_mc"), !camera);
    show(QStringLiteral("Capture_Enter_mc"), camera);
    show(QStringLiteral("Capture_Enter_mc2"), !camera);
    show(QStringLiteral("local_photo_previews_mc"), !camera);
    show(QStringLiteral("fromphoto_tip_msg"), !camera);
    show(QStringLiteral("cam_tip_msg"), camera);
}

// Space presses the shutter, sound and all, on whichever of the capture and composite pages
// is showing; never while a panel over the movie waits for the user. Escape stops a
// countdown or a burst.
void listenForKeys(Clip& page) {
    Clip* self = &page;
    page.stage()->addKeyListener(&page, [self](int key) {
        if (!self->isVisible())
            return false;
        if (key == Qt::Key_Escape) {
            ShutterSequence* sequence = shutterSequenceOf(*self);
            if (!sequence || !sequence->running())
                return false;
            sequence->cancel();
            return true;
        }
        if (key != Qt::Key_Space)
            return false;
        const Clip* root = self->stage()->root();
        for (const char* panel : {"Upload_Status_mc", "Uploadsetting_mc"}) {
            if (const Clip* shown = root->child(QLatin1String(panel)); shown && shown->isVisible())
                return false;
        }
        for (const char* name : {"Capture_Enter_mc", "Capture_Enter_mc2"}) {
            Clip* shutter = self->child(QLatin1String(name));
            if (shutter && shutter->isVisible()) {
                shutter->press();
                shutter->release();
                return true;
            }
        }
        return false;
    });
}

void frame2(Clip& page) {
    addPicturePanel(page);
    Clip* root = page.stage()->root();
    // The shutters take a photo through the root's `CaptureDo`, after the self-timer and as
    // often as the burst says.
    ShutterSequence* sequence = shutterSequenceOf(page);
    for (const QString& name :
         {QStringLiteral("Capture_Enter_mc"), QStringLiteral("Capture_Enter_mc2")})
        page.child(name)->onRelease([sequence] { sequence->press(); });
    listenForKeys(page);
    page.stop();
    page.childAtDepth(1)->hide();
    page.call(moviecommon::calls::setFrom, {moviecommon::sources::camera});
    Clip* self = &page;
    page.child(QStringLiteral("No_border_button"))->onRelease([self] {
        self->child(moviecommon::clips::dv)->call(moviecommon::calls::RemoveBorder);
    });
    attachClassButtonAlert(page);
    root->setVar(moviecommon::vars::MenuItems, QVariantList());
    defineClassMenu(page);
}

} // namespace

void defineSymbols(player::Stage& stage) {
    definePhotoPreviews(stage);
    stage.library().define(moviecommon::symbols::capture_page, [](Clip& page) {
        buildLayout(page);
        Clip* self = &page;
        page.timeline().setScript(1, [self] {
            self->define(moviecommon::calls::setFrom, [self](const QVariantList& args) {
                setFrom(*self, args.value(0).toString());
                return QVariant();
            });
        });
        page.timeline().setScript(2, [self] { frame2(*self); });
        page.gotoAndPlay(1);
    });
}

void defineRootFunctions(Clip& root) {
    defineSnapshot(root);
    Clip* self = &root;
    root.define(moviecommon::calls::SelectThisPhoto, [self](const QVariantList& args) {
        if (Clip* photo =
                self->resolve(QStringLiteral("capture_mc/dv/cam_pic_mc/FromPhoto_mc/photo_mc")))
            photo->call(moviecommon::calls::SelectThisPhoto, args);
        return QVariant();
    });
}

} // namespace capture
