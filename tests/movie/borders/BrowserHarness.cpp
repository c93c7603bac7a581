#include "BrowserHarness.h"

#include "movie/shell/IvembaMovie.h"
#include "player/loaders/ClipLoader.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

namespace borderstest {

using player::Clip;

namespace {

const QString kShippedThumb =
    QStringLiteral(IVEMBA_SOURCE_DIR "/resources/borders/节日祝福/fortune.gif");
const QString kShippedBorder =
    QStringLiteral(IVEMBA_SOURCE_DIR "/resources/borders/节日祝福/fortune.png");

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString greyCamera(const QTemporaryDir& dir) {
    QImage grey(320, 240, QImage::Format_RGB32);
    grey.fill(QColor(128, 128, 128));
    const QString camera = dir.filePath(QStringLiteral("camera.png"));
    EXPECT_TRUE(grey.save(camera));
    return camera;
}

} // namespace

BrowserHarness::BrowserHarness() {
    settings.testCamera = greyCamera(m_dir);
    writeFile(QStringLiteral("ivemba.swf"), readAll(QStringLiteral(IVEMBA_TEST_BUNDLE)));
}

QString BrowserHarness::classList(const QList<int>& counts) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<borders>");
    for (int c = 0; c < counts.size(); ++c) {
        text += QStringLiteral("<class name=\"c%1\" path=\"borders/c%1/\">").arg(c + 1);
        for (int p = 1; p <= counts[c]; ++p)
            text += QStringLiteral("<pic>p%1</pic>").arg(p);
        text += QStringLiteral("</class>");
    }
    return text + QStringLiteral("</borders>\n");
}

void BrowserHarness::writeFile(const QString& relative, const QByteArray& bytes) const {
    const QString path = m_dir.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

void BrowserHarness::writeClassList(const QString& text) const {
    writeFile(QStringLiteral("borders/borders.xml"), text.toUtf8());
}

void BrowserHarness::writeBorder(const QString& folder, const QString& name) const {
    static const QByteArray thumb = readAll(kShippedThumb);
    static const QByteArray border = readAll(kShippedBorder);
    writeFile(QStringLiteral("borders/%1/%2.gif").arg(folder, name), thumb);
    writeFile(QStringLiteral("borders/%1/%2.png").arg(folder, name), border);
}

void BrowserHarness::writeBorders(const QList<int>& counts) const {
    writeClassList(classList(counts));
    for (int c = 0; c < counts.size(); ++c)
        for (int p = 1; p <= counts[c]; ++p)
            writeBorder(QStringLiteral("c%1").arg(c + 1), QStringLiteral("p%1").arg(p));
}

void BrowserHarness::start(const QString& location, std::optional<QString> hostAnswer) {
    player::MovieRegistry registry;
    shell::registerMovie(registry);
    m_movie = std::make_unique<testsupport::MoviePlayer>(std::move(registry), std::move(hostAnswer),
                                                         settings);
    m_movie->load(location.isEmpty() ? m_dir.filePath(QStringLiteral("ivemba.swf")) : location);
    ASSERT_TRUE(testsupport::waitUntil([this] { return browser() != nullptr; }));
    settle();
}

void BrowserHarness::settle() {
    // Frames 1 to 7 play at the frame clock; frame 7 waits for the class list.
    for (int i = 0; i < 8; ++i)
        stage().clock().tick();
    ASSERT_TRUE(testsupport::waitUntil([this] {
        Clip* b = browser();
        if (!b)
            return false;
        if (b->currentFrame() == 8)
            return true;
        const QString s = status();
        // Playing on from frame 7 means the class list is in; the next frame shows the grid.
        return b->currentFrame() == 7 &&
               (b->timeline().isPlaying() ||
                (s != QStringLiteral("加载边框信息...") && s != QStringLiteral("解析分类......")));
    })) << status().toStdString();
    if (browser()->timeline().isPlaying())
        stage().clock().tick();
    waitForThumbnails();
}

void BrowserHarness::waitForThumbnails() {
    EXPECT_TRUE(testsupport::waitUntil([this] {
        Clip* l = listClip();
        if (!l)
            return true;
        for (Clip* item : l->childClips()) {
            auto* loader = item->findChild<loaders::ClipLoader*>();
            Clip* pic = item->child(QStringLiteral("mypic_mc"));
            if (loader && pic && loader->isLoading(pic))
                return false;
        }
        return true;
    }));
}

Clip* BrowserHarness::browser() const {
    return root()->resolve(QStringLiteral("capture_mc/listiview_form_mc"));
}

Clip* BrowserHarness::listClip() const {
    Clip* b = browser();
    return b ? b->child(QStringLiteral("ListView")) : nullptr;
}

borders::MBS_ListView* BrowserHarness::list() const {
    return borders::MBS_ListView::of(listClip());
}

QString BrowserHarness::status() const {
    Clip* b = browser();
    return b ? b->var(QStringLiteral("tClassLoadHitmsg")).toString() : QString();
}

QList<int> BrowserHarness::shownIndices() const {
    QList<int> shown;
    if (borders::MBS_ListView* l = list()) {
        for (Clip* item : l->items()) {
            if (item->isVisible())
                shown << item->var(QStringLiteral("pIndex")).toInt();
        }
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

Clip* BrowserHarness::itemShowing(int index) const {
    if (borders::MBS_ListView* l = list()) {
        for (Clip* item : l->items()) {
            if (item->isVisible() && item->var(QStringLiteral("pIndex")).toInt() == index)
                return item;
        }
    }
    return nullptr;
}

int BrowserHarness::itemClipCount() const {
    Clip* l = listClip();
    if (!l)
        return 0;
    int count = 0;
    for (Clip* child : l->childClips())
        count += child->name().startsWith(QLatin1String("itemnew")) ? 1 : 0;
    return count;
}

} // namespace borderstest
