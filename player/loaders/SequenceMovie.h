#pragma once

#include "common/Result.h"
#include "player/Clip.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QTimer>
#include <memory>

namespace loaders {

// A movie the player plays by itself, with no code of its own: a few pictures shown one
// after the other at the movie's frame rate, looping, at one place of the movie's stage,
// and an optional address a click opens in a new window. Loaded movies such as banners
// come in this form, since the only movie code a player runs is the code compiled into it.
//
// The bundle is an ordinary movie bundle whose manifest names the program
// "picture-sequence" and adds:
//   "sequence": { "x": 96, "y": 572, "frames": ["frames/00.png", ...], "click": "/" }
// `click` is resolved against the address the movie was loaded from.
inline const QString kPictureSequenceProgram = QStringLiteral("picture-sequence");

struct PictureSequence {
    QList<QImage> frames;
    QPointF origin; // where the pictures lie on the movie's own stage
    double fps = 16;
    QString click; // absolute; empty when a click does nothing
};

// Bounds of a sequence the player accepts: a banner is small, a forged manifest must not
// make the player decode hundreds of full pictures.
inline constexpr int kMaxSequenceFrames = 240;
inline constexpr qint64 kMaxSequencePixels = 16LL * 1024 * 1024;

// True when the bytes claim to be a movie bundle (rather than a picture).
[[nodiscard]] bool looksLikeMovieBundle(const QByteArray& bytes);

// Opens a picture-sequence bundle loaded from `address` and decodes its pictures. Safe on
// any thread. Fails, saying why, for anything else.
[[nodiscard]] common::Result<std::shared_ptr<PictureSequence>>
readPictureSequence(QByteArray bytes, const QString& address);

// Plays a picture sequence: its origin is the clip's origin, as a loaded movie's stage is.
class SequenceClip : public player::Clip {
    Q_OBJECT
public:
    explicit SequenceClip(std::shared_ptr<const PictureSequence> movie);

    [[nodiscard]] const PictureSequence& movie() const { return *m_movie; }
    [[nodiscard]] int frameCount() const { return static_cast<int>(m_movie->frames.size()); }
    [[nodiscard]] int shownFrame() const { return m_frame; } // 0-based
    [[nodiscard]] QString clickAddress() const { return m_movie->click; }
    [[nodiscard]] bool isAnimating() const { return m_timer.isActive(); }
    // Shows the next picture, as the frame timer does.
    void advance();

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    void updateTimer();

    std::shared_ptr<const PictureSequence> m_movie;
    int m_frame = 0;
    QTimer m_timer;
};

} // namespace loaders
