#include "player/net/FileReference.h"

#include "common/WholeFileWriter.h"
#include "player/Services.h"
#include "player/Stage.h"

#include <QFileInfo>

namespace net {

FileReference::FileReference(player::Stage& stage, QObject* parent)
    : QObject(parent ? parent : &stage), m_stage(stage) {}

FileReference::~FileReference() {
    cancel();
}

void FileReference::cancel() {
    if (m_transfer)
        m_transfer->cancel();
    m_transfer = nullptr;
}

bool FileReference::browse(const QString& filter) {
    const QString chosen =
        m_stage.services().chooseFile ? m_stage.services().chooseFile(filter) : QString();
    if (chosen.isEmpty())
        return false;
    const QFileInfo info(chosen);
    if (!info.isFile()) {
        m_stage.trace(QStringLiteral("browse: not a file: ") + chosen);
        return false;
    }
    m_path = info.absoluteFilePath();
    m_name = info.fileName();
    m_size = info.size();
    return true;
}

void FileReference::upload(const QString& address) {
    cancel();
    Request request;
    request.address = address;
    request.kind = Request::Kind::PostFile;
    request.filePath = m_path;
    request.fileName = m_name;
    request.limits = Limits{kMaxAnswerBytes, 30000};
    follow(m_stage.services().network().start(std::move(request)), true);
}

void FileReference::download(const QString& address, const QString& defaultName) {
    cancel();
    const QString target = m_stage.services().chooseSaveFile
                               ? m_stage.services().chooseSaveFile(defaultName)
                               : QString();
    if (target.isEmpty()) {
        emit cancelled();
        return;
    }
    m_saveTo = target;
    follow(m_stage.services().network().get(address, Limits{kMaxDownloadBytes, 30000}), false);
}

void FileReference::follow(Transfer* transfer, bool upload) {
    m_transfer = transfer;
    connect(transfer, &Transfer::opened, this, &FileReference::opened);
    if (upload)
        connect(transfer, &Transfer::uploadProgress, this, &FileReference::progress);
    else
        connect(transfer, &Transfer::progress, this, &FileReference::progress);
    connect(transfer, &Transfer::failed, this, [this](const QString& reason) {
        m_transfer = nullptr;
        m_stage.trace(QStringLiteral("file transfer failed: ") + reason);
        emit failed(reason);
    });
    connect(transfer, &Transfer::finished, this, [this, upload](const QByteArray& body) {
        m_transfer = nullptr;
        if (!upload) {
            if (const common::Status<> written = common::writeWholeFile(m_saveTo, body); !written) {
                m_stage.trace(QStringLiteral("download: cannot write ") + m_saveTo +
                              QStringLiteral(": ") + written.error());
                emit failed(written.error());
                return;
            }
        }
        emit completed();
    });
}

} // namespace net
