#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace site {

// Everything the site keeps lives below one folder: the database, published packages and
// borders, uploaded picture files, composed photos. Names from requests reach the file
// system only through this class, which checks them first; every file is written beside
// its target and renamed into place, so a reader (or a restart after a crash) sees either
// the old file or the whole new one.
class DataFolder {
public:
    // Creates the folder and its sub-folders when missing; throws std::runtime_error when
    // that fails.
    explicit DataFolder(std::filesystem::path root);

    [[nodiscard]] const std::filesystem::path& root() const { return m_root; }
    [[nodiscard]] std::filesystem::path database() const { return m_root / "site.db"; }
    [[nodiscard]] std::filesystem::path photos() const { return m_root / "pics"; }
    [[nodiscard]] std::filesystem::path uploads() const { return m_root / "upload"; }
    [[nodiscard]] std::filesystem::path updates() const { return m_root / "update"; }
    [[nodiscard]] std::filesystem::path borders() const { return m_root / "borders"; }
    [[nodiscard]] std::filesystem::path history() const { return updates() / "BVHistory.xml"; }

    // One path segment that names an entry of its folder and nothing else: not empty, not
    // "." or "..", no "/", "\" or control character, valid UTF-8, at most 200 bytes, and
    // not one of the site's own temporary names (a leading ".").
    [[nodiscard]] static bool isSafeName(std::string_view name);
    // `folder` / each segment of `relative` ("a/b/c.png"), when every segment is safe.
    [[nodiscard]] static std::optional<std::filesystem::path>
    resolve(const std::filesystem::path& folder, std::string_view relative);

    // Writes `bytes` to `target` through a temporary file beside it (flushed to disk
    // before the rename). Throws std::runtime_error; the target is then untouched.
    static void writeReplacing(const std::filesystem::path& target, std::string_view bytes);
    // The same, but fails (returns false, nothing written) when `target` already exists.
    [[nodiscard]] static bool writeNew(const std::filesystem::path& target, std::string_view bytes);
    // A temporary path beside `target`, for callers that stream into it themselves.
    [[nodiscard]] static std::filesystem::path besideTemporary(const std::filesystem::path& target);
    // Flushes and renames a finished temporary into place (replacing).
    static void commit(const std::filesystem::path& temporary, const std::filesystem::path& target);

    // The whole file, or nothing when it cannot be read.
    [[nodiscard]] static std::optional<std::string> read(const std::filesystem::path& path);

private:
    std::filesystem::path m_root;
};

} // namespace site
