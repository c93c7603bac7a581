#include "player/PlayerWidget.h"

#include "player/Clip.h"
#include "player/MovieBundle.h"
#include "player/Stage.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QUrl>

namespace player {

namespace {
constexpr int kMovieTransferTimeoutMs = 30000;
}

PlayerWidget::PlayerWidget(MovieRegistry registry, QWidget* parent)
    : QGraphicsView(parent), m_registry(std::move(registry)), m_stage(new Stage(this)) {
    setScene(m_stage);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                   QPainter::TextAntialiasing);
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
    if (m_pending) {
        m_pending->disconnect(this);
        m_pending->abort();
        m_pending->deleteLater();
        m_pending = nullptr;
    }
    m_program.reset();
    m_stage->reset();
    m_bundle.reset();
    m_painted = false;
}

void PlayerWidget::loadMovie(const QString& location) {
    unload();
    const QUrl url(location);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        fetch(url);
        return;
    }
    const QString path = scheme == QLatin1String("file") ? url.toLocalFile() : location;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot open movie ") + path + QStringLiteral(": ") +
             file.errorString());
        return;
    }
    if (file.size() > kMaxMovieBytes) {
        fail(QStringLiteral("movie too large: ") + path);
        return;
    }
    play(file.readAll(), QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString());
}

void PlayerWidget::fetch(const QUrl& url) {
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(kMovieTransferTimeoutMs);
    m_pending = m_network->get(request);
    QNetworkReply* reply = m_pending;
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kMaxMovieBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
        m_pending = nullptr;
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            fail(QStringLiteral("cannot load movie ") + url.toString() + QStringLiteral(": ") +
                 reply->errorString());
            return;
        }
        play(reply->readAll(), url.toString());
    });
}

void PlayerWidget::play(QByteArray bytes, const QString& url) {
    QString error;
    m_bundle = MovieBundle::open(std::move(bytes), &error);
    if (!m_bundle) {
        fail(error + QStringLiteral(": ") + url);
        return;
    }
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
    fitInView(m_stage->sceneRect(), Qt::KeepAspectRatio);
}

void PlayerWidget::paintEvent(QPaintEvent* event) {
    QGraphicsView::paintEvent(event);
    if (!m_painted && m_program) {
        m_painted = true;
        emit firstFramePainted();
    }
}

} // namespace player
