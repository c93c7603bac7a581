#include "player/Stage.h"
#include "player/net/FormEncoding.h"
#include "player/net/FormPost.h"
#include "support/LocalSite.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <httplib.h>

namespace {

using net::FormPost;

const QString kHard = QStringLiteral("a*b&c=d%e+f g 中文，照片 \"<x>\"");

TEST(FormEncoding, FieldsSurviveTheRoundTrip) {
    const net::Fields fields{{QStringLiteral("text"), kHard},
                             {QStringLiteral("名字"), QStringLiteral("值")},
                             {QStringLiteral("empty"), QString()}};
    const QByteArray body = net::encodeForm(fields);
    EXPECT_FALSE(body.contains('*')) << "every special character is escaped";
    EXPECT_EQ(body.count('&'), 2);
    const auto decoded = net::decodeForm(body);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, fields);
}

TEST(FormEncoding, AnswersThatAreNotFormEncodedAreNoAnswer) {
    EXPECT_EQ(net::decodeForm("status=ok&filename=1_2.jpg\r\n")->size(), 2);
    EXPECT_EQ(net::decodeForm("a=1&&b=2&")->size(), 2);
    EXPECT_EQ(net::decodeForm("")->size(), 0);
    EXPECT_EQ(net::decodeForm("flag")->value(0).first, QStringLiteral("flag"));
    EXPECT_FALSE(net::decodeForm("<html><body>Server Error</body></html>").has_value());
    EXPECT_FALSE(net::decodeForm("status = ok").has_value());
    EXPECT_FALSE(net::decodeForm("=value").has_value());
}

class FormPostTest : public ::testing::Test {
protected:
    bool postAndWait(FormPost& post, const QString& address, bool* success) {
        bool done = false;
        auto connection = QObject::connect(&post, &FormPost::loaded, [&](bool ok) {
            done = true;
            *success = ok;
        });
        post.post(address);
        const bool reported = testsupport::waitUntil([&] { return done; }, 10000);
        QObject::disconnect(connection);
        return reported;
    }
    player::Stage stage;
    testsupport::LocalSite site;
};

TEST_F(FormPostTest, FieldsArriveIntactAndTheAnswerGoesOutAgain) {
    int calls = 0;
    site.route("/upload2.aspx", [&calls](const httplib::Request&, httplib::Response& response) {
        ++calls;
        response.set_content("status=ok&actionname=sendpic&filename=" + std::to_string(calls) +
                                 ".jpg",
                             "text/plain");
    });
    FormPost post(stage);
    post.set(QStringLiteral("text"), kHard);
    post.set(QStringLiteral("title"), QStringLiteral("春天"));
    bool success = false;
    ASSERT_TRUE(postAndWait(post, site.url(QStringLiteral("/upload2.aspx")), &success));
    EXPECT_TRUE(success);
    EXPECT_EQ(post.value(QStringLiteral("filename")), QStringLiteral("1.jpg"));

    ASSERT_TRUE(postAndWait(post, site.url(QStringLiteral("/upload2.aspx")), &success));
    EXPECT_EQ(post.value(QStringLiteral("filename")), QStringLiteral("2.jpg"));
    const auto requests = site.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].contentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(QString::fromStdString(requests[0].field("text")), kHard);
    EXPECT_EQ(requests[0].field("title"), "春天");
    EXPECT_EQ(requests[0].fields.count("status"), 0u);
    EXPECT_EQ(requests[1].field("status"), "ok") << "the answer's values go out again";
    EXPECT_EQ(requests[1].field("filename"), "1.jpg");
}

TEST_F(FormPostTest, FailuresAreReportedAndKeepTheValues) {
    site.answer("/html", "<html><body>oops</body></html>", "text/html");
    site.fail("/error", 500);
    FormPost post(stage);
    post.set(QStringLiteral("status"), QStringLiteral("before"));
    for (const QString& address :
         {site.url(QStringLiteral("/html")), site.url(QStringLiteral("/error")),
          QStringLiteral("http://127.0.0.1:%1/x").arg(testsupport::refusedPort()), QString(),
          QStringLiteral("gopher://x/")}) {
        bool success = true;
        ASSERT_TRUE(postAndWait(post, address, &success)) << address.toStdString();
        EXPECT_FALSE(success) << address.toStdString();
        EXPECT_EQ(post.value(QStringLiteral("status")), QStringLiteral("before"));
    }
}

TEST_F(FormPostTest, TenMegabyteFieldArrivesWhole) {
    site.answer("/big", "ok=1");
    FormPost post(stage);
    const QString big(10 * 1024 * 1024, QLatin1Char('7'));
    post.set(QStringLiteral("text"), big);
    bool success = false;
    ASSERT_TRUE(postAndWait(post, site.url(QStringLiteral("/big")), &success));
    EXPECT_TRUE(success);
    ASSERT_EQ(site.requests().size(), 1u);
    EXPECT_EQ(site.requests()[0].field("text").size(), std::size_t(big.size()));
}

} // namespace
