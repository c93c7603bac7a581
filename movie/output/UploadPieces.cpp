#include "movie/output/UploadPieces.h"

#include <algorithm>

namespace output {

int uploadPieceCount(qsizetype length) {
    return static_cast<int>(length / kUploadStep) + 1;
}

QStringView uploadPiece(const QString& text, int index, int count) {
    if (index < 1 || index > count)
        return {};
    const qsizetype start = std::min((index - 1) * kUploadStep + 1, text.size());
    const qsizetype end =
        index == count ? text.size() : std::min(index * kUploadStep + 1, text.size());
    return QStringView(text).mid(start, end - start);
}

QString uploadProgressText(int index, int count) {
    return QStringLiteral("处理图像中，请稍候 ... ...") + QString::number(100 * index / count) +
           QStringLiteral(" %");
}

} // namespace output
