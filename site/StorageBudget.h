#pragma once

#include "site/store/SiteStore.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace site {

// The one bound on what visitors can make the site keep: composed photos ("pics/") and the
// browser edition's picture files ("upload/"), together. A picture file is a temporary copy
// that the movie reads back once, so when a new file would pass the bound the oldest of
// them go first; a composed photo is never removed, and once photos alone fill the bound a
// new file is refused.
class StorageBudget {
public:
    // Counts what both folders hold already; the oldest picture files are those written
    // first (by modification time).
    StorageBudget(std::filesystem::path uploads, std::filesystem::path photos, std::uint64_t limit);

    // Makes room for the picture file `name` of `size` bytes, replacing one of that name;
    // false, and nothing removed, when it would not fit even alone beside the photos.
    [[nodiscard]] bool admitUpload(const std::string& name, std::uint64_t size);
    // The same for a composed photo.
    [[nodiscard]] bool admitPhoto(std::uint64_t size);
    // The picture file `name` is gone (deleted, or its write failed).
    void forgetUpload(const std::string& name);
    // A photo admitted but not kept after all.
    void forgetPhoto(std::uint64_t size);

    [[nodiscard]] std::uint64_t used() const;
    [[nodiscard]] StorageUse use() const;
    // The picture files kept, oldest first.
    [[nodiscard]] std::vector<std::string> uploadNames() const;
    [[nodiscard]] std::uint64_t limit() const { return m_limit; }

private:
    // Removes the oldest picture files, other than `keep`, until `size` more bytes fit.
    bool makeRoom(std::uint64_t size, const std::string& keep);
    void drop(const std::string& name);

    struct Upload {
        std::uint64_t size = 0;
        std::uint64_t order = 0;
    };

    const std::filesystem::path m_uploads;
    const std::uint64_t m_limit;
    mutable std::mutex m_mutex;
    std::uint64_t m_photoBytes = 0;
    std::uint64_t m_uploadBytes = 0;
    std::uint64_t m_nextOrder = 0;
    std::map<std::string, Upload> m_files;
    std::set<std::pair<std::uint64_t, std::string>> m_byAge;
};

} // namespace site
