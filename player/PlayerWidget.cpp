#include "player/PlayerWidget.h"

#include "player/Clip.h"
#include "player/MovieBundle.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "player/net/Transfer.h"

#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <algorithm>

namespace player {

namespace {
constexpr int kMovieIdleTimeoutMs = 30000;
}

PlayerWidget::PlayerWidget(MovieRegistry registry, QWidget* parent)
    : QGraphicsView(parent), m_registry(std::move(registry)), m_stage(new Stage(this)) {
    setScene(m_stage);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setBackgroundBrush(Qt::white);
    setAlignment(Qt::AlignCenter);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setOptimizationFlag(QGraphicsView::DontSavePainterState, false);
    viewport()->setMouseTracking(true);
    connect(m_stage, &Stage::command, this, &PlayerWidget::fsCommand);
}

PlayerWidget::~PlayerWidget() {
    unload();
}

void PlayerWidget::unload() {
    if (m_pending)
        m_pending->cancel();
    m_pending = nullptr;
    m_program.reset();
    m_stage->reset();
    m_bundle.reset();
    m_painted = false;
}

void PlayerWidget::loadMovie(const QString& location) {
    unload();
    const net::Limits limits{kMaxMovieBytes, kMovieIdleTimeoutMs};
    // A movie on disc starts before loadMovie returns, as a player control's does: the host
    // writes the movie file and plays it within its creation handler, and the movie's first
    // frame (with its handshake) runs right there.
    if (const QString path = net::localPath(location); !path.isEmpty()) {
        common::Result<QByteArray> read = common::readCappedFile(path, limits.maxBytes);
        if (!read) {
            fail(QStringLiteral("cannot load movie ") + path + QStringLiteral(": ") + read.error());
            return;
        }
        play(std::move(read).value(),
             QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString());
        return;
    }
    m_pending = m_stage->services().network().get(location, limits);
    connect(m_pending, &net::Transfer::finished, this, [this, location](const QByteArray& bytes) {
        m_pending = nullptr;
        play(bytes, location);
    });
    connect(m_pending, &net::Transfer::failed, this, [this, location](const QString& reason) {
        m_pending = nullptr;
        fail(QStringLiteral("cannot load movie ") + location + QStringLiteral(": ") + reason);
    });
}

void PlayerWidget::play(QByteArray bytes, const QString& url) {
    common::Result<std::unique_ptr<MovieBundle>> opened = MovieBundle::open(std::move(bytes));
    if (!opened) {
        fail(opened.error() + QStringLiteral(": ") + url);
        return;
    }
    m_bundle = std::move(opened).value();
    m_program = m_registry.create(m_bundle->program());
    if (!m_program) {
        fail(QStringLiteral("no movie program named ") + m_bundle->program());
        m_bundle.reset();
        return;
    }
    m_stage->setSceneRect(QRectF(QPointF(0, 0), m_bundle->stageSize()));
    m_stage->clock().setFrameRate(m_bundle->frameRate());
    m_stage->setMovieUrl(url);
    m_stage->setAssetRoot(m_bundle->root());
    fitInView(m_stage->sceneRect(), Qt::KeepAspectRatio);
    m_program->start(*m_stage);
    m_stage->root()->gotoAndPlay(1);
    emit movieStarted();
}

void PlayerWidget::fail(const QString& reason) {
    m_stage->trace(reason);
    emit movieFailed(reason);
}

void PlayerWidget::setVariable(const QString& name, const QString& value) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, name, value] { setVariable(name, value); }, Qt::QueuedConnection);
        return;
    }
    m_stage->root()->setVar(name, value);
}

QString PlayerWidget::variable(const QString& name) const {
    return m_stage->root()->var(name).toString();
}

void PlayerWidget::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    // Not fitInView: it keeps a margin of two pixels, which would draw the stage at 99 % in
    // a window of exactly its size and blur every line of the movie.
    const QRectF stage = m_stage->sceneRect();
    const qreal scale =
        std::min(viewport()->width() / stage.width(), viewport()->height() / stage.height());
    setTransform(QTransform::fromScale(scale, scale));
    centerOn(stage.center());
}

void PlayerWidget::paintEvent(QPaintEvent* event) {
    QGraphicsView::paintEvent(event);
    if (!m_painted && m_program) {
        m_painted = true;
        m_stage->firstFramePainted();
        emit firstFramePainted();
    }
}

} // namespace player
