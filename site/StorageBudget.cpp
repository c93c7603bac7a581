#include "site/StorageBudget.h"

#include <algorithm>
#include <vector>

namespace fs = std::filesystem;

namespace site {

namespace {

struct Found {
    fs::file_time_type time;
    std::string name;
    std::uint64_t size;
};

// The finished files of a folder; the site's own temporary files begin with ".".
std::vector<Found> filesOf(const fs::path& folder) {
    std::vector<Found> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".") || !entry.is_regular_file(error))
            continue;
        const auto size = entry.file_size(error);
        const auto time = entry.last_write_time(error);
        if (!error)
            found.push_back({time, name, size});
    }
    return found;
}

} // namespace

StorageBudget::StorageBudget(fs::path uploads, fs::path photos, std::uint64_t limit)
    : m_uploads(std::move(uploads)), m_limit(limit) {
    for (const Found& photo : filesOf(photos))
        m_photoBytes += photo.size;
    std::vector<Found> files = filesOf(m_uploads);
    std::sort(files.begin(), files.end(),
              [](const Found& a, const Found& b) { return a.time < b.time; });
    for (const Found& file : files) {
        m_files[file.name] = {file.size, m_nextOrder};
        m_byAge.emplace(m_nextOrder++, file.name);
        m_uploadBytes += file.size;
    }
}

bool StorageBudget::admitUpload(const std::string& name, std::uint64_t size) {
    const std::lock_guard lock(m_mutex);
    const auto old = m_files.find(name);
    const std::uint64_t replaced = old == m_files.end() ? 0 : old->second.size;
    if (m_photoBytes + size > m_limit)
        return false;
    if (!makeRoom(size > replaced ? size - replaced : 0, name))
        return false;
    if (old != m_files.end())
        drop(name);
    m_files[name] = {size, m_nextOrder};
    m_byAge.emplace(m_nextOrder++, name);
    m_uploadBytes += size;
    return true;
}

bool StorageBudget::admitPhoto(std::uint64_t size) {
    const std::lock_guard lock(m_mutex);
    if (m_photoBytes + size > m_limit || !makeRoom(size, {}))
        return false;
    m_photoBytes += size;
    return true;
}

void StorageBudget::forgetUpload(const std::string& name) {
    const std::lock_guard lock(m_mutex);
    drop(name);
}

void StorageBudget::forgetPhoto(std::uint64_t size) {
    const std::lock_guard lock(m_mutex);
    m_photoBytes -= std::min(size, m_photoBytes);
}

std::uint64_t StorageBudget::used() const {
    const std::lock_guard lock(m_mutex);
    return m_photoBytes + m_uploadBytes;
}

StorageUse StorageBudget::use() const {
    const std::lock_guard lock(m_mutex);
    return {m_photoBytes, m_uploadBytes};
}

std::vector<std::string> StorageBudget::uploadNames() const {
    const std::lock_guard lock(m_mutex);
    std::vector<std::string> names;
    for (const auto& [order, name] : m_byAge)
        names.push_back(name);
    return names;
}

bool StorageBudget::makeRoom(std::uint64_t size, const std::string& keep) {
    std::uint64_t kept = 0;
    if (const auto found = m_files.find(keep); found != m_files.end())
        kept = found->second.size;
    if (m_photoBytes + kept + size > m_limit)
        return false;
    auto oldest = m_byAge.begin();
    while (m_photoBytes + m_uploadBytes + size > m_limit && oldest != m_byAge.end()) {
        const std::string name = oldest->second;
        ++oldest;
        if (name == keep)
            continue;
        std::error_code error;
        fs::remove(m_uploads / name, error);
        drop(name);
    }
    return true;
}

void StorageBudget::drop(const std::string& name) {
    const auto found = m_files.find(name);
    if (found == m_files.end())
        return;
    m_uploadBytes -= std::min(found->second.size, m_uploadBytes);
    m_byAge.erase({found->second.order, name});
    m_files.erase(found);
}

} // namespace site
