#include "movie/output/Upload.h"

#include "movie/common/MovieNames.h"
#include "movie/output/PixelText.h"
#include "movie/output/SavePhoto.h"
#include "movie/output/UploadPieces.h"
#include "movie/output/UploadSettings.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/net/FileReference.h"
#include "player/net/FormPost.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

namespace output {

using player::Clip;
using player::Stage;

namespace {

const QString kWho = moviecommon::clips::Upload_mc;
const QString kLwz = QStringLiteral("/Lwz");

// A file name the site answered is used as a path below `UploadPath` and as the name the
// save dialog offers, so it must be one plain name.
bool plainFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u'?' || c == u'#' || c == u'%' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

// The state of `Upload_mc`, owned by the clip.
class UploadWork : public QObject {
public:
    UploadWork(Stage& stage, Clip& clip) : QObject(&clip), m_stage(stage), m_clip(clip) {}

    [[nodiscard]] bool busy() const { return m_sendOk || m_awaitingAnswer; }

    bool uploadPic(const player::BitmapPtr& bmp, int photoType) {
        if (refuse())
            return false;
        if (!bmp) {
            m_stage.trace(QStringLiteral("UploadPic: no picture"));
            setStatus({}, false);
            return false;
        }
        m_photoType = photoType;
        m_clip.setVar(moviecommon::vars::PhotoType, photoType);
        return uploadString(pixelText(bmp->image()));
    }

    bool uploadString(const QString& picData) {
        if (refuse())
            return false;
        m_picData = picData;
        m_itemTols = uploadPieceCount(m_picData.size());
        m_currentItemIndex = 1;
        m_picDataComped.clear();
        requestObject();
        m_sendOk = true;
        m_clip.setVar(QStringLiteral("sendOk"), true);
        setStatus(saveStatusText(), true);
        QPointer<UploadWork> self(this);
        m_clip.onEnterFrame([self] {
            if (self)
                self->frame();
        });
        return true;
    }

    bool nextItem() {
        // Nothing to compress before a text has been handed over.
        if (m_itemTols <= 0)
            return false;
        setStatus(uploadProgressText(m_currentItemIndex, m_itemTols), true);
        if (m_currentItemIndex > m_itemTols)
            return false;
        const QStringView piece = uploadPiece(m_picData, m_currentItemIndex, m_itemTols);
        Clip* lwz = moviecommon::findClip(m_clip, kLwz, kWho);
        const QVariant codes =
            lwz ? lwz->call(moviecommon::calls::compress, {piece.toString()}) : QVariant();
        if (!codes.isValid()) {
            abandon(QStringLiteral("a piece could not be compressed"));
            return false;
        }
        m_compstring = codes.toString();
        ++m_currentItemIndex;
        return true;
    }

private:
    bool refuse() {
        if (!busy())
            return false;
        m_stage.trace(QStringLiteral("Upload_mc: an upload is still being compressed or sent; "
                                     "this one is refused"));
        return true;
    }

    void frame() {
        if (!m_sendOk)
            return;
        if (nextItem()) {
            m_picDataComped += u'*';
            m_picDataComped += m_compstring;
            return;
        }
        if (!m_sendOk)
            return; // abandoned
        setStatus(uploadSendingText(), true);
        stopFrames();
        send();
        m_picDataComped = QString();
        m_picData = QString();
        m_compstring = QString();
    }

    void stopFrames() {
        m_sendOk = false;
        m_clip.setVar(QStringLiteral("sendOk"), false);
        m_clip.onEnterFrame({});
    }

    void abandon(const QString& why) {
        m_stage.trace(QStringLiteral("Upload_mc: ") + why + QStringLiteral("; nothing is sent"));
        stopFrames();
        m_picDataComped = QString();
        m_picData = QString();
        setStatus({}, false);
    }

    net::FormPost& requestObject() {
        if (!m_lv) {
            m_lv = new net::FormPost(m_stage, this);
            connect(m_lv, &net::FormPost::loaded, this, [this](bool ok) { answered(ok); });
        }
        return *m_lv;
    }

