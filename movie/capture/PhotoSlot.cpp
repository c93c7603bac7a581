#include "movie/capture/PhotoSlot.h"

#include "common/PictureUploadName.h"
#include "movie/capture/CaptureParts.h"
#include "movie/capture/PhotoSlotParts.h"
#include "movie/common/ChannelCommands.h"
#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "movie/widgets/Alert.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "player/loaders/ClipLoader.h"
#include "player/net/FileReference.h"
#include "player/net/Transfer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGraphicsSceneDragDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>
#include <cmath>

namespace capture {

using player::Clip;

namespace {

const QString kArea = QStringLiteral("sub_photo_mc");
const QString kPicture = QStringLiteral("Sub_photo_mc_mc");
const QString kDelete = QStringLiteral("sub_delete_but");
const QString kSelect = QStringLiteral("sub_selectbg_button");
const QString kChoose = QStringLiteral("but_uploadfile_mc");
const QString kFilename = QStringLiteral("filename");
const QString kMyBitMap = QStringLiteral("myBitMap");
constexpr int kPictureDepth = 20;
constexpr QSizeF kFrameSize{81, 61};

bool isPictureFile(const QString& path) {
    static const QStringList kSuffixes{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                       QStringLiteral("gif"), QStringLiteral("png")};
    const QFileInfo info(path);
    return info.isFile() && kSuffixes.contains(info.suffix().toLower());
}

// What one slot does between its buttons, its loader and, in the browser edition, the
// site. It lives as long as the slot clip that owns it.
class SlotController : public QObject {
public:
    explicit SlotController(Clip& slot) : QObject(&slot), m_slot(slot) {
        connect(&m_loader, &loaders::ClipLoader::progress, this,
                [this](Clip* target, qint64 loaded, qint64 total) {
                    if (target == m_picture && total > 0)
                        setProgress(50.0 + double(loaded) * 50.0 / double(total));
                });
        connect(&m_loader, &loaders::ClipLoader::ready, this, [this](Clip* target) {
            if (target == m_picture)
                loaded(*target);
        });
        connect(&m_loader, &loaders::ClipLoader::failed, this,
                [this](Clip* target, const QString& error) {
                    if (target != m_picture)
                        return;
                    trace(QStringLiteral("picture slot: cannot load: ") + error);
                    show(moviecommon::clips::Load_Prec, false);
                });
    }

    void choose() {
        if (!moviecommon::isBrowserEdition(m_slot)) {
            if (player::Stage* stage = m_slot.stage())
                stage->fsCommand(channel::kSelectPictureFile.toString(), m_slot.targetPath());
            return;
        }
        if (!m_file)
            return;
        if (m_file->browse(pictureFilter()))
            browsed();
    }

    void onSelectFiledOK(const QString& path) {
        loadInto(path);
        show(moviecommon::clips::Load_Prec, false);
    }

    // A picture dropped from the file manager counts as chosen in the dialog, while the slot
    // offers a choice at all.
    [[nodiscard]] bool acceptsDrop(const QString& path) const {
        const Clip* choose = m_slot.child(kChoose);
        return !moviecommon::isBrowserEdition(m_slot) && choose && choose->isVisible() &&
               isPictureFile(path);
    }

    void remove() {
        show(kArea, false);
        show(kChoose, true);
        show(kDelete, false);
        show(kSelect, false);
        m_slot.setVar(kMyBitMap, 0);
    }

    void select() {
        if (player::Stage* stage = m_slot.stage())
            stage->root()->call(moviecommon::calls::SelectThisPhoto, {m_slot.var(kMyBitMap)});
    }

