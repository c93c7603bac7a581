#include "ShellFixture.h"
#include "common/Settings.h"
#include "movie/shell/GetPath.h"

#include <QUrl>

namespace shelltest {
namespace {

const QStringList kWindowButtons{"but_quit", "but_help", "but_miniapp"};

using EditionTest = ShellMovie;

TEST_F(EditionTest, HostAnswerSelectsTheDesktopEdition) {
    start(QStringLiteral("soft"));
    EXPECT_EQ(widget().variable("SetIdeType"), "soft");
    for (const QString& name : kWindowButtons)
        EXPECT_TRUE(clip(name)->isVisible()) << name.toStdString();
    EXPECT_EQ(root()->call("GetButtonHint", {"SaveTarget"}).toString(), "保存图片");
}

TEST_F(EditionTest, WithoutHostTheMovieStaysTheBrowserEdition) {
    start();
    EXPECT_EQ(widget().variable("SetIdeType"), "ie");
    for (const QString& name : kWindowButtons) {
        EXPECT_FALSE(clip(name)->isVisible()) << name.toStdString();
        // A hidden button cannot be pressed either.
        EXPECT_NE(stage().buttonAt(clip(name)->bounds().center()), clip(name));
    }
    EXPECT_EQ(root()->call("GetButtonHint", {"SaveTarget"}).toString(), "下载图片");
}

TEST_F(EditionTest, AnyAssignedValueSelectsTheDesktopEdition) {
    for (const QString& answer : {QStringLiteral("yes"), QStringLiteral("ie"), QString()}) {
        SCOPED_TRACE(answer.toStdString());
        start(answer);
        EXPECT_EQ(widget().variable("SetIdeType"), "soft");
        EXPECT_TRUE(clip("but_quit")->isVisible());
        EXPECT_EQ(root()->call("GetButtonHint", {"SaveTarget"}).toString(), "保存图片");
    }
}

TEST_F(EditionTest, GetButtonHintKnowsOnlyTheSaveTarget) {
    start();
    for (const char* name : {"saveTarget", "", "PrintTarget", "SaveTarget "})
        EXPECT_FALSE(root()->call("GetButtonHint", {QString::fromUtf8(name)}).isValid()) << name;
    EXPECT_FALSE(root()->call("GetButtonHint", {}).isValid());
}

TEST_F(EditionTest, StartRaisesOnlyTheHandshakeOnce) {
    start(QStringLiteral("soft"));
    for (int i = 0; i < 5; ++i)
        stage().clock().tick();
    EXPECT_EQ(commands(), QStringList{"iVembaInited|"});
}

// The host may answer while the movie still waits for "iVembaInited": every watcher must be
// in place by then.
TEST_F(EditionTest, EveryWatcherIsInstalledBeforeTheHandshake) {
    QStringList seen;
    onCommand = [&](const QString& name, const QString&) {
        if (name != QLatin1String("iVembaInited"))
            return;
        seen << "edition:" + widget().variable("SetIdeType");
        player::Clip* probe = root()->createEmptyMovieClip("probe_mc", 900);
        probe->define("OnSelectFiledOK", [&](const QVariantList& args) {
            seen << "file:" + args.value(0).toString();
            return QVariant();
        });
        root()->define("OnClassInfoLoad", [&](const QVariantList& args) {
            seen << "classes:" + args.value(0).toString();
            return QVariant();
        });
        widget().setVariable("OnSelectFiledOK", "a.png|/probe_mc");
        widget().setVariable("OnClassInfoLoadOK", "<classes/>");
        widget().setVariable("OnNewBorderPublished", "");
        seen << QString("newBorder:%1").arg(clip("NewBorder_hintMsg_mc")->isVisible());
        widget().setVariable("OnReloadBordered", "");
        seen << QString("done:%1").arg(clip("BorderDone_hintMsg_mc")->isVisible());
        widget().setVariable("SetIdeType", "soft");
        seen << QString("quit:%1").arg(clip("but_quit")->isVisible());
    };
    start();
    EXPECT_EQ(seen, (QStringList{"edition:ie", "file:a.png", "classes:<classes/>", "newBorder:1",
                                 "done:1", "quit:1"}));
}

TEST_F(EditionTest, SelectedFileReachesTheAskingClip) {
    start(QStringLiteral("soft"));
    QStringList received;
    player::Clip* slot = clip("capture_mc")->createEmptyMovieClip("slot_probe", 990);
    slot->define("OnSelectFiledOK", [&](const QVariantList& args) {
        received << args.value(0).toString();
        return QVariant();
    });
    struct Case {
        const char* value;
        const char* delivered; // nullptr: nothing is delivered
    };
    const Case cases[] = {
        {R"(D:\pics\a.png|/capture_mc/slot_probe)", R"(D:\pics\a.png)"},
        // File names may hold "|"; target paths never do.
        {"/home/u/a|b.png|/capture_mc/slot_probe", "/home/u/a|b.png"},
        {"|/capture_mc/slot_probe", ""},
        {"no separator", nullptr},
        {"a.png|", nullptr},
        {"a.png|/capture_mc/missing", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        received.clear();
        widget().setVariable("OnSelectFiledOK", QString::fromUtf8(c.value));
        if (c.delivered)
            EXPECT_EQ(received, QStringList{QString::fromUtf8(c.delivered)}) << c.value;
        else
            EXPECT_TRUE(received.isEmpty()) << c.value;
        EXPECT_EQ(widget().variable("OnSelectFiledOK"), QString::fromUtf8(c.value));
    }
}

TEST_F(EditionTest, ClassInfoGoesToTheParserOnlyWhenThereIsOne) {
    start(QStringLiteral("soft"));
    widget().setVariable("OnClassInfoLoadOK", "<a/>"); // no parser yet: nothing happens
    QStringList parsed;
    root()->define("OnClassInfoLoad", [&](const QVariantList& args) {
        parsed << args.value(0).toString();
        return QVariant();
    });
    widget().setVariable("OnClassInfoLoadOK", "<b/>");
    widget().setVariable("OnClassInfoLoadOK", "<b/>");
    EXPECT_EQ(parsed, (QStringList{"<b/>", "<b/>"}));
}

TEST_F(EditionTest, StartUpSetsTheRootVariables) {
    start();
    const QString path = shell::GetPath(stage().movieUrl());
    EXPECT_TRUE(path.startsWith("file:///")) << path.toStdString();
    EXPECT_TRUE(path.endsWith("/"));
    EXPECT_EQ(root()->var("Path").toString(), path);
    EXPECT_TRUE(traces().contains("_root.Path: " + path));
    EXPECT_EQ(root()->var("WebRoot").toString(),
              common::Settings::fromEnvironment().siteUrl("/ivemba"));
    EXPECT_EQ(root()->var("UploadTarget").toString(),
              common::Settings::fromEnvironment().siteUrl("/upload2.aspx"));
    EXPECT_EQ(root()->var("UploadPath").toString(),
              common::Settings::fromEnvironment().siteUrl("/pics/"));
    EXPECT_EQ(root()->var("UploadFormOpen").toString(),
              common::Settings::fromEnvironment().siteUrl("/"));
    EXPECT_EQ(root()->var("pVersion").toInt(), 2);
    EXPECT_EQ(root()->var("ClassMenuInited"), QVariant(false));
    EXPECT_EQ(root()->var("info_Capture_count").toInt(), 0);
    EXPECT_EQ(root()->var("CpRecord").toInt(), 0);
    EXPECT_TRUE(root()->var("cam_array").canConvert<QStringList>());
    EXPECT_EQ(stage().allowedDomains().size(), 3);
    EXPECT_EQ(clip("capture_mc")->var("info_Capture_count_txt").toString(), "您已拍摄 0 张！");
    for (const char* name : {"CaptureDo", "getPhotoType", "SelectThisPhoto", "Shiftpage", "GetPath",
                             "GetButtonHint", "onSetIdeType"})
        EXPECT_TRUE(root()->hasFunction(name)) << name;
}

TEST_F(EditionTest, ContextMenuShowsOnlyThePlayersOwnEntries) {
    start();
    EXPECT_TRUE(stage().builtInMenuItemsHidden());
    EXPECT_EQ(stage().contextMenuEntries(),
              QStringList({QStringLiteral("设置..."), QStringLiteral("关于 iVemba 播放器")}));
}

} // namespace
} // namespace shelltest
