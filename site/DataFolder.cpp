#include "site/DataFolder.h"

#include "site/Utf.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace site {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    [[nodiscard]] int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

[[noreturn]] void fail(const std::string& what, const fs::path& path) {
    throw std::runtime_error(what + " " + path.string() + ": " + std::strerror(errno));
}

void writeTemporary(const fs::path& temporary, std::string_view bytes) {
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0)
        fail("cannot create", temporary);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::unlink(temporary.c_str());
            fail("cannot write", temporary);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0 || ::close(fd.release()) != 0) {
        ::unlink(temporary.c_str());
        fail("cannot flush", temporary);
    }
}

} // namespace

DataFolder::DataFolder(fs::path root) : m_root(std::move(root)) {
    std::error_code error;
    for (const fs::path& folder : {m_root, photos(), uploads(), updates(), borders()}) {
        fs::create_directories(folder, error);
        if (!fs::is_directory(folder))
            throw std::runtime_error("cannot create the folder " + folder.string());
    }
    // A write that was cut short (the process killed between write and rename) leaves its
    // temporary; the request was never answered, so nothing refers to it.
    for (const fs::path& folder : {photos(), uploads()})
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(".") && name.find(".tmp-") != std::string::npos)
                fs::remove(entry.path(), error);
        }
}

bool DataFolder::isSafeName(std::string_view name) {
    if (name.empty() || name.size() > 200 || name == "." || name == ".." || name[0] == '.')
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\')
            return false;
    return isValidUtf8(name);
}

std::optional<fs::path> DataFolder::resolve(const fs::path& folder, std::string_view relative) {
    fs::path path = folder;
    if (relative.empty())
        return std::nullopt;
    while (true) {
        const std::size_t slash = relative.find('/');
        const std::string_view segment = relative.substr(0, slash);
        if (!isSafeName(segment))
            return std::nullopt;
        path /= std::string(segment);
        if (slash == std::string_view::npos)
            return path;
        relative = relative.substr(slash + 1);
    }
}

fs::path DataFolder::besideTemporary(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return target.parent_path() /
           ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
            std::to_string(counter.fetch_add(1)));
}

void DataFolder::commit(const fs::path& temporary, const fs::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        fail("cannot rename into", target);
    }
}

void DataFolder::writeReplacing(const fs::path& target, std::string_view bytes) {
    const fs::path temporary = besideTemporary(target);
    writeTemporary(temporary, bytes);
    commit(temporary, target);
}

bool DataFolder::writeNew(const fs::path& target, std::string_view bytes) {
    const fs::path temporary = besideTemporary(target);
    writeTemporary(temporary, bytes);
    // A hard link refuses an existing target, which rename would silently replace.
    const int linked = ::link(temporary.c_str(), target.c_str());
    const int saved = errno;
    ::unlink(temporary.c_str());
    if (linked != 0) {
        errno = saved;
        if (saved == EEXIST)
            return false;
        fail("cannot place", target);
    }
    return true;
}

std::optional<std::string> DataFolder::read(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace site