    void attachFileReference() {
        if (player::Stage* stage = m_slot.stage()) {
            m_file = new net::FileReference(*stage, this);
            connect(m_file, &net::FileReference::opened, this, [this] {
                show(kChoose, false);
                show(moviecommon::clips::Load_Prec, true);
                setProgress(0);
            });
            connect(m_file, &net::FileReference::progress, this, [this](qint64 sent, qint64 total) {
                if (total > 0)
                    setProgress(double(sent) * 50.0 / double(total));
            });
            connect(m_file, &net::FileReference::completed, this, [this] {
                show(kArea, true);
                show(moviecommon::clips::Load_Prec, true);
                setProgress(50);
                loadInto(siteBase() + QStringLiteral("upload/") + encodedName());
            });
            // A refused or broken upload shows nothing, but gives the slot back: stuck at its
            // last progress it would take no other picture until the movie was reloaded.
            connect(m_file, &net::FileReference::failed, this, [this](const QString& reason) {
                trace(QStringLiteral("picture slot: upload failed: ") + reason);
                show(moviecommon::clips::Load_Prec, false);
                show(kArea, false);
                show(kChoose, true);
            });
        }
    }

private:
    void browsed() {
        if (m_file->size() >= kLargestPictureUpload) {
            if (player::Stage* stage = m_slot.stage())
                widgets::alert(
                    *stage, QCoreApplication::translate("capture", "提示"),
                    QCoreApplication::translate("capture", "请选择文件体积小于 600k 的图片！"));
            return;
        }
        m_slot.setVar(kFilename, uploadName(m_file->name(), QDateTime::currentMSecsSinceEpoch()));
        m_file->upload(siteBase() + QStringLiteral("uploadfile.aspx?filename=") + encodedName());
    }

    // A fresh picture clip in the picture area, loaded from `address`.
    void loadInto(const QString& address) {
        Clip* area = m_slot.child(kArea);
        if (!area)
            return;
        Clip* picture = area->createEmptyMovieClip(kPicture, kPictureDepth);
        m_picture = picture;
        area->show();
        show(kChoose, false);
        show(kDelete, false);
        show(kSelect, false);
        m_loader.loadClip(address, picture);
    }

    void loaded(Clip& picture) {
        Clip* area = m_slot.child(kArea);
        const QRectF size = area ? area->bounds() : QRectF();
        const QRectF own = picture.contentRect();
        if (!area || size.isEmpty() || own.isEmpty())
            return;
        // The slot keeps the picture at its own size in this bitmap, and the clip shows the
        // same pixels: one full-size copy per slot.
        auto bitmap = std::make_shared<player::Bitmap>(1, 1, true, 0);
        const QImage decoded = picture.image();
        if (size == QRectF(QPointF(0, 0), decoded.size()) && picture.pos().isNull() &&
            decoded.format() == QImage::Format_ARGB32_Premultiplied) {
            // The area holds the picture alone: drawing it would copy the decoded pixels
            // unchanged, a long stall for a photograph.
            bitmap->image() = decoded;
        } else {
            bitmap = std::make_shared<player::Bitmap>(static_cast<int>(std::ceil(size.width())),
                                                      static_cast<int>(std::ceil(size.height())),
                                                      true, 0);
            bitmap->draw(*area);
        }
        const QImage full = bitmap->image();
        picture.setContent(own, [full, own](QPainter& p) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(own, full, own);
        });
        m_slot.setVar(kMyBitMap, QVariant::fromValue(player::BitmapPtr(bitmap)));
        picture.setScale(kThumbnailSize.width() * 100.0 / own.width(),
                         kThumbnailSize.height() * 100.0 / own.height());
        shrinkInBackground(picture, full, own);

        show(moviecommon::clips::Load_Prec, false);
        show(kDelete, true);
        show(kSelect, true);
        if (moviecommon::isBrowserEdition(m_slot)) {
            if (player::Stage* stage = m_slot.stage())
                stage->services().network().get(
                    siteBase() + QStringLiteral("uploadfile_del.aspx?filename=") + encodedName());
        }
    }

    // Painting a photograph squeezed fifty times over samples it coarsely; a thumbnail made
    // once, away from the frames, replaces it when it is ready.
    static void shrinkInBackground(Clip& picture, QImage full, QRectF own) {
        QPointer<Clip> target = &picture;
        QThreadPool::globalInstance()->start([target, full = std::move(full), own]() mutable {
            QImage small =
                full.scaled(kThumbnailSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            full = QImage();
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [target, small = std::move(small), own] {
                    if (!target || target->contentRect() != own)
                        return;
                    target->setContent(own, [small, own](QPainter& p) {
                        p.setRenderHint(QPainter::SmoothPixmapTransform);
                        p.drawImage(own, small);
                    });
                },
                Qt::QueuedConnection);
        });
    }

