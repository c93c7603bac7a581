#include "TestFiles.h"
#include "common/TransferPolicy.h"
#include "common/WholeFileWriter.h"
#include "updates/CatalogueDocument.h"
#include "updates/ClassList.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace updates {
namespace {

using test::entriesOf;
using test::readFile;
using test::writeFile;

// Makes every write beyond `bytes` fail with EFBIG for this process, as a full disk would;
// unlike permissions this also stops a process running as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    [[nodiscard]] bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

TEST(AtomicSaveTest, FailedWriteLeavesThePreviousFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("borders.xml"));
    const QByteArray previous = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<borders/>";
    writeFile(path, previous);

    common::Result<ClassList> list = ClassList::load(path);
    ASSERT_TRUE(list.ok());
    for (int i = 0; i < 2000; ++i)
        list.value().root().append_child("class").append_attribute("name").set_value("long name");
    ASSERT_GT(list.value().toBytes().size(), 40000);

    common::Status<> status;
    {
        FileSizeLimit limit(8192);
        ASSERT_TRUE(limit.active());
        status = list.value().save(path);
    }
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.error().isEmpty());
    EXPECT_EQ(readFile(path), previous);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("borders.xml")}) << "no leftovers";

    ASSERT_TRUE(list.value().save(path).ok()) << "the same save succeeds without the limit";
    EXPECT_EQ(readFile(path), list.value().toBytes());
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("borders.xml")});
}

// A buffered writer keeps a small file in memory until its commit, whose last flush fails
// unseen: the truncated file then replaced the old one and the save reported success. The
// scratch writer skips only the wait for the disc, never this check.
TEST(AtomicSaveTest, SmallFileThatHitsTheSizeLimitIsAFailureNotATruncatedFile) {
    const struct {
        const char* name;
        common::Status<> (*write)(const QString&, const QByteArray&);
    } writers[] = {{"whole file", common::writeWholeFile},
                   {"scratch file", common::writeScratchFile}};
    for (const auto& writer : writers) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("borders.xml"));
        const QByteArray previous = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<borders/>";
        writeFile(path, previous);
        const QByteArray next(669, 'b');

        common::Status<> status;
        {
            FileSizeLimit limit(300);
            ASSERT_TRUE(limit.active());
            status = writer.write(path, next);
        }
        EXPECT_FALSE(status.ok()) << writer.name;
        EXPECT_EQ(readFile(path), previous) << writer.name;
        EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("borders.xml")})
            << writer.name << ": no leftovers";
        ASSERT_TRUE(writer.write(path, next).ok()) << writer.name << " without the limit";
        EXPECT_EQ(readFile(path), next) << writer.name;
    }
}

TEST(AtomicSaveTest, UnwritablePlaceIsAnErrorAndCreatesNothing) {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("file")), "x");
    // A catalogue's save names the file it could not write.
    const common::Status<> status = CatalogueDocument::withRoot("borders").save(
        dir.filePath(QStringLiteral("file/borders.xml")), CatalogueDocument::Layout::Indented);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.error().contains(QStringLiteral("file/borders.xml")));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("file"))), "x");

    QTemporaryDir dir2;
    writeFile(dir2.filePath(QStringLiteral("target/inside")), "kept");
    EXPECT_FALSE(common::writeWholeFile(dir2.filePath(QStringLiteral("target")), "data").ok());
    EXPECT_EQ(readFile(dir2.filePath(QStringLiteral("target/inside"))), "kept");
    EXPECT_EQ(entriesOf(dir2.path()), QStringList{QStringLiteral("target")});
}

// Both writes start from a private temporary file; what lands must have the permissions any
// new file of this process gets, or a border folder shared by a family's accounts turns
// unreadable to all but one of them.
TEST(AtomicSaveTest, WrittenFilesGetTheUmaskPermissionsNotThePrivateOnes) {
    QTemporaryDir dir;
    const mode_t saved = ::umask(027);
    const common::Status<> replaced = common::writeWholeFile(dir.filePath("borders.xml"), "<a/>");
    const common::Status<> created =
        common::writeNewFile(dir.filePath("BVHistory_local.xml"), "<b/>");
    ::umask(saved);
    ASSERT_TRUE(replaced.ok()) << replaced.error().toStdString();
    ASSERT_TRUE(created.ok()) << created.error().toStdString();
    for (const char* name : {"borders.xml", "BVHistory_local.xml"}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(name)).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << name;
    }
    EXPECT_EQ(readFile(dir.filePath("BVHistory_local.xml")), QByteArray("<b/>"));
}

TEST(AtomicSaveTest, WriteIfMissingKeepsTheFileThereAndLeavesNoTemporary) {
    QTemporaryDir dir;
    writeFile(dir.filePath("BVHistory_local.xml"), "edited by the user");
    ASSERT_TRUE(common::writeNewFile(dir.filePath("BVHistory_local.xml"), "template").ok());
    EXPECT_EQ(readFile(dir.filePath("BVHistory_local.xml")), QByteArray("edited by the user"));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"BVHistory_local.xml"});
}

TEST(AtomicSaveTest, OversizedCatalogueFileIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.xml"));
    writeFile(path, "<r/>");
    EXPECT_TRUE(common::readCappedFile(path, 4).ok());
    EXPECT_FALSE(common::readCappedFile(path, 3).ok());
}

} // namespace
} // namespace updates
