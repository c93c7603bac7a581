#include "HostFixture.h"
#include "PixelTextSupport.h"
#include "support/Wait.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QUrl>

namespace {

const QStringList kReplyVariables = {"SetIdeType", "areyouivemba", "OnGotoDownload",
                                     "OnSelectFiledOK"};

class Commands : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        start();
        ASSERT_TRUE(form1->ShockwaveFlash1->hasMovie());
    }
    [[nodiscard]] bool noReply() const {
        for (const QString& name : kReplyVariables)
            if (hasVar(name))
                return false;
        return true;
    }
};

struct ReplyCase {
    const char* command;
    const char* argument;
    const char* variable;
    const char* value;
};

class CommandReplies : public Commands, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(CommandReplies, SetTheirVariable) {
    dialogs.answers = {true};
    dialogs.files = {QStringLiteral("/pics/a.png")};
    command(GetParam().command, QString::fromUtf8(GetParam().argument));
    EXPECT_EQ(var(GetParam().variable), QString::fromUtf8(GetParam().value));
    for (const QString& other : kReplyVariables) {
        if (other != QLatin1String(GetParam().variable)) {
            EXPECT_FALSE(hasVar(other)) << other.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Channel, CommandReplies,
    ::testing::Values(
        ReplyCase{"iVembaInited", "", "SetIdeType", "soft"},
        ReplyCase{"iVembaInited", "anything", "SetIdeType", "soft"},
        ReplyCase{"whoareyou", "", "areyouivemba", "quorle-ivemba"},
        ReplyCase{"newversion", "http://x/y?z=1|2 -", "OnGotoDownload", "http://x/y?z=1|2 -"},
        ReplyCase{"newversion", "", "OnGotoDownload", ""},
        ReplyCase{"onSelectPicFile", "/capture_mc/local_photo_previews_mc/photo_1",
                  "OnSelectFiledOK", "/pics/a.png|/capture_mc/local_photo_previews_mc/photo_1"}),
    [](const auto& info) { return std::string(info.param.command) + std::to_string(info.index); });

class IgnoredCommands : public Commands, public ::testing::WithParamInterface<const char*> {};

TEST_P(IgnoredCommands, ChangeNothing) {
    dialogs.answers = {true, true};
    dialogs.files = {QStringLiteral("/pics/a.png")};
    command(QString::fromUtf8(GetParam()), QStringLiteral("-"));
    EXPECT_TRUE(noReply());
    EXPECT_TRUE(dialogs.nothingAsked());
    EXPECT_FALSE(form1->Timer1.isActive());
    EXPECT_FALSE(form1->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(form3->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Names, IgnoredCommands,
                         ::testing::Values("savephoto_pro", "SetBordersinfo", "", "SavePhoto",
                                           "ivembainited", "IVEMBAINITED", "QuitProgram",
                                           "whoAreYou", " whoareyou", "whoareyou ",
                                           "onselectpicfile", "unknown", "fscommand:quit"));

TEST_F(Commands, WhoAreYouTwiceAnswersTwice) {
    int seen = 0;
    form1->ShockwaveFlash1->stage().root()->watch(
        "areyouivemba", [&seen](const QVariant&, const QVariant& v) { return ++seen, v; });
    command("whoareyou");
    command("whoareyou");
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(var("areyouivemba"), "quorle-ivemba");
}

TEST_F(Commands, QuitAsksAndClosesFromTheTimer) {
    form1->show();
    dialogs.answers = {true};
    QElapsedTimer clock;
    clock.start();
    command("quitProgram", "-");
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0].caption, "退出确认");
    EXPECT_EQ(dialogs.questions[0].text, "您确定要退出么？");
    EXPECT_TRUE(form1->isVisible()) << "never closed inside the command";
    EXPECT_TRUE(form1->Timer1.isActive());
    EXPECT_EQ(form1->Timer1.interval(), 200);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !form1->isVisible(); }));
    EXPECT_GE(clock.elapsed(), 180);
    EXPECT_FALSE(form1->Timer1.isActive());
}

TEST_F(Commands, QuitAnsweredNoStaysOpen) {
    form1->show();
    dialogs.answers = {false};
    command("quitProgram", "-");
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_FALSE(form1->Timer1.isActive());
    testsupport::spin(300);
    EXPECT_TRUE(form1->isVisible());
}

TEST_F(Commands, NewVersionClosesAboutFirstAndNoSendsNothing) {
    form1->show();
    command("ivembaabout");
    ASSERT_TRUE(form2->isVisible());
    bool aboutOpenWhileAsking = true;
    dialogs.duringQuestion = [&] { aboutOpenWhileAsking = form2->isVisible(); };
    dialogs.answers = {false};
    command("newversion", "http://site/new");
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_FALSE(aboutOpenWhileAsking);
    EXPECT_EQ(dialogs.questions[0].caption, "版本更新");
    EXPECT_EQ(dialogs.questions[0].text, "检测到更新的版本,需要打开下载页面进行软件升级吗?");
    EXPECT_FALSE(hasVar("OnGotoDownload"));
}

TEST_F(Commands, AboutIsShownModallyOverTheMainWindow) {
    form1->show();
    command("ivembaabout", "");
    ASSERT_EQ(dialogs.modals.size(), 1);
    EXPECT_EQ(dialogs.modals[0], form2);
    EXPECT_EQ(form2->windowTitle(), "关于我们");
    EXPECT_EQ(form2->size(), QSize(490, 265));
    EXPECT_EQ(form2->minimumSize(), form2->maximumSize()) << "not resizable";
    EXPECT_EQ(form2->frameGeometry().center(), form1->frameGeometry().center());
    EXPECT_TRUE(noReply());
}

