#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <memory>

namespace player {

// A movie file: a Qt binary resource holding the movie's artwork and sounds, and a
// manifest naming the stage size, the frame rate and the movie program to run. The bytes
// stay mounted under a private root for as long as the bundle lives.
class MovieBundle {
public:
    ~MovieBundle();
    MovieBundle(const MovieBundle&) = delete;
    MovieBundle& operator=(const MovieBundle&) = delete;

    // The mounted bundle, or why the bytes are not a movie bundle.
    [[nodiscard]] static common::Result<std::unique_ptr<MovieBundle>> open(QByteArray bytes);

    [[nodiscard]] QString root() const { return m_root; } // ":/movie_N/"
    [[nodiscard]] QSize stageSize() const { return m_stage; }
    [[nodiscard]] double frameRate() const { return m_fps; }
    [[nodiscard]] QString program() const { return m_program; }

private:
    MovieBundle() = default;

    QByteArray m_bytes;
    QString m_mapRoot;
    QString m_root;
    QSize m_stage{800, 600};
    double m_fps = 16;
    QString m_program;
};

} // namespace player