    void send() {
        const QString target = m_stage.root()->var(moviecommon::vars::UploadTarget).toString();
        if (target.isEmpty()) {
            m_stage.trace(QStringLiteral("Upload_mc: no UploadTarget; nothing is sent"));
            setStatus({}, false);
            return;
        }
        Clip* settings = moviecommon::findClip(m_clip, moviecommon::paths::uploadSettings, kWho);
        net::FormPost& lv = requestObject();
        lv.set(QStringLiteral("actionname"), QStringLiteral("sendpic"));
        lv.set(QStringLiteral("text"), m_picDataComped);
        lv.set(QStringLiteral("title"),
               settings ? uploadSettingsText(*settings, kTitleField) : QString());
        lv.set(QStringLiteral("author"),
               settings ? uploadSettingsText(*settings, kAuthorField) : QString());
        lv.set(QStringLiteral("phototype"), QString::number(m_photoType));
        // The object keeps the last answer's values; emptied here, an answer that lacks
        // them cannot pass for a success with the previous photo's name.
        lv.set(QStringLiteral("status"), QString());
        lv.set(QStringLiteral("filename"), QString());
        m_awaitingAnswer = true;
        lv.post(target);
        // The request holds its own copy of the body; the photo's text need not stay here.
        lv.set(QStringLiteral("text"), QString());
    }

    void answered(bool success) {
        m_awaitingAnswer = false;
        setStatus({}, false);
        if (!success)
            return;
        const net::FormPost& lv = *m_lv;
        if (lv.value(QStringLiteral("status")) != QLatin1String("ok"))
            return;
        if (lv.value(QStringLiteral("actionname")) != QLatin1String("sendpic"))
            return;
        const QString filename = lv.value(QStringLiteral("filename"));
        if (!plainFileName(filename)) {
            m_stage.trace(QStringLiteral("Upload_mc: the answer names no usable file: ") +
                          filename);
            return;
        }
        download(m_stage.root()->var(moviecommon::vars::UploadPath).toString() + filename,
                 filename);
        if (m_stage.movieUrl().contains(QLatin1String("http://"))) {
            const QUrl photos =
                QUrl(m_stage.movieUrl()).resolved(QUrl(QStringLiteral("/photos.aspx")));
            m_stage.getURL(photos.toString(), QStringLiteral("_blank"));
        }
    }

    void download(const QString& address, const QString& defaultName) {
        auto* ref = new net::FileReference(m_stage, this);
        const auto done = [ref] { ref->deleteLater(); };
        connect(ref, &net::FileReference::completed, ref, done);
        connect(ref, &net::FileReference::cancelled, ref, done);
        connect(ref, &net::FileReference::failed, ref, [this, ref](const QString& reason) {
            m_stage.trace(QStringLiteral("Upload_mc: the download failed: ") + reason);
            ref->deleteLater();
        });
        ref->download(address, defaultName);
    }

    void setStatus(const QString& text, bool visible) {
        Clip* panel = moviecommon::findClip(m_clip, moviecommon::paths::statusPanel, kWho);
        if (!panel)
            return;
        if (visible)
            panel->setVar(QStringLiteral("text"), text);
        panel->setVisible(visible);
    }

    Stage& m_stage;
    Clip& m_clip;
    QString m_picData;
    int m_itemTols = 0;
    int m_currentItemIndex = 1;
    QString m_compstring;
    QString m_picDataComped;
    bool m_sendOk = false;
    bool m_awaitingAnswer = false;
    int m_photoType = 1;
    QPointer<net::FormPost> m_lv;
};

} // namespace

void defineUpload(Clip& upload) {
    Stage* stage = upload.stage();
    if (!stage)
        return;
    QPointer<UploadWork> work = new UploadWork(*stage, upload);
    upload.setVar(QStringLiteral("Stepcount"), static_cast<int>(kUploadStep));
    upload.setVar(moviecommon::vars::PhotoType, 1);
    upload.setVar(QStringLiteral("sendOk"), false);
    upload.define(moviecommon::calls::UploadPic, [work](const QVariantList& args) -> QVariant {
        return work &&
               work->uploadPic(args.value(0).value<player::BitmapPtr>(), args.value(1, 1).toInt());
    });
    upload.define(QStringLiteral("UploadString"), [work](const QVariantList& args) -> QVariant {
        return work && work->uploadString(args.value(0).toString());
    });
    upload.define(QStringLiteral("NextItem"),
                  [work](const QVariantList&) -> QVariant { return work && work->nextItem(); });
    upload.define(moviecommon::calls::isUploading,
                  [work](const QVariantList&) -> QVariant { return work && work->busy(); });
}

} // namespace output