TEST_F(Commands, AboutHotSpotOpensTheHomePage) {
    EXPECT_EQ(form2->Label1->geometry(), QRect(64, 232, 93, 13));
    EXPECT_EQ(form2->Label1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(form2->Label1->text().trimmed().isEmpty());
    EXPECT_EQ(form2->Image1->geometry(), QRect(0, 0, 490, 265));
    form2->show();
    ASSERT_FALSE(form2->Image1->pixmap().isNull()) << "the artwork is carried";
    // One picture per language, all of the window's size.
    for (const char* picture : {":/about/about.jpg", ":/about/about_en.jpg"})
        EXPECT_EQ(QPixmap(QString::fromLatin1(picture)).size(), QSize(490, 265)) << picture;
    form2->Label1Click();
    ASSERT_EQ(dialogs.urls.size(), 1);
    EXPECT_EQ(dialogs.urls[0], QUrl(kHomePage));
}

TEST_F(Commands, HelpOpensThePageBesideTheProgram) {
    command("requesthelp", "-");
    ASSERT_EQ(dialogs.urls.size(), 1);
    EXPECT_EQ(dialogs.urls[0], QUrl::fromLocalFile(dir.path() + "/help/index.htm"));
    EXPECT_TRUE(noReply());
}

TEST_F(Commands, MiniappMinimises) {
    form1->show();
    command("miniapp", "-");
    EXPECT_TRUE(form1->windowState() & Qt::WindowMinimized);
}

TEST_F(Commands, DragIsHandedToTheSystem) {
    form1->show();
    command("ReleaseCapture", "-");
    EXPECT_EQ(systemMoves, 1);
    EXPECT_TRUE(form1->isVisible());
    EXPECT_TRUE(noReply());
    EXPECT_TRUE(dialogs.nothingAsked());
}

TEST_F(Commands, DownloadNewBorderShowsTheUpdateWindowWithoutWaiting) {
    form1->show();
    command("downloadnewborder", "");
    EXPECT_TRUE(form3->isVisible());
    EXPECT_FALSE(form3->isModal());
    EXPECT_EQ(form3->windowTitle(), "边框更新");
    EXPECT_EQ(form3->size(), QSize(313, 354));
    EXPECT_TRUE(form3->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form3->frameGeometry().center(), form1->frameGeometry().center());
    EXPECT_TRUE(dialogs.nothingAsked());
}

TEST_F(Commands, PictureFileDialogOffersFourFiltersAndRemembers) {
    dialogs.files = {std::nullopt, QStringLiteral("/pics/b.gif")};
    command("onSelectPicFile", "/a_mc");
    EXPECT_FALSE(hasVar("OnSelectFiledOK")) << "cancel sends nothing";
    command("onSelectPicFile", "/b_mc");
    EXPECT_EQ(var("OnSelectFiledOK"), "/pics/b.gif|/b_mc");
    ASSERT_EQ(dialogs.openRequests.size(), 2);
    const host::FileRequest& r = dialogs.openRequests[0];
    EXPECT_EQ(r.filters,
              (QStringList{"PNG格式 (*.PNG *.png)", "JPG格式 (*.JPG *.jpg)",
                           "GIF格式 (*.GIF *.gif)", "全部 (*.PNG *.png *.jpg *.JPG *.gif *.GIF)"}));
    EXPECT_EQ(r.selectedFilter, 3);
    EXPECT_TRUE(dialogs.openRequests[1].startPath.isEmpty()) << "a cancel remembers nothing";
    dialogs.files = {std::nullopt};
    command("onSelectPicFile", "/c_mc");
    EXPECT_EQ(dialogs.openRequests[2].startPath, "/pics/b.gif");
}

TEST_F(Commands, MegabyteArgumentPassesThroughWhole) {
    const QString big(1 << 20, u'x');
    dialogs.files = {QStringLiteral("/p.png")};
    command("onSelectPicFile", big);
    EXPECT_EQ(var("OnSelectFiledOK"), "/p.png|" + big);
}

TEST_F(Commands, SavePhotoWritesTheFileAndRepliesNothing) {
    dialogs.files = {dir.filePath("card")};
    command("savephoto", pixelText(patternColour));
    EXPECT_TRUE(QFile::exists(dir.filePath("card.jpg")));
    EXPECT_TRUE(noReply());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Commands, ErrorIsShownAndTheProgramGoesOn) {
    QStringList values(43200, "0");
    values[7] = "2147483648";
    dialogs.files = {dir.filePath("card.jpg"), dir.filePath("card.jpg")};
    command("savephoto", values.join(u'-'));
    EXPECT_EQ(dialogs.messages, QStringList{"'2147483648' is not a valid integer value"});
    EXPECT_FALSE(QFile::exists(dir.filePath("card.jpg")));
    EXPECT_TRUE(noReply());

    command("whoareyou");
    EXPECT_EQ(var("areyouivemba"), "quorle-ivemba");
    command("savephoto", pixelText(patternColour));
    EXPECT_TRUE(QFile::exists(dir.filePath("card.jpg")));
}

TEST_F(Commands, MegabyteGarbagePhotoIsRefusedCalmly) {
    dialogs.files = {dir.filePath("card.jpg")};
    command("savephoto", QString(1 << 20, u'9'));
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("card.jpg")));
}

} // namespace
