#include "host/PhotoExport.h"

#include "host/Dialogs.h"
#include "host/FileDialog.h"
#include "host/FileWriter.h"
#include "host/JpegEncoder.h"
#include "host/PixelText.h"

#include <QCoreApplication>
#include <QString>

namespace host {

void PhotoExport::run(QStringView pixelText) {
    const std::optional<QString> path = m_saveDialog.execute(m_dialogs, m_owner);
    if (!path)
        return;
    const PixelText::Result parsed = PixelText::parse(pixelText);
    if (parsed.picture.isNull()) {
        // The user has chosen a name and would otherwise be left believing the photo saved.
        m_dialogs.message(m_owner, QCoreApplication::translate(
                                       "host", "照片数据不完整（%1 个像素值，应为 %2 个），"
                                               "文件未保存。")
                                       .arg(parsed.values)
                                       .arg(PixelText::kValues));
        return;
    }
    writeWholeFile(*path, encodeJpeg(parsed.picture, kQuality));
}

} // namespace host
