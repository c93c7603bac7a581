#pragma once

#include "common/Settings.h"
#include "movie/borders/MBS_ListView.h"
#include "player/Clip.h"
#include "support/MoviePlayer.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace borderstest {

// The real movie played from a folder of its own, beside a border folder the test writes.
// The camera is a still grey picture.
class BrowserHarness {
public:
    BrowserHarness();

    // The player's settings, taken when start() builds it: a grey still camera, and the
    // site of the test environment unless a test names another.
    common::Settings settings = common::Settings::fromEnvironment();

    // A class list of `counts.size()` classes "c1", "c2", … with counts[i] borders "p1", …
    // in folders borders/c<i>/, written with no white space between the borders.
    static QString classList(const QList<int>& counts);
    void writeClassList(const QString& text) const;
    // Thumbnail and border picture of border `name` in class folder `folder`.
    void writeBorder(const QString& folder, const QString& name) const;
    void writeBorders(const QList<int>& counts) const;
    void writeFile(const QString& relative, const QByteArray& bytes) const;

    // Plays the movie from `location` (the folder's copy when empty); `hostAnswer` plays
    // the desktop host's handshake.
    void start(const QString& location = {}, std::optional<QString> hostAnswer = {});
    // Runs frames until the browser has left its loading frames and its load has ended.
    void settle();
    // Waits until no item is loading a thumbnail.
    void waitForThumbnails();

    [[nodiscard]] QString dir() const { return m_dir.path(); }
    [[nodiscard]] player::Stage& stage() const { return m_movie->stage(); }
    [[nodiscard]] player::Clip* root() const { return m_movie->root(); }
    [[nodiscard]] player::Clip* browser() const;
    [[nodiscard]] player::Clip* listClip() const;
    [[nodiscard]] borders::MBS_ListView* list() const;
    [[nodiscard]] QString status() const;
    // Indices shown by visible pool items, in ascending order.
    [[nodiscard]] QList<int> shownIndices() const;
    [[nodiscard]] player::Clip* itemShowing(int index) const;
    [[nodiscard]] int itemClipCount() const;
    [[nodiscard]] QStringList traces() const { return m_movie->traces; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<testsupport::MoviePlayer> m_movie;
};

} // namespace borderstest
