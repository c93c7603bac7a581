#pragma once

#include "player/net/Transfer.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace player {
class Stage;
}

namespace net {

// One local file as the movie's file reference sees it: chosen by the user, uploaded to a
// web address as a form's file upload, or a web address downloaded into a file the user
// names. Every dialog goes through the stage's services.
class FileReference : public QObject {
    Q_OBJECT
public:
    // Largest answer to an upload, and largest file a download saves.
    static constexpr qint64 kMaxAnswerBytes = 1024 * 1024;
    static constexpr qint64 kMaxDownloadBytes = 64LL * 1024 * 1024;

    explicit FileReference(player::Stage& stage, QObject* parent = nullptr);
    ~FileReference() override;

    // Asks the user for one file; true when one was chosen (name, size and path are then
    // those of the file). `filter` is a dialog filter, "Images (*.jpg *.png)".
    bool browse(const QString& filter);
    [[nodiscard]] QString name() const { return m_name; }
    [[nodiscard]] qint64 size() const { return m_size; }
    [[nodiscard]] QString path() const { return m_path; }

    // Sends the chosen file to `address` as a multipart form upload.
    void upload(const QString& address);
    // Asks where to save `address`, offering `defaultName`, and downloads it there. The
    // file appears only once it is complete.
    void download(const QString& address, const QString& defaultName);
    void cancel();

signals:
    void opened();
    void progress(qint64 done, qint64 total);
    void completed();
    // The user closed the save dialog without a name: nothing was requested.
    void cancelled();
    void failed(const QString& reason);

private:
    void follow(Transfer* transfer, bool upload);

    player::Stage& m_stage;
    QString m_name;
    QString m_path;
    qint64 m_size = 0;
    QString m_saveTo;
    QPointer<Transfer> m_transfer;
};

} // namespace net
