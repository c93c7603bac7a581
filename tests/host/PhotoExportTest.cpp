#include "host/PhotoExport.h"

#include "PixelTextSupport.h"
#include "ScriptedDialogs.h"
#include "host/Error.h"
#include "host/FileDialog.h"

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sys/resource.h>

namespace {

// What a JPEG file says about itself, read back with libjpeg.
struct JpegFacts {
    int width = 0;
    int height = 0;
    int components = 0;
    J_COLOR_SPACE colourSpace = JCS_UNKNOWN;
    bool jfif = false;
    bool progressive = false;
    bool baselineMarker = false; // SOF0
    std::array<std::array<UINT16, DCTSIZE2>, 2> tables{};
    QImage picture;
};

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    Decompressor() {
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
    }
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

JpegFacts readJpeg(const QByteArray& bytes) {
    JpegFacts facts;
    Decompressor d;
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.cinfo, TRUE);
    facts.width = static_cast<int>(d.cinfo.image_width);
    facts.height = static_cast<int>(d.cinfo.image_height);
    facts.components = d.cinfo.num_components;
    facts.colourSpace = d.cinfo.jpeg_color_space;
    facts.jfif = d.cinfo.saw_JFIF_marker;
    facts.progressive = d.cinfo.progressive_mode;
    facts.baselineMarker = bytes.contains(QByteArray("\xFF\xC0", 2));
    for (int t = 0; t < 2; ++t)
        if (d.cinfo.quant_tbl_ptrs[t])
            std::copy_n(d.cinfo.quant_tbl_ptrs[t]->quantval, DCTSIZE2, facts.tables[t].begin());
    d.cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.cinfo);
    facts.picture = QImage(facts.width, facts.height, QImage::Format_RGB888);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = facts.picture.scanLine(static_cast<int>(d.cinfo.output_scanline));
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d.cinfo);
    return facts;
}

// The tables libjpeg itself makes for quality 90.
std::array<std::array<UINT16, DCTSIZE2>, 2> libjpegQuality90() {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    std::array<std::array<UINT16, DCTSIZE2>, 2> tables{};
    for (int t = 0; t < 2; ++t)
        std::copy_n(cinfo.quant_tbl_ptrs[t]->quantval, DCTSIZE2, tables[t].begin());
    jpeg_destroy_compress(&cinfo);
    return tables;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Four flat quarters, so that JPEG's blur stays away from the points looked at.
std::uint32_t quarters(int x, int y) {
    if (x < 120)
        return y < 90 ? 0xFF0000 : 0x00FF00;
    return y < 90 ? 0x0000FF : 0xFFFF00;
}

class PhotoExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    void save(const QString& text) { host::PhotoExport(dialogs, saveDialog, nullptr).run(text); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    host::FileDialog saveDialog{host::FileDialog::Mode::Save, "JPG格式|*.JPG", 0, "jpg"};
};

TEST_F(PhotoExportTest, AsksWithTheJpegFilterAndAddsTheExtension) {
    dialogs.files = {path("photo")};
    save(pixelText(quarters));
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].filters, QStringList{"JPG格式 (*.JPG *.jpg)"});
    EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, "jpg");
    EXPECT_TRUE(QFile::exists(path("photo.jpg")));
    EXPECT_FALSE(QFile::exists(path("photo")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(PhotoExportTest, NextSaveStartsAtThePreviousName) {
    dialogs.files = {path("a.jpg"), path("b.JPG")};
    save(pixelText(quarters));
    save(pixelText(quarters));
    ASSERT_EQ(dialogs.saveRequests.size(), 2);
    EXPECT_TRUE(dialogs.saveRequests[0].startPath.isEmpty());
    EXPECT_EQ(dialogs.saveRequests[1].startPath, path("a.jpg"));
    EXPECT_TRUE(QFile::exists(path("b.JPG"))) << "a name with an extension is kept as typed";
}

TEST_F(PhotoExportTest, WritesBaselineJfifAtLibjpegQuality90) {
    dialogs.files = {path("p.jpg")};
    save(pixelText(quarters));
    const JpegFacts facts = readJpeg(readAll(path("p.jpg")));
    EXPECT_EQ(facts.width, 240);
    EXPECT_EQ(facts.height, 180);
    EXPECT_EQ(facts.components, 3);
    EXPECT_EQ(facts.colourSpace, JCS_YCbCr);
    EXPECT_TRUE(facts.jfif);
    EXPECT_FALSE(facts.progressive);
    EXPECT_TRUE(facts.baselineMarker);
    EXPECT_EQ(facts.tables, libjpegQuality90());
}

TEST_F(PhotoExportTest, ColoursAndPlacesSurviveTheRoundTrip) {
    dialogs.files = {path("p.jpg")};
    save(pixelText(quarters));
    const QImage p = readJpeg(readAll(path("p.jpg"))).picture;
    const struct {
        QPoint at;
        QColor colour;
    } probes[] = {{{10, 10}, Qt::red},      {{10, 170}, Qt::green}, {{230, 10}, Qt::blue},
                  {{230, 170}, Qt::yellow}, {{60, 45}, Qt::red},    {{180, 135}, Qt::yellow}};
    for (const auto& probe : probes) {
        const QColor got = p.pixelColor(probe.at);
        EXPECT_NEAR(got.red(), probe.colour.red(), 6) << probe.at.x() << "," << probe.at.y();
        EXPECT_NEAR(got.green(), probe.colour.green(), 6) << probe.at.x() << "," << probe.at.y();
        EXPECT_NEAR(got.blue(), probe.colour.blue(), 6) << probe.at.x() << "," << probe.at.y();
    }
}

TEST_F(PhotoExportTest, SmoothPictureStaysClose) {
    const auto smooth = [](int x, int y) {
        return (std::uint32_t(x) << 16) | (std::uint32_t(y) << 8) | std::uint32_t(255 - x);
    };
    dialogs.files = {path("p.jpg")};
    save(pixelText(smooth));
    const QImage p = readJpeg(readAll(path("p.jpg"))).picture;
    double total = 0;
    for (int x = 0; x < 240; ++x) {
        for (int y = 0; y < 180; ++y) {
            const QColor c = p.pixelColor(x, y);
            const std::uint32_t v = smooth(x, y);
            total += std::abs(c.red() - int(v >> 16 & 255)) +
                     std::abs(c.green() - int(v >> 8 & 255)) + std::abs(c.blue() - int(v & 255));
        }
    }
    EXPECT_LT(total / (240 * 180 * 3), 2.0);
}

TEST_F(PhotoExportTest, CancelWritesAndParsesNothing) {
    dialogs.files = {std::nullopt};
    save(QStringLiteral("-not-a-picture"));
    EXPECT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PhotoExportTest, WrongCountWritesNothingAndSaysSo) {
    for (int n : {43199, 43201}) {
        dialogs.files = {path("p.jpg")};
        dialogs.messages.clear();
        save(u'-' + QStringList(n, "0").join(u'-'));
        EXPECT_FALSE(QFile::exists(path("p.jpg")));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].contains(QString::number(n)));
    }
}

