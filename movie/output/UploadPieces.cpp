#include "movie/output/UploadPieces.h"

#include <QCoreApplication>
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
    const int percent = count > 0 ? 100 * index / count : 0;
    return QCoreApplication::translate("output", "处理图像中，请稍候 ... ...%1 %").arg(percent);
}

QString uploadSendingText() {
    return QCoreApplication::translate("output", "传送图像需要几秒钟，请稍候......");
}

} // namespace output