    [[nodiscard]] QString siteBase() const {
        const player::Stage* stage = m_slot.stage();
        return stage ? stage->root()->var(moviecommon::vars::UploadFormOpen).toString() : QString();
    }
    // The name travels in a query and a path: escaped, so no character of a file name can
    // change the address.
    [[nodiscard]] QString encodedName() const {
        return QString::fromLatin1(QUrl::toPercentEncoding(m_slot.var(kFilename).toString()));
    }
    void show(const QString& name, bool visible) {
        if (Clip* part = m_slot.child(name))
            part->setVisible(visible);
    }
    void setProgress(double percent) {
        if (Clip* bar = m_slot.child(moviecommon::clips::Load_Prec))
            bar->call(moviecommon::calls::SetValue, {percent});
    }
    void trace(const QString& text) const {
        if (player::Stage* stage = m_slot.stage())
            stage->trace(text);
    }

    Clip& m_slot;
    loaders::ClipLoader m_loader{this};
    net::FileReference* m_file = nullptr;
    QPointer<Clip> m_picture;
};

// Takes a picture file dropped on the slot from the file manager.
class DropArea : public Clip {
public:
    DropArea(SlotController& controller)
        : Clip(QStringLiteral("drop_area")), m_controller(controller) {
        setAcceptDrops(true);
        setContent(QRectF(QPointF(0, 0), kFrameSize), [](QPainter&) {});
    }

protected:
    void dragEnterEvent(QGraphicsSceneDragDropEvent* event) override { judge(event); }
    void dragMoveEvent(QGraphicsSceneDragDropEvent* event) override { judge(event); }
    void dropEvent(QGraphicsSceneDragDropEvent* event) override {
        const QString path = droppedPath(event->mimeData());
        if (!m_controller.acceptsDrop(path)) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
        m_controller.onSelectFiledOK(path);
    }

private:
    void judge(QGraphicsSceneDragDropEvent* event) {
        if (m_controller.acceptsDrop(droppedPath(event->mimeData())))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    // One local file, or nothing: a slot holds one picture.
    static QString droppedPath(const QMimeData* mime) {
        if (!mime || !mime->hasUrls() || mime->urls().size() != 1 ||
            !mime->urls().constFirst().isLocalFile())
            return {};
        return mime->urls().constFirst().toLocalFile();
    }

    SlotController& m_controller;
};

void buildSlot(Clip& slot) {
    auto* controller = new SlotController(slot);
    addSlotFrame(slot, kFrameSize);
    Clip* area = slot.createEmptyMovieClip(kArea, 5);
    // Kept without content, so it never widens the picture area the bitmap is cut to.
    area->createEmptyMovieClip(QStringLiteral("button_rect_hint"), 1)->hide();
    area->hide();
    addSlotProgress(slot, moviecommon::clips::Load_Prec);
    slot.child(moviecommon::clips::Load_Prec)->hide();
    const QColor blue(0x00, 0x33, 0xcc), red(0xdd, 0x00, 0x00);
    addSlotButton(slot, kDelete, 21, {44.1, 43.75}, {36, 16},
                  QCoreApplication::translate("capture", "删除"), red)
        ->onRelease([controller] { controller->remove(); });
    addSlotButton(slot, kSelect, 22, {0.7, 43.15}, {36, 16},
                  QCoreApplication::translate("capture", "选择"), blue)
        ->onRelease([controller] { controller->select(); });
    addSlotButton(slot, kChoose, 23, {8, 22}, {64, 18},
                  QCoreApplication::translate("capture", "选择图片"), blue)
        ->onRelease([controller] { controller->choose(); });
    slot.child(kDelete)->hide();
    slot.child(kSelect)->hide();
    slot.adopt(new DropArea(*controller), 30);

    slot.setVar(kFilename, QString());
    slot.setVar(kMyBitMap, 0);
    slot.define(moviecommon::vars::OnSelectFiledOK, [controller](const QVariantList& args) {
        controller->onSelectFiledOK(args.value(0).toString());
        return QVariant();
    });
    controller->attachFileReference();
}

} // namespace

QString uploadName(const QString& fileName, qint64 msSinceEpoch) {
    return QString::number(msSinceEpoch) + QLatin1Char('_') +
           QString::fromStdString(common::pictureUploadTail(fileName.toStdString()));
}

QString pictureFilter() {
    QString patterns = kPictureTypePatterns;
    patterns.replace(QStringLiteral("; "), QStringLiteral(" "));
    return kPictureTypeDescription + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

void definePhotoSlot(player::Stage& stage) {
    stage.library().define(kPhotoSlotSymbol, buildSlot);
}

} // namespace capture
