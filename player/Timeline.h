#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <map>

namespace player {

// Frames of one clip: scripts run when a frame is entered, labels name frames. The timeline
// itself keeps no clock; its clip advances it on the stage's frame clock while it plays.
class Timeline {
public:
    using Script = std::function<void()>;

    void setTotalFrames(int frames) { m_total = frames < 1 ? 1 : frames; }
    [[nodiscard]] int totalFrames() const { return m_total; }
    [[nodiscard]] int currentFrame() const { return m_current; }
    [[nodiscard]] bool isPlaying() const { return m_playing; }

    void setScript(int frame, Script script);
    void setLabel(const QString& label, int frame);
    // Frame number of a label, or 0 when the label does not exist.
    [[nodiscard]] int frameOf(const QString& label) const { return m_labels.value(label, 0); }

    void gotoAndStop(int frame);
    void gotoAndPlay(int frame);
    void play() { m_playing = m_total > 1; }
    void stop() { m_playing = false; }
    // One tick of the frame clock: the next frame, wrapping to frame 1 after the last.
    void advance();

private:
    void enter(int frame);

    int m_total = 1;
    int m_current = 1;
    bool m_playing = false;
    std::map<int, Script> m_scripts;
    QHash<QString, int> m_labels;
};

} // namespace player
