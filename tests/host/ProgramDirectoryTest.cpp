#include "host/ProgramDirectory.h"

#include "HostFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using host::ProgramDirectory;

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An installed layout in a temporary prefix: bin/ with nothing beside the executable,
// share/ivemba/ with the shipped borders and help, and a home with its data folder.
class Installed : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        places.executableDir = root.filePath("usr/bin");
        places.installedData = root.filePath("usr/share/ivemba");
        places.userDir = root.filePath("home/.local/share/ivemba");
        ASSERT_TRUE(QDir().mkpath(places.executableDir));
        writeFile(shared("borders/borders.xml"), "<borders><class name=\"a\"/></borders>");
        writeFile(shared("borders/a/one.png"), "picture one");
        writeFile(shared("help/index.htm"), "<html>help</html>");
    }
    QString shared(const QString& rel) const { return places.installedData + '/' + rel; }
    QString user(const QString& rel) const { return places.userDir + '/' + rel; }

    QTemporaryDir root;
    ProgramDirectory::Places places;
};

TEST_F(Installed, ReadOnlyExecutableFolderRunsFromTheSeededUserFolder) {
    EXPECT_EQ(ProgramDirectory::resolve(places, false), places.userDir);
    EXPECT_EQ(readAll(user("borders/borders.xml")), readAll(shared("borders/borders.xml")));
    EXPECT_EQ(readAll(user("borders/a/one.png")), "picture one");
    EXPECT_EQ(readAll(user("help/index.htm")), "<html>help</html>");
    EXPECT_FALSE(QFile::exists(places.executableDir + "/borders")) << "nothing written in bin/";
}

TEST_F(Installed, WhatTheUserHasIsKeptAndOnlyMissingFilesAreAdded) {
    writeFile(user("borders/borders.xml"), "<borders>edited</borders>");
    writeFile(user("borders/b/own.png"), "downloaded");
    EXPECT_EQ(ProgramDirectory::resolve(places, false), places.userDir);
    EXPECT_EQ(readAll(user("borders/borders.xml")), "<borders>edited</borders>");
    EXPECT_EQ(readAll(user("borders/b/own.png")), "downloaded");
    EXPECT_EQ(readAll(user("borders/a/one.png")), "picture one") << "a missing file is seeded";
    // A second start changes nothing.
    EXPECT_EQ(ProgramDirectory::resolve(places, false), places.userDir);
    EXPECT_EQ(readAll(user("borders/borders.xml")), "<borders>edited</borders>");
}

TEST_F(Installed, SeededFilesCanBeRewrittenEvenWhenTheInstalledOnesAreReadOnly) {
    QFile::setPermissions(shared("borders/borders.xml"), QFile::ReadOwner | QFile::ReadOther);
    ASSERT_EQ(ProgramDirectory::resolve(places, false), places.userDir);
    EXPECT_TRUE(QFile::permissions(user("borders/borders.xml")) & QFile::WriteOwner);
}

TEST_F(Installed, AWritableFolderWithoutBordersIsStillAnInstallation) {
    // Root running /usr/bin/ivemba must not litter /usr/bin with the movie file.
    EXPECT_EQ(ProgramDirectory::resolve(places, true), places.userDir);
}

TEST_F(Installed, ABuildTreeKeepsItsOwnFolder) {
    writeFile(places.executableDir + "/borders/borders.xml", "<borders/>");
    EXPECT_EQ(ProgramDirectory::resolve(places, true), places.executableDir);
    EXPECT_FALSE(QFile::exists(places.userDir)) << "no per-user folder is made";
}

TEST_F(Installed, AReadOnlyPortableCopySeedsFromItsOwnFolders) {
    QDir(places.installedData).removeRecursively();
    writeFile(places.executableDir + "/borders/borders.xml", "<borders>portable</borders>");
    EXPECT_EQ(ProgramDirectory::resolve(places, false), places.userDir);
    EXPECT_EQ(readAll(user("borders/borders.xml")), "<borders>portable</borders>");
}

TEST_F(Installed, AnUnusableUserFolderFallsBackToTheExecutableFolder) {
    writeFile(root.filePath("home/.local/share"), "a file where the folder should be");
    EXPECT_EQ(ProgramDirectory::resolve(places, false), places.executableDir);
}

TEST(ProgramDirectoryWritable, FollowsTheKernelsAnswer) {
    QTemporaryDir dir;
    EXPECT_TRUE(ProgramDirectory::isWritableFolder(dir.path()));
    EXPECT_FALSE(ProgramDirectory::isWritableFolder(dir.filePath("missing")));
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes any folder";
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(ProgramDirectory::isWritableFolder(dir.path()));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramDirectoryPlaces, InstalledDataIsBesideTheExecutablesPrefix) {
    const auto places = ProgramDirectory::standardPlaces(QStringLiteral("/opt/x/bin"));
    EXPECT_EQ(places.installedData, QStringLiteral("/opt/x/share/ivemba"));
    EXPECT_TRUE(places.userDir.endsWith(QStringLiteral("/ivemba")));
}

// Every rule of the movie file holds in the per-user folder: written at start, removed at
// exit, the override played and never touched.
class UserFolderMovie : public HostFixture {};

TEST_F(UserFolderMovie, WrittenAtStartRemovedAtExitOverrideKept) {
    ProgramDirectory::Places places{dir.filePath("usr/bin"), dir.filePath("usr/share/ivemba"),
                                    dir.filePath("home/ivemba")};
    QDir().mkpath(places.executableDir);
    writeFile(places.installedData + "/borders/borders.xml", "<borders/>");
    const QString programDir = ProgramDirectory::resolve(places, false);
    ASSERT_EQ(programDir, places.userDir);

    start(quietRegistry(), programDir);
    EXPECT_EQ(readAll(programDir + "/ivemba.swf"), readAll(":/VEMBASWF"));
    EXPECT_FALSE(QFile::exists(places.executableDir + "/ivemba.swf"));
    form1.reset();
    EXPECT_FALSE(QFile::exists(programDir + "/ivemba.swf"));

    writeFile(programDir + "/_ivemba.swf", readAll(":/VEMBASWF"));
    start(quietRegistry(), programDir);
    EXPECT_TRUE(form1->ShockwaveFlash1->hasMovie());
    EXPECT_FALSE(QFile::exists(programDir + "/ivemba.swf"));
    form1.reset();
    EXPECT_TRUE(QFile::exists(programDir + "/_ivemba.swf"));
}

} // namespace
