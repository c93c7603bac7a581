#include "player/Timeline.h"

#include <algorithm>

namespace player {

void Timeline::setScript(int frame, Script script) {
    m_total = std::max(m_total, frame);
    m_scripts[frame] = std::move(script);
}

void Timeline::setLabel(const QString& label, int frame) {
    m_total = std::max(m_total, frame);
    m_labels.insert(label, frame);
}

void Timeline::gotoAndStop(int frame) {
    m_playing = false;
    enter(frame);
}

void Timeline::gotoAndPlay(int frame) {
    m_playing = m_total > 1;
    enter(frame);
}

void Timeline::advance() {
    if (!m_playing)
        return;
    enter(m_current >= m_total ? 1 : m_current + 1);
}

void Timeline::enter(int frame) {
    m_current = std::clamp(frame, 1, m_total);
    // A copy: the script may replace itself or the timeline's other scripts while it runs.
    if (auto it = m_scripts.find(m_current); it != m_scripts.end()) {
        Script script = it->second;
        script();
    }
}

} // namespace player