TEST_F(PhotoExportTest, BadValueLeavesTheOldFileAlone) {
    QFile old(path("p.jpg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old photo");
    old.close();
    QStringList values(43200, "0");
    values[43199] = "2147483648";
    dialogs.files = {path("p.jpg")};
    EXPECT_THROW(save(values.join(u'-')), host::Error);
    EXPECT_EQ(readAll(path("p.jpg")), "old photo");
}

TEST_F(PhotoExportTest, FolderThatIsAFileGivesCannotCreate) {
    QFile blocker(path("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    dialogs.files = {path("file/p.jpg")};
    try {
        save(pixelText(quarters));
        FAIL() << "no error";
    } catch (const host::Error& e) {
        const QString prefix = "Cannot create file \"" + path("file/p.jpg") + "\". ";
        EXPECT_TRUE(e.text().startsWith(prefix)) << e.text().toStdString();
        EXPECT_GT(e.text().size(), prefix.size()) << "the system's reason follows";
    }
}

// A disc that fills up mid-write: the file size limit makes the write fail part way.
TEST_F(PhotoExportTest, FailedWriteLeavesTheOldFileWhole) {
    const QByteArray oldBytes(4000, 'o');
    QFile old(path("p.jpg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(oldBytes);
    old.close();

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    dialogs.files = {path("p.jpg")};
    bool threw = false;
    try {
        save(pixelText(patternColour));
    } catch (const host::Error& e) {
        threw = e.text().startsWith("Cannot create file \"" + path("p.jpg") + "\". ");
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(threw);
    EXPECT_EQ(readAll(path("p.jpg")), oldBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.jpg"}) << "no leftovers";
}

TEST(FileDialogFilters, BothCasesOfEveryPattern) {
    EXPECT_EQ(
        host::qtNameFilters("PNG格式|*.PNG|JPG格式|*.JPG|GIF格式|*.GIF|全部|*.PNG;*.jpg;*.gif"),
        (QStringList{"PNG格式 (*.PNG *.png)", "JPG格式 (*.JPG *.jpg)", "GIF格式 (*.GIF *.gif)",
                     "全部 (*.PNG *.png *.jpg *.JPG *.gif *.GIF)"}));
}

TEST(FileDialogSuffix, AddedOnlyToBareNames) {
    EXPECT_EQ(host::withDefaultSuffix("/a/photo", "jpg"), "/a/photo.jpg");
    EXPECT_EQ(host::withDefaultSuffix("/a/photo.jpeg", "jpg"), "/a/photo.jpeg");
    EXPECT_EQ(host::withDefaultSuffix("/a.b/photo", "jpg"), "/a.b/photo.jpg");
    EXPECT_EQ(host::withDefaultSuffix("/a/photo", ""), "/a/photo");
}

} // namespace
