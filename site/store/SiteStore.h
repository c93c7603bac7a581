#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace site {

struct SiteOptions;

struct PhotoRecord {
    std::string name; // the photo's address below "/pics/"
    std::string title;
    std::string author;
    int photoType = 1;
    std::int64_t atMs = 0; // milliseconds since 1970
};

// Starts and captures of one local calendar day.
struct DayCounts {
    std::string day; // "YYYY-MM-DD"
    std::int64_t starts = 0;
    std::int64_t capturesSoft = 0; // desktop edition
    std::int64_t capturesIe = 0;   // browser edition
};

// A published border class: its name and the names (without ".gif") of its thumbnails.
struct PublishedClass {
    std::string name;
    std::vector<std::string> pics;
};

struct StorageUse {
    std::uint64_t photoBytes = 0;
    std::uint64_t uploadBytes = 0;
};

// Files by their path below a folder ("0/fish.png", "description.xml"), whole.
using NamedFiles = std::vector<std::pair<std::string, std::string>>;

// One publisher's exclusive hold on what the site has published: no other publisher, in
// this process or another, passes beginPublication() until this one is gone. Nothing it
// adds is named by the history before commitHistory(), the last step.
class Publication {
public:
    virtual ~Publication() = default;
    [[nodiscard]] virtual std::optional<std::string> history() = 0;
    [[nodiscard]] virtual bool hasPackage(const std::string& number) = 0;
    [[nodiscard]] virtual bool hasBorder(const std::string& className, const std::string& file) = 0;
    // The package's description and files, never changed again.
    virtual void addPackage(const std::string& number, const NamedFiles& files) = 0;
    // Throws when one of them was published meanwhile.
    virtual void addBorders(const std::string& className, const NamedFiles& files) = 0;
    virtual void commitHistory(const std::string& text) = 0;
};

// Everything the site keeps between requests: reports, photos with their JPEG, the browser
// edition's picture files, feedback, published packages and borders, and settings. Every
// route reaches what is kept through this alone, so that the site runs the same on one
// folder of its own or on a database server shared by several processes. Calls throw
// std::runtime_error when the store fails; names reaching it have been checked.
class SiteStore {
public:
    virtual ~SiteStore() = default;

    // A report answered "ok" is kept: these return once it is.
    virtual void addStart(std::int64_t atMs, const std::string& product) = 0;
    virtual void addCaptures(std::int64_t atMs, std::int64_t count, const std::string& edition) = 0;
    // Oldest day first; only days with a report.
    [[nodiscard]] virtual std::vector<DayCounts> days() = 0;
    [[nodiscard]] virtual std::int64_t startCount() = 0;
    [[nodiscard]] virtual std::int64_t captureSum(const std::string& edition) = 0;

    // Keeps a composed photo and its record (whose name is ignored) and returns the name it
    // is served under; nothing when the storage bound leaves no room even without the
    // browser edition's picture files, which go first, oldest first.
    [[nodiscard]] virtual std::optional<std::string> addPhoto(const PhotoRecord& photo,
                                                              const std::string& jpeg) = 0;
    [[nodiscard]] virtual std::optional<std::string> photo(std::string_view name) = 0;
    [[nodiscard]] virtual std::int64_t photoCount() = 0;
    // Newest first.
    [[nodiscard]] virtual std::vector<PhotoRecord> photos(std::int64_t offset,
                                                          std::int64_t limit) = 0;

    // A picture file of the browser edition, replacing one of that name; false, with
    // nothing removed, when it would not fit beside the photos.
    [[nodiscard]] virtual bool putUpload(const std::string& name, const std::string& bytes) = 0;
    [[nodiscard]] virtual std::optional<std::string> upload(const std::string& name) = 0;
    virtual void removeUpload(const std::string& name) = 0;
    // Oldest first.
    [[nodiscard]] virtual std::vector<std::string> uploadNames() = 0;
    [[nodiscard]] virtual StorageUse storageUse() = 0;

    virtual void addFeedback(std::int64_t atMs, const std::string& author,
                             const std::string& contact, const std::string& text) = 0;
    [[nodiscard]] virtual std::int64_t feedbackCount() = 0;

    // A file below "update/": the history ("BVHistory.xml") or a package's.
    [[nodiscard]] virtual std::optional<std::string> updateFile(std::string_view relative) = 0;
    // Classes by name, thumbnails by name.
    [[nodiscard]] virtual std::vector<PublishedClass> publishedClasses() = 0;
    // "class/file.png" of a published border.
    [[nodiscard]] virtual std::optional<std::string> publishedBorder(std::string_view relative) = 0;
    // Waits for any other publisher to finish.
    [[nodiscard]] virtual std::unique_ptr<Publication> beginPublication() = 0;

    [[nodiscard]] virtual std::optional<std::string> setting(const std::string& name) = 0;
    virtual void setSetting(const std::string& name, const std::string& value) = 0;
};

// The store `options` name: a PostgreSQL server for a database URL, else the data folder.
[[nodiscard]] std::unique_ptr<SiteStore> openStore(const SiteOptions& options);

} // namespace site
