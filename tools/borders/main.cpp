// Paints the borders shipped with the program into resources/borders/<class>/ (a 240x180
// PNG frame and a GIF thumbnail per border) and rebuilds resources/borders/borders.xml.
// Usage: ivemba-border-gen [output folder]

#include "Designs.h"
#include "GifWriter.h"
#include "Ornaments.h"
#include "Quantizer.h"
#include "common/WholeFileWriter.h"
#include "updates/ClassList.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int kThumbWidth = 110;
constexpr int kThumbHeight = 82;

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

QImage paintBorder(const borders::BorderDesign& design) {
    QImage picture(borders::kWidth, borders::kHeight, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    design.paint(painter);
    painter.end();
    return picture.convertToFormat(QImage::Format_ARGB32);
}

// Share of fully transparent pixels in the middle half of the picture: the photo must show.
double clearMiddle(const QImage& picture) {
    int clear = 0, total = 0;
    for (int y = picture.height() / 4; y < picture.height() * 3 / 4; ++y) {
        for (int x = picture.width() / 4; x < picture.width() * 3 / 4; ++x) {
            ++total;
            if (qAlpha(picture.pixel(x, y)) == 0)
                ++clear;
        }
    }
    return static_cast<double>(clear) / total;
}

// The thumbnail is opaque (GIF has no partial transparency), so the frame is drawn over a
// light checker that shows where the photo will be.
QImage makeThumbnail(const QImage& border) {
    QImage thumb(kThumbWidth, kThumbHeight, QImage::Format_RGB32);
    QPainter painter(&thumb);
    for (int y = 0; y < kThumbHeight; y += 6) {
        for (int x = 0; x < kThumbWidth; x += 6) {
            const bool dark = ((x / 6) + (y / 6)) % 2;
            painter.fillRect(x, y, 6, 6, dark ? QColor(232, 236, 242) : QColor(250, 251, 253));
        }
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        QRect(0, 0, kThumbWidth, kThumbHeight),
        border.scaled(kThumbWidth, kThumbHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return thumb;
}

QByteArray pngBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture))
        return {};
    return bytes;
}

// The GIF must decode, with Qt's own reader, to exactly the quantised picture.
bool decodesExactly(const QByteArray& gif, const borders::IndexedPicture& expected) {
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    const QImage decoded = reader.read().convertToFormat(QImage::Format_RGB32);
    if (decoded.width() != expected.width || decoded.height() != expected.height)
        return false;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const QRgb want =
                expected.palette[expected.indices[static_cast<size_t>(y * expected.width + x)]];
            if ((decoded.pixel(x, y) & 0xffffff) != (want & 0xffffff))
                return false;
        }
    }
    return true;
}

bool writeClass(const QDir& root, const borders::ClassDesign& design) {
    if (!root.mkpath(design.name)) {
        err() << "cannot create " << root.filePath(design.name) << Qt::endl;
        return false;
    }
    QDir folder(root.filePath(design.name));
    for (const QString& old :
         folder.entryList({QStringLiteral("*.gif"), QStringLiteral("*.png")}, QDir::Files))
        folder.remove(old);

    for (const borders::BorderDesign& border : design.borders) {
        const QImage picture = paintBorder(border);
        const double clear = clearMiddle(picture);
        if (clear < 0.9) {
            err() << design.name << "/" << border.baseName << ": middle only " << clear * 100
                  << "% transparent" << Qt::endl;
            return false;
        }
        const borders::IndexedPicture indexed = borders::quantize(makeThumbnail(picture));
        const QByteArray gif = borders::encodeGif(indexed);
        if (!decodesExactly(gif, indexed)) {
            err() << design.name << "/" << border.baseName << ": GIF does not decode" << Qt::endl;
            return false;
        }
        const QByteArray png = pngBytes(picture);
        for (const auto& [suffix, bytes] : {std::pair{".png", png}, std::pair{".gif", gif}}) {
            const QString path = folder.filePath(border.baseName + QLatin1String(suffix));
            if (const common::Status<> status = common::writeWholeFile(path, bytes); !status) {
                err() << "cannot write " << path << ": " << status.error() << Qt::endl;
                return false;
            }
        }
        err() << design.name << "/" << border.baseName << ": " << png.size() << " + " << gif.size()
              << " bytes, middle " << qRound(clear * 100) << "% clear" << Qt::endl;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QFontDatabase::addApplicationFont(
        QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"));
    if (!QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei"))) {
        err() << "the font WenQuanYi Micro Hei is needed for the border captions" << Qt::endl;
        return 1;
    }

    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(IVEMBA_BORDERS_DIR);
    QDir root;
    if (!root.mkpath(output)) {
        err() << "cannot create " << output << Qt::endl;
        return 1;
    }
    root.setPath(output);
    for (const borders::ClassDesign& design :
         {borders::festiveClass(), borders::cartoonClass(), borders::natureClass()}) {
        if (!writeClass(root, design))
            return 1;
    }
    if (const common::Status<> status = updates::rebuildClassListFile(root.path()); !status) {
        err() << status.error() << Qt::endl;
        return 1;
    }
    err() << "class list: " << root.filePath(QStringLiteral("borders.xml")) << Qt::endl;
    return 0;
}
