#include "movie/tray/TrayCards.h"

#include "movie/common/MovieNames.h"
#include "movie/tray/Cascade.h"
#include "movie/tray/PhotoCard.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "player/TextField.h"
#include "player/photos/PhotoRestore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>
#include <algorithm>

namespace tray {

using player::Clip;
using player::PhotoFolder;

namespace {

const QString kPreviews = QStringLiteral("Photos_Previews");
const QString kFileVar = QStringLiteral("PhotoFile");

bool showsPicture(const Clip* card) {
    return card && card->child(QStringLiteral("pic")) != nullptr;
}

} // namespace

TrayCards::TrayCards(Clip& tray) : QObject(&tray), m_tray(tray) {}

TrayCards::~TrayCards() {
    stopStepping();
}

TrayCards& TrayCards::of(Clip& tray) {
    if (auto* cards = tray.findChild<TrayCards*>(QString(), Qt::FindDirectChildrenOnly))
        return *cards;
    return *new TrayCards(tray);
}

void TrayCards::trace(const QString& text) const {
    if (player::Stage* stage = m_tray.stage())
        stage->trace(text);
}

void TrayCards::restore() {
    player::Stage* stage = m_tray.stage();
    if (!stage || m_restore)
        return;
    const PhotoFolder& folder = stage->services().photos;
    QStringList names = folder.fileNames();
    if (names.isEmpty())
        return;
    if (names.size() > PhotoFolder::kBound) {
        // More than the bound can only come from outside the program; the older ones stay
        // on disc untouched.
        trace(QStringLiteral("photos: %1 older photos in %2 are not shown")
                  .arg(names.size() - PhotoFolder::kBound)
                  .arg(folder.path()));
        names = names.mid(names.size() - PhotoFolder::kBound);
    }
    for (qsizetype i = 0; i < names.size(); ++i)
        m_entries.insert(i, Entry{names.at(i), nullptr, static_cast<int>(i) + 1});
    m_restore = new player::PhotoRestore(
        folder, names, [this](const player::KeptPhoto& photo) { found(photo); },
        [this](const QString& name, const QString& reason) { skipped(name, reason); },
        [this] { restoreDone(); }, this);
    m_restore->start();
}

void TrayCards::found(const player::KeptPhoto& photo) {
    m_pending.append(photo);
    if (m_stepper == 0 && m_tray.stage()) {
        QPointer<TrayCards> self(this);
        m_stepStage = m_tray.stage();
        m_stepper = m_stepStage->intervals().setInterval(
            [self] {
                if (self)
                    self->placeSome();
            },
            kStepMs);
    }
}

void TrayCards::skipped(const QString& fileName, const QString& reason) {
    // Not ours, or damaged: left where it is for the user, and no longer counted.
    trace(QStringLiteral("photos: ") + fileName + QStringLiteral(" skipped: ") + reason);
    m_entries.removeIf([&fileName](const Entry& e) { return !e.card && e.file == fileName; });
}

void TrayCards::restoreDone() {
    m_restore->deleteLater();
    m_restore = nullptr;
    if (m_pending.isEmpty())
        stopStepping();
}

void TrayCards::stopStepping() {
    if (m_stepper != 0 && m_stepStage)
        m_stepStage->intervals().clearInterval(m_stepper);
    m_stepper = 0;
}

void TrayCards::placeSome() {
    const qsizetype count = std::min<qsizetype>(m_pending.size(), kCardsPerStep);
    for (qsizetype i = 0; i < count; ++i) {
        const player::KeptPhoto& photo = m_pending.at(i);
        // A card dropped by the bound or by delete-all while it was on its way stays away.
        const auto entry = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
            return !e.card && e.file == photo.fileName;
        });
        if (entry != m_entries.end())
            placeKept(photo, entry->keptIndex);
        if (entry != m_entries.end() && !entry->card)
            m_entries.erase(entry);
    }
    m_pending.remove(0, count);
    if (m_pending.isEmpty() && !m_restore)
        stopStepping();
}

