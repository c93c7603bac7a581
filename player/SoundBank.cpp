#include "player/SoundBank.h"

#include <QSoundEffect>
#include <QUrl>

namespace player {

SoundBank::SoundBank(QObject* parent) : QObject(parent) {}

void SoundBank::play(const QString& resourcePath) {
    QSoundEffect*& effect = m_effects[resourcePath];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath));
        effect->setVolume(0.6f);
    }
    effect->play();
}

void SoundBank::clear() {
    qDeleteAll(m_effects);
    m_effects.clear();
}

} // namespace player
