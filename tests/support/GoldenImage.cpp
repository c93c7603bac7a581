#include "support/GoldenImage.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

namespace testsupport {

double differingShare(const QImage& actual, const QImage& expected, int channelTolerance) {
    if (actual.size() != expected.size() || actual.isNull())
        return 1.0;
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = rowA[x];
            const QRgb q = rowB[x];
            if (std::abs(qRed(p) - qRed(q)) > channelTolerance ||
                std::abs(qGreen(p) - qGreen(q)) > channelTolerance ||
                std::abs(qBlue(p) - qBlue(q)) > channelTolerance ||
                std::abs(qAlpha(p) - qAlpha(q)) > channelTolerance)
                ++differing;
        }
    }
    return double(differing) / (double(a.width()) * a.height());
}

double psnr(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size() || actual.isNull())
        return 0.0;
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    double squared = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int dr = qRed(rowA[x]) - qRed(rowB[x]);
            const int dg = qGreen(rowA[x]) - qGreen(rowB[x]);
            const int db = qBlue(rowA[x]) - qBlue(rowB[x]);
            squared += dr * dr + dg * dg + db * db;
        }
    }
    const double mean = squared / (3.0 * a.width() * a.height());
    if (mean == 0)
        return std::numeric_limits<double>::infinity();
    return 10.0 * std::log10(255.0 * 255.0 / mean);
}

bool matchesGolden(const QImage& actual, const QString& golden, int channelTolerance,
                   double allowedShare) {
    const QString goldenPath = QDir(QStringLiteral(IVEMBA_GOLDEN_DIR)).filePath(golden);
    if (qEnvironmentVariableIsSet("IVEMBA_UPDATE_GOLDEN"))
        return actual.save(goldenPath);
    const QImage expected(goldenPath);
    const bool same =
        !expected.isNull() && differingShare(actual, expected, channelTolerance) <= allowedShare;
    if (!same) {
        // Beside the other test output, never into the source tree.
        const QString actualPath =
            QDir::temp().filePath(QFileInfo(golden).completeBaseName() + ".actual.png");
        actual.save(actualPath);
        ADD_FAILURE() << "differs from " << goldenPath.toStdString() << " beyond "
                      << allowedShare * 100 << " %; the picture made is "
                      << actualPath.toStdString();
    }
    return same;
}

} // namespace testsupport