void TrayCards::placeKept(const player::KeptPhoto& photo, int keptIndex) {
    Clip* card = m_tray.attachMovie(moviecommon::symbols::Photo_model,
                                    QStringLiteral("KeptPhoto") + QString::number(keptIndex),
                                    kKeptFirstDepth + keptIndex);
    if (!card)
        return;
    card->setPos(cascadePosition((keptIndex - 1) % kCascadeWrap + 1));
    auto bitmap = std::make_shared<player::Bitmap>(PhotoFolder::kWidth, PhotoFolder::kHeight, true,
                                                   0x00000000);
    bitmap->image() = photo.picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Clip* pic = card->child(QStringLiteral("pic"));
    pic->attachBitmap(bitmap, kSnapshotDepth, true);
    pic->show();
    card->setVar(moviecommon::vars::PhotoType, photo.photoType);
    card->setVar(kFileVar, photo.fileName);
    QStringList previews = m_tray.var(kPreviews).toStringList();
    previews.append(card->targetPath());
    m_tray.setVar(kPreviews, previews);
    for (Entry& entry : m_entries) {
        if (!entry.card && entry.file == photo.fileName) {
            entry.card = card;
            break;
        }
    }
}

void TrayCards::added(Clip& card, const QImage& picture, int photoType) {
    Entry entry{QString(), &card, 0};
    player::Stage* stage = m_tray.stage();
    if (stage && stage->services().photos.enabled()) {
        common::Result<QString> kept =
            stage->services().photos.keep(picture, photoType, QDateTime::currentDateTimeUtc());
        if (kept) {
            entry.file = kept.value();
            card.setVar(kFileVar, entry.file);
        } else {
            trace(QStringLiteral("photos: ") + card.name() + QStringLiteral(" not kept: ") +
                  kept.error());
        }
    }
    m_entries.append(entry);
    keepWithinBound();
}

void TrayCards::keepWithinBound() {
    auto kept = std::count_if(m_entries.begin(), m_entries.end(),
                              [](const Entry& e) { return !e.file.isEmpty(); });
    bool dropped = false;
    while (kept > PhotoFolder::kBound) {
        const auto oldest = std::find_if(m_entries.begin(), m_entries.end(),
                                         [](const Entry& e) { return !e.file.isEmpty(); });
        removeFile(oldest->file);
        // Emptied like a deleted card, so names, depths and the list stay as they were.
        if (oldest->card)
            oldest->card->unloadMovie();
        m_entries.erase(oldest);
        --kept;
        dropped = true;
    }
    if (dropped)
        sayBound();
}

void TrayCards::sayBound() {
    if (m_boundSaid)
        return;
    m_boundSaid = true;
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = QColor(0xc8, 0x5a, 0x00);
    style.align = Qt::AlignLeft | Qt::AlignVCenter;
    auto* line =
        m_tray.adopt(new player::TextField(QStringLiteral("keptBound_txt"), {262, 18}, style), 2);
    line->setPos(383, -21);
    line->setText(QCoreApplication::translate("tray", "最多保留 500 张照片，最早的照片已被移除。"));
}

void TrayCards::removeFile(const QString& file) {
    player::Stage* stage = m_tray.stage();
    if (file.isEmpty() || !stage)
        return;
    if (const common::Status<> removed = stage->services().photos.remove(file); !removed)
        trace(QStringLiteral("photos: ") + file + QStringLiteral(" not removed: ") +
              removed.error());
}

void TrayCards::deleted(Clip& card) {
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&card](const Entry& e) { return e.card == &card; });
    if (entry == m_entries.end())
        return;
    removeFile(entry->file);
    m_entries.erase(entry);
}

void TrayCards::deletedAll() {
    delete m_restore;
    m_restore = nullptr;
    m_pending.clear();
    stopStepping();
    for (const Entry& entry : std::as_const(m_entries))
        removeFile(entry.file);
    m_entries.clear();
}

QList<Clip*> TrayCards::cards() const {
    QList<Clip*> shown;
    for (const Entry& entry : m_entries) {
        if (showsPicture(entry.card))
            shown.append(entry.card);
    }
    return shown;
}

Clip* TrayCards::frontCard() const {
    const QList<Clip*> shown = cards();
    if (shown.isEmpty())
        return nullptr;
    return *std::max_element(shown.begin(), shown.end(),
                             [](const Clip* a, const Clip* b) { return a->depth() < b->depth(); });
}

} // namespace tray
