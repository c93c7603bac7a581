#include "site/store/FolderStore.h"

#include <algorithm>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace site {

namespace {

// Class folders with at least one thumbnail, by name.
std::vector<PublishedClass> scanClasses(const fs::path& folder) {
    std::vector<PublishedClass> classes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory(error) || !DataFolder::isSafeName(name))
            continue;
        PublishedClass found{name, {}};
        for (const auto& file : fs::directory_iterator(entry.path(), error))
            if (file.path().extension() == ".gif" && file.is_regular_file(error))
                found.pics.push_back(file.path().stem().string());
        std::sort(found.pics.begin(), found.pics.end());
        if (!found.pics.empty())
            classes.push_back(std::move(found));
    }
    std::sort(classes.begin(), classes.end(),
              [](const PublishedClass& a, const PublishedClass& b) { return a.name < b.name; });
    return classes;
}

std::optional<std::string> readBelow(const fs::path& folder, std::string_view relative) {
    const auto path = DataFolder::resolve(folder, relative);
    return path ? DataFolder::read(*path) : std::nullopt;
}

// The folder's publisher: a file lock, each package laid out in a folder of its own and
// renamed into place whole, the history replaced last.
class FolderPublication final : public Publication {
public:
    explicit FolderPublication(const DataFolder& data) : m_data(data) {
        const fs::path lock = m_data.updates() / ".publish.lock";
        m_fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0 || ::flock(m_fd, LOCK_EX) != 0) {
            if (m_fd >= 0)
                ::close(m_fd);
            throw std::runtime_error("cannot lock " + lock.string());
        }
    }
    ~FolderPublication() override { ::close(m_fd); }
    FolderPublication(const FolderPublication&) = delete;
    FolderPublication& operator=(const FolderPublication&) = delete;

    std::optional<std::string> history() override { return DataFolder::read(m_data.history()); }
    bool hasPackage(const std::string& number) override {
        std::error_code error;
        return fs::exists(m_data.updates() / number, error);
    }
    bool hasBorder(const std::string& className, const std::string& file) override {
        std::error_code error;
        return fs::exists(m_data.borders() / className / file, error);
    }
    void addPackage(const std::string& number, const NamedFiles& files) override {
        const fs::path staging = m_data.updates() / (".staging-" + number);
        std::error_code error;
        fs::remove_all(staging, error);
        for (const auto& [relative, bytes] : files) {
            const fs::path target = staging / relative;
            fs::create_directories(target.parent_path());
            DataFolder::writeReplacing(target, bytes);
        }
        fs::rename(staging, m_data.updates() / number);
    }
    void addBorders(const std::string& className, const NamedFiles& files) override {
        const fs::path target = m_data.borders() / className;
        fs::create_directories(target);
        for (const auto& [name, bytes] : files)
            if (!DataFolder::writeNew(target / name, bytes))
                throw std::runtime_error("the border " + name + " appeared in the class " +
                                         className + " while publishing");
    }
    void commitHistory(const std::string& text) override {
        DataFolder::writeReplacing(m_data.history(), text);
    }

private:
    const DataFolder& m_data;
    int m_fd = -1;
};

} // namespace

FolderStore::FolderStore(const fs::path& root, std::uint64_t storageBytes)
    : m_data(root), m_database(m_data.database()),
      m_storage(m_data.uploads(), m_data.photos(), storageBytes) {}

void FolderStore::addStart(std::int64_t atMs, const std::string& product) {
    m_database.addStart(atMs, product);
}

void FolderStore::addCaptures(std::int64_t atMs, std::int64_t count, const std::string& edition) {
    m_database.addCaptures(atMs, count, edition);
}

std::vector<DayCounts> FolderStore::days() {
    return m_database.days();
}

std::int64_t FolderStore::startCount() {
    return m_database.startCount();
}

std::int64_t FolderStore::captureSum(const std::string& edition) {
    return m_database.captureSum(edition);
}

std::optional<std::string> FolderStore::addPhoto(const PhotoRecord& photo,
                                                 const std::string& jpeg) {
    if (!m_storage.admitPhoto(jpeg.size()))
        return std::nullopt;
    std::string name;
    try {
        for (int attempt = 0;; ++attempt) {
            name = std::to_string(photo.atMs) + "_" + std::to_string(m_photoSequence.fetch_add(1)) +
                   ".jpg";
            if (DataFolder::writeNew(m_data.photos() / name, jpeg))
                break;
            if (attempt > 100)
                throw std::runtime_error("no free name for a photo");
        }
    } catch (...) {
        m_storage.forgetPhoto(jpeg.size());
        throw;
    }
    try {
        PhotoRecord named = photo;
        named.name = name;
        m_database.addPhoto(named);
    } catch (...) {
        std::error_code error;
        fs::remove(m_data.photos() / name, error);
        m_storage.forgetPhoto(jpeg.size());
        throw;
    }
    return name;
}

std::optional<std::string> FolderStore::photo(std::string_view name) {
    return readBelow(m_data.photos(), name);
}

std::int64_t FolderStore::photoCount() {
    return m_database.photoCount();
}

std::vector<PhotoRecord> FolderStore::photos(std::int64_t offset, std::int64_t limit) {
    return m_database.photos(offset, limit);
}

bool FolderStore::putUpload(const std::string& name, const std::string& bytes) {
    if (!m_storage.admitUpload(name, bytes.size()))
        return false;
    try {
        DataFolder::writeReplacing(m_data.uploads() / name, bytes);
    } catch (...) {
        m_storage.forgetUpload(name);
        throw;
    }
    return true;
}

std::optional<std::string> FolderStore::upload(const std::string& name) {
    return readBelow(m_data.uploads(), name);
}

void FolderStore::removeUpload(const std::string& name) {
    std::error_code error;
    fs::remove(m_data.uploads() / name, error);
    m_storage.forgetUpload(name);
}

std::vector<std::string> FolderStore::uploadNames() {
    return m_storage.uploadNames();
}

StorageUse FolderStore::storageUse() {
    return m_storage.use();
}

void FolderStore::addFeedback(std::int64_t atMs, const std::string& author,
                              const std::string& contact, const std::string& text) {
    m_database.addFeedback(atMs, author, contact, text);
}

std::int64_t FolderStore::feedbackCount() {
    return m_database.feedbackCount();
}

std::optional<std::string> FolderStore::updateFile(std::string_view relative) {
    return readBelow(m_data.updates(), relative);
}

std::vector<PublishedClass> FolderStore::publishedClasses() {
    return scanClasses(m_data.borders());
}

std::optional<std::string> FolderStore::publishedBorder(std::string_view relative) {
    return readBelow(m_data.borders(), relative);
}

std::unique_ptr<Publication> FolderStore::beginPublication() {
    return std::make_unique<FolderPublication>(m_data);
}

std::optional<std::string> FolderStore::setting(const std::string& name) {
    const std::scoped_lock lock(m_settingsMutex);
    const auto found = m_settings.find(name);
    return found == m_settings.end() ? std::nullopt : std::optional(found->second);
}

void FolderStore::setSetting(const std::string& name, const std::string& value) {
    const std::scoped_lock lock(m_settingsMutex);
    m_settings[name] = value;
}

} // namespace site
