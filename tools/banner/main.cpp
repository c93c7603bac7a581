// ivemba-banner <output file>: draws the demo advertisement banner and packs it as a
// picture-sequence movie bundle, the form of movie the player plays without code of its own.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <stdexcept>

namespace {

// The strip lies in the footer between the version text and the feedback link, so the
// banner, placed at the stage's corner, covers no control.
constexpr int kX = 92;
constexpr int kY = 573;
constexpr int kWidth = 232;
constexpr int kHeight = 20;
constexpr int kFps = 12;
constexpr int kShineFrames = 14; // the shine crosses the strip, then the strip rests
constexpr int kRestFrames = 22;

const QColor kInk(0x1f, 0x3b, 0x5e);
const QColor kAccent(0xff, 0x8a, 0x3d);
const QColor kAccentDark(0xe8, 0x67, 0x1a);

QFont font(double pixelSize, bool bold) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(int(pixelSize));
    f.setBold(bold);
    return f;
}

// `shine` in 0..1 is where the light band stands; negative draws none.
QImage frame(double shine) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    const QRectF pill(0.5, 1.5, kWidth - 1, kHeight - 3);
    QPainterPath shape;
    shape.addRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    QLinearGradient fill(0, pill.top(), 0, pill.bottom());
    fill.setColorAt(0, QColor(0xff, 0xf6, 0xee));
    fill.setColorAt(1, QColor(0xff, 0xe7, 0xd3));
    p.fillPath(shape, fill);
    p.setPen(QPen(QColor(0xf4, 0xb4, 0x86), 1));
    p.drawPath(shape);

    // The badge: an orange tag with "新" on it.
    const QRectF badge(3, 3.5, 30, kHeight - 7);
    QPainterPath tag;
    tag.addRoundedRect(badge, badge.height() / 2, badge.height() / 2);
    QLinearGradient tagFill(0, badge.top(), 0, badge.bottom());
    tagFill.setColorAt(0, kAccent);
    tagFill.setColorAt(1, kAccentDark);
    p.fillPath(tag, tagFill);
    p.setPen(Qt::white);
    p.setFont(font(10, true));
    p.drawText(badge, Qt::AlignCenter, QStringLiteral("新"));

    p.setPen(kInk);
    p.setFont(font(12, false));
    p.drawText(QRectF(38, 0, kWidth - 44, kHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("海洋世界边框上线啦"));
    p.setPen(kAccentDark);
    p.drawText(QRectF(38, 0, kWidth - 46, kHeight), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("去看看 »"));

    if (shine >= 0) {
        const double centre = -30 + shine * (kWidth + 60);
        QLinearGradient light(centre - 24, 0, centre + 24, 0);
        light.setColorAt(0, QColor(255, 255, 255, 0));
        light.setColorAt(0.5, QColor(255, 255, 255, 150));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        p.setClipPath(shape);
        p.fillRect(QRectF(0, 0, kWidth, kHeight), light);
    }
    return image;
}

void save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG"))
        throw std::runtime_error("cannot write " + path.toStdString());
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void build(const QString& output) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir(dir.path()).mkpath(QStringLiteral("frames")))
        throw std::runtime_error("no temporary folder");
    QStringList names;
    QByteArray qrc = "<RCC><qresource prefix=\"/\">\n<file>manifest.json</file>\n";
    for (int i = 0; i < kShineFrames; ++i) {
        const QString name = QStringLiteral("frames/%1.png").arg(i, 2, 10, QLatin1Char('0'));
        save(frame(double(i) / (kShineFrames - 1)), dir.filePath(name));
        names << name;
        qrc += "<file>" + name.toUtf8() + "</file>\n";
    }
    // The resting frames all show one picture.
    const QString rest = QStringLiteral("frames/rest.png");
    save(frame(-1), dir.filePath(rest));
    qrc += "<file>" + rest.toUtf8() + "</file>\n</qresource></RCC>\n";
    for (int i = 0; i < kRestFrames; ++i)
        names << rest;

    QByteArray manifest = "{\n    \"program\": \"picture-sequence\",\n"
                          "    \"stage\": { \"width\": 800, \"height\": 600 },\n"
                          "    \"fps\": " +
                          QByteArray::number(kFps) +
                          ",\n    \"sequence\": {\n"
                          "        \"x\": " +
                          QByteArray::number(kX) + ", \"y\": " + QByteArray::number(kY) +
                          ",\n        \"click\": \"/\",\n        \"frames\": [";
    for (int i = 0; i < names.size(); ++i)
        manifest += (i ? ", \"" : "\"") + names[i].toUtf8() + "\"";
    manifest += "]\n    }\n}\n";
    writeFile(dir.filePath(QStringLiteral("manifest.json")), manifest);
    writeFile(dir.filePath(QStringLiteral("banner.qrc")), qrc);

    QProcess rcc;
    rcc.setWorkingDirectory(dir.path());
    rcc.start(QStringLiteral(IVEMBA_RCC),
              {QStringLiteral("--binary"), QStringLiteral("--no-compress"), QStringLiteral("-o"),
               QFileInfo(output).absoluteFilePath(), QStringLiteral("banner.qrc")});
    if (!rcc.waitForFinished(60000) || rcc.exitCode() != 0)
        throw std::runtime_error("rcc failed: " + rcc.readAllStandardError().toStdString());
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: ivemba-banner <output file>\n";
        return 2;
    }
    const QString fontFile = QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");
    if (QFontDatabase::addApplicationFont(fontFile) < 0) {
        QTextStream(stderr) << "cannot load " << fontFile << "\n";
        return 1;
    }
    try {
        build(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& e) {
        QTextStream(stderr) << "ivemba-banner: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
