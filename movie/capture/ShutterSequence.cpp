#include "movie/capture/ShutterSequence.h"

#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace capture {

using player::Clip;

namespace {

const QString kTickSound = QStringLiteral("sounds/countdown_tick.wav");
const QString kLastSecondSound = QStringLiteral("sounds/countdown_last.wav");

// The middle of the view's frame in the page, where the digits stand; above the view and
// below everything the page has to press.
constexpr QPointF kViewCentre{270.3 + 120.7, 36.05 + 90.7};
constexpr int kOverlayDepth = 80;
constexpr qreal kDiscRadius = 58;

// One digit in a dark disc, large enough to be read from where one poses.
void drawSecond(Clip& overlay, int second) {
    const QRectF disc(-kDiscRadius, -kDiscRadius, 2 * kDiscRadius, 2 * kDiscRadius);
    const QString digits = QString::number(second);
    overlay.setContent(disc.adjusted(-2, -2, 2, 2), [disc, digits](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 255, 255, 200), 3));
        p.setBrush(QColor(0x10, 0x2a, 0x50, 150));
        p.drawEllipse(disc);
        QFont font = player::movieFont(digits.size() > 1 ? 62 : 80, true);
        QPainterPath text;
        text.addText(0, 0, font, digits);
        const QRectF ink = text.boundingRect();
        text.translate(-ink.center());
        p.setPen(QPen(QColor(0x10, 0x2a, 0x50), 3));
        p.setBrush(Qt::white);
        p.drawPath(text);
    });
    overlay.setVar(QStringLiteral("seconds"), second);
}

} // namespace

ShutterSequence::ShutterSequence(Clip& page)
    : QObject(&page), m_page(page),
      m_overlay(page.createEmptyMovieClip(QStringLiteral("countdown_mc"), kOverlayDepth)) {
    m_overlay->setPos(kViewCentre);
    m_overlay->hide();
    m_overlay->setVar(QStringLiteral("seconds"), 0);
    // Leaving the page, for the tray page or with the whole movie, ends the sequence.
    connect(&page, &QGraphicsObject::visibleChanged, this, [this] {
        if (!m_page.isVisible())
            cancel();
    });
}

int ShutterSequence::framesPerSecond() const {
    player::Stage* stage = m_page.stage();
    return std::max(1, static_cast<int>(std::lround(stage ? stage->clock().frameRate() : 16)));
}

bool ShutterSequence::pressTakesPhotoNow() const {
    return !running() && moviecommon::settingsOf(m_page).selfTimer <= 0;
}

void ShutterSequence::press() {
    if (running()) {
        cancel();
        return;
    }
    const common::Settings& settings = moviecommon::settingsOf(m_page);
    m_photosLeft = std::max(1, settings.burst);
    if (settings.selfTimer > 0) {
        m_phase = Phase::Counting;
        m_overlay->show();
        showSecond(settings.selfTimer);
        m_overlay->onEnterFrame([this] { onFrame(); });
        return;
    }
    takePhoto(false); // the press has sounded
    continueBurst();
}

void ShutterSequence::cancel() {
    if (running())
        stop();
}

void ShutterSequence::showSecond(int second) {
    drawSecond(*m_overlay, second);
    m_frames = framesPerSecond();
    if (player::Stage* stage = m_page.stage())
        stage->playSound(second == 1 ? kLastSecondSound : kTickSound);
}

void ShutterSequence::onFrame() {
    if (--m_frames > 0)
        return;
    if (m_phase == Phase::Counting) {
        const int second = m_overlay->var(QStringLiteral("seconds")).toInt();
        if (second > 1) {
            showSecond(second - 1);
            return;
        }
        m_overlay->hide();
        m_overlay->setVar(QStringLiteral("seconds"), 0);
    }
    takePhoto(true);
    continueBurst();
}

void ShutterSequence::takePhoto(bool sound) {
    --m_photosLeft;
    Clip* root = m_page.stage() ? m_page.stage()->root() : nullptr;
    if (!root)
        return;
    if (sound)
        m_page.stage()->playSound(kShutterSound);
    root->call(moviecommon::calls::CaptureDo);
}

void ShutterSequence::continueBurst() {
    if (m_photosLeft <= 0) {
        stop();
        return;
    }
    m_phase = Phase::Bursting;
    m_frames = framesPerSecond();
    m_overlay->onEnterFrame([this] { onFrame(); });
}

void ShutterSequence::stop() {
    m_phase = Phase::Idle;
    m_photosLeft = 0;
    m_overlay->onEnterFrame(nullptr);
    m_overlay->hide();
    m_overlay->setVar(QStringLiteral("seconds"), 0);
}

ShutterSequence* attachShutterSequence(Clip& page) {
    return new ShutterSequence(page);
}

ShutterSequence* shutterSequenceOf(const Clip& page) {
    return page.findChild<ShutterSequence*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace capture
