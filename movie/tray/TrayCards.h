#pragma once

#include "player/photos/KeptPhoto.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace player {
class Clip;
class PhotoRestore;
class Stage;
} // namespace player

namespace tray {

// The tray's cards in the order they were made, each with the file that keeps it on disc.
// A card is written the moment it is made and its file goes when the card is deleted, so
// what the tray shows is what the next start brings back: the cards kept before come back
// behind this run's, oldest first, a few per step so the page never waits for them. The
// folder holds a bounded number of cards; past it the oldest card goes, and the tray says
// so once.
class TrayCards : public QObject {
    Q_OBJECT
public:
    // Kept cards come back along the tray's cascade, which starts over every three rows so
    // that every one of them lands on the page.
    static constexpr int kCascadeWrap = 45;
    // Kept cards lie below every card of this run, oldest lowest.
    static constexpr int kKeptFirstDepth = -16383;
    // Cards placed per step while kept ones come back, and the step.
    static constexpr int kCardsPerStep = 20;
    static constexpr int kStepMs = 25;

    explicit TrayCards(player::Clip& tray);
    ~TrayCards() override;

    // The tray's own, made on first use.
    [[nodiscard]] static TrayCards& of(player::Clip& tray);

    // Starts bringing back the cards kept before; they appear over the next steps.
    void restore();
    // A card of this run was made showing `picture`: it is kept at once.
    void added(player::Clip& card, const QImage& picture, int photoType);
    // The card's delete button: its file goes.
    void deleted(player::Clip& card);
    // Delete-all: every kept card's file goes, and so do the cards still coming back.
    void deletedAll();

    // Cards that show a picture, oldest first.
    [[nodiscard]] QList<player::Clip*> cards() const;
    // The card in front: the one last pressed, else the top-most.
    [[nodiscard]] player::Clip* frontCard() const;
    [[nodiscard]] bool restoring() const { return m_restore != nullptr || !m_pending.isEmpty(); }

private:
    struct Entry {
        QString file; // empty when the card could not be kept
        QPointer<player::Clip> card;
        int keptIndex = 0; // its place among the cards kept before, from 1
    };

    void found(const player::KeptPhoto& photo);
    void skipped(const QString& fileName, const QString& reason);
    void restoreDone();
    void placeSome();
    void placeKept(const player::KeptPhoto& photo, int keptIndex);
    void keepWithinBound();
    void sayBound();
    void removeFile(const QString& file);
    void stopStepping();
    void trace(const QString& text) const;

    player::Clip& m_tray;
    QList<Entry> m_entries;
    QList<player::KeptPhoto> m_pending;
    player::PhotoRestore* m_restore = nullptr;
    // The stage the steps run on, kept apart from the tray: this object goes while the tray
    // is being destroyed, when the tray can no longer name its stage.
    QPointer<player::Stage> m_stepStage;
    int m_stepper = 0;
    bool m_boundSaid = false;
};

} // namespace tray
