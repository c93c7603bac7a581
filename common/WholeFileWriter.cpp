#include "common/WholeFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

QString systemReason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Keeps the file descriptor and the temporary name until the write has been committed;
// an early return removes the temporary file.
class TemporaryFile {
public:
    explicit TemporaryFile(QByteArray pattern) : m_name(std::move(pattern)) {
        m_fd = ::mkstemp(m_name.data());
        m_created = m_fd >= 0;
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_created && !m_committed)
            ::unlink(m_name.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] int fd() const { return m_fd; }
    [[nodiscard]] const QByteArray& name() const { return m_name; }
    // Closes the descriptor; false with errno set when the close reports a failure.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    void committed() { m_committed = true; }

private:
    QByteArray m_name;
    int m_fd = -1;
    bool m_created = false;
    bool m_committed = false;
};

// The permissions a file made now would get: 0666 less the process's umask. The umask can
// only be read by setting it, which would race with files other threads create meanwhile,
// so it is read from the kernel's status file, and set-and-restored only where that fails.
mode_t newFileMode() {
    if (QFile status(QStringLiteral("/proc/self/status")); status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return 0666 & ~mode_t(mask);
            }
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

enum class Sync { ToDisc, Never };

// Writes every byte into the open temporary file and syncs it when asked; empty on success.
QString fill(TemporaryFile& temporary, const QByteArray& bytes, Sync sync) {
    // mkstemp makes the file private; the result gets the permissions a new file would.
    ::fchmod(temporary.fd(), newFileMode());
    for (qint64 done = 0; done < bytes.size();) {
        const ssize_t n = ::write(temporary.fd(), bytes.constData() + done,
                                  static_cast<size_t>(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemReason(errno);
        }
        if (n == 0)
            return systemReason(ENOSPC);
        done += n;
    }
    if (sync == Sync::ToDisc && ::fsync(temporary.fd()) != 0)
        return systemReason(errno);
    if (!temporary.close())
        return systemReason(errno);
    return {};
}

enum class Commit { Replace, OnlyIfMissing };

Status<> write(const QString& path, const QByteArray& bytes, Commit commit,
               Sync sync = Sync::ToDisc) {
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    TemporaryFile temporary(QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                              info.fileName() + QStringLiteral(".XXXXXX")));
    if (temporary.fd() < 0)
        return Failure{systemReason(errno)};
    if (QString failure = fill(temporary, bytes, sync); !failure.isEmpty())
        return Failure{std::move(failure)};
    if (commit == Commit::Replace) {
        if (::rename(temporary.name().constData(), target.constData()) != 0)
            return Failure{systemReason(errno)};
        temporary.committed();
        return {};
    }
    // A link never replaces: a file that appeared meanwhile wins. The temporary name goes
    // away with `temporary` either way.
    if (::link(temporary.name().constData(), target.constData()) != 0 && errno != EEXIST)
        return Failure{systemReason(errno)};
    return {};
}

} // namespace

Status<> writeWholeFile(const QString& path, const QByteArray& bytes) {
    return write(path, bytes, Commit::Replace);
}

Status<> writeScratchFile(const QString& path, const QByteArray& bytes) {
    return write(path, bytes, Commit::Replace, Sync::Never);
}

Status<> writeNewFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        return {};
    return write(path, bytes, Commit::OnlyIfMissing);
}

} // namespace common
