#include "WebFixture.h"
#include "player/loaders/SequenceMovie.h"
#include "support/RenderStage.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>

namespace webtest {
namespace {

using testsupport::waitUntil;

// The maker's web site itself, on a free port with a fresh data folder holding the demo
// banner, publishing version 3.
class SiteProcess {
public:
    SiteProcess() {
        QFile::copy(QStringLiteral(IVEMBA_SOURCE_DIR "/site/demo/ad2005.swf"),
                    m_data.filePath(QStringLiteral("ad2005.swf")));
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(IVEMBA_SITE_EXECUTABLE),
                        {"--listen", "127.0.0.1:0", "--data", m_data.path(), "--version", "3"});
        waitUntil([&] {
            m_output += m_process.readAll();
            const int at = m_output.indexOf("listening on ");
            if (at < 0 || m_output.indexOf('\n', at) < 0)
                return false;
            const QByteArray line = m_output.mid(at + 13, m_output.indexOf('\n', at) - at - 13);
            m_base = QString::fromUtf8(line.left(line.indexOf(' ')));
            if (m_base.endsWith(QLatin1Char('/')))
                m_base.chop(1);
            return true;
        });
    }
    ~SiteProcess() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    [[nodiscard]] QString base() const { return m_base; }

    QString get(const QString& path) const {
        QNetworkAccessManager manager;
        // Read as a Chinese browser reads it: the pages follow the browser's language.
        QNetworkRequest request(QUrl(m_base + path));
        request.setRawHeader("Accept-Language", "zh-CN,zh;q=0.9");
        QNetworkReply* reply = manager.get(request);
        waitUntil([&] { return reply->isFinished(); });
        const QString body = QString::fromUtf8(reply->readAll());
        reply->deleteLater();
        return body;
    }

private:
    QTemporaryDir m_data;
    QProcess m_process;
    QByteArray m_output;
    QString m_base;
};

using SiteEndToEndTest = WebMovie;

TEST_F(SiteEndToEndTest, StartAndCapturesReachTheStatisticsPageHintAndBannerShow) {
    SiteProcess real;
    ASSERT_FALSE(real.base().isEmpty());
    startAgainst(real.base(), QStringLiteral("soft"));
    for (int i = 0; i < 3; ++i)
        root()->call("CaptureDo");
    frames(12);
    pass(45000);
    ASSERT_TRUE(waitUntil([&] {
        return real.get("/stats.aspx").contains(QStringLiteral("启动 1 次；拍照：桌面版 3 张"));
    }));

    ASSERT_TRUE(waitUntil([&] { return clip("upload_hintMsg_mc")->isVisible(); }));
    ASSERT_TRUE(waitUntil([&] {
        player::Clip* ad = root()->childAtDepth(159)->child("ad_mc");
        return ad && dynamic_cast<loaders::SequenceClip*>(ad->childAtDepth(1));
    }));
    if (const QString dir = qEnvironmentVariable("IVEMBA_LOOK_DIR"); !dir.isEmpty())
        testsupport::renderStage(stage()).save(dir + QStringLiteral("/site_end_to_end.png"));
}

} // namespace
} // namespace webtest
