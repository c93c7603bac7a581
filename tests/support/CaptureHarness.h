#pragma once

#include "player/Bitmap.h"
#include "player/Clip.h"
#include "support/MoviePlayer.h"

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace capturetest {

// The capture page alone in a real player: a test movie registered as "ivemba" places the
// page and a tray stand-in that records each NewPhoto, on the real bundle's artwork. The
// camera is a still picture: a 320×240 gradient (red along x, green along y).
class CaptureHarness {
public:
    // `cameraSetting` is what IVEMBA_TEST_CAMERA holds; "%1" stands for the picture's path.
    // `adjust` changes the player's settings before the movie starts.
    explicit CaptureHarness(const QString& cameraSetting = QStringLiteral("%1"),
                            const std::function<void(common::Settings&)>& adjust = {});

    [[nodiscard]] player::PlayerWidget& widget() const { return m_movie.widget(); }
    [[nodiscard]] player::Stage& stage() const { return m_movie.stage(); }
    [[nodiscard]] player::Clip* root() const { return m_movie.root(); }
    [[nodiscard]] player::Clip* page() const;
    [[nodiscard]] player::Clip* view() const;
    [[nodiscard]] player::Clip* at(const QString& pathFromPage) const;
    [[nodiscard]] QStringList traces() const { return m_movie.traces; }
    [[nodiscard]] bool traced(const QString& text) const { return m_movie.traced(text); }
    [[nodiscard]] bool tracedStartingWith(const QString& start) const {
        return m_movie.tracedStartingWith(start);
    }
    [[nodiscard]] QStringList commands() const { return m_movie.commands; }
    [[nodiscard]] QStringList opened() const { return m_movie.opened; }
    [[nodiscard]] QList<player::BitmapPtr> newPhotos() const;

    [[nodiscard]] player::BitmapPtr snapshot();
    // Loads a border and waits until the load has ended either way.
    void loadBorder(const QVariant& id, const QString& address);
    [[nodiscard]] QString writePng(const QString& name, const QImage& image) const;
    [[nodiscard]] QString dir() const { return m_dir.path(); }

    static QImage gradient();
    // The camera picture at a fractional position, interpolated as smoothing does.
    static QRgb cameraAt(double x, double y);

private:
    QTemporaryDir m_dir;
    testsupport::MoviePlayer m_movie;
};

// |a - b| per channel, the largest of the three (alpha ignored).
int colourDistance(QRgb a, QRgb b);

} // namespace capturetest
