#pragma once

#include <QObject>
#include <QString>

namespace player {
class Clip;
}

namespace capture {

// What the shutter sounds like, at the press or, with the self-timer, when the photo is taken.
inline const QString kShutterSound = QStringLiteral("sounds/shutter.wav");

// What one press of the shutter (or Space) does with the self-timer and burst the user chose:
// a countdown drawn large over the view, one digit a second with a tick and a cue for the
// last second, then the photos about a second apart, each taken exactly as the shutter takes
// one. Every step is a frame of the movie's clock, so the movie's own frame rate times it. A
// second press, Escape or leaving the page stops it; the photos already taken stay.
class ShutterSequence : public QObject {
    Q_OBJECT
public:
    explicit ShutterSequence(player::Clip& page);

    // True when a press takes its photo at once, so the shutter sounds as it is pressed.
    [[nodiscard]] bool pressTakesPhotoNow() const;
    // A press of the shutter: starts the sequence, or stops the one under way.
    void press();
    void cancel();
    [[nodiscard]] bool running() const { return m_phase != Phase::Idle; }

private:
    enum class Phase { Idle, Counting, Bursting };

    void onFrame();
    void showSecond(int second);
    void takePhoto(bool sound);
    void continueBurst();
    void stop();
    [[nodiscard]] int framesPerSecond() const;

    player::Clip& m_page;
    player::Clip* m_overlay;
    Phase m_phase = Phase::Idle;
    int m_frames = 0; // frames until the next step
    int m_photosLeft = 0;
};

// Gives the capture page its sequence and the countdown clip `countdown_mc` over the view.
ShutterSequence* attachShutterSequence(player::Clip& page);
// The page's sequence; null before it has one.
[[nodiscard]] ShutterSequence* shutterSequenceOf(const player::Clip& page);

} // namespace capture
