#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace site {

struct SiteOptions {
    std::string host = "127.0.0.1";
    int port = 8405; // 0: any free port
    std::filesystem::path data = "ivemba-site-data";
    // A postgresql:// URL: keep everything there instead of in the data folder, which then
    // only offers the banner, the downloads and the movie, when it has them.
    std::string database;
    // The movie bundle served as the browser edition; empty: "ivemba.swf" in the data
    // folder, else the bundle the build made.
    std::filesystem::path movie;
    // The program's border folder, served beside the movie.
    std::filesystem::path borders;
    // The version the version file names and its download page; when not given, what the
    // store keeps ("2" and this site's home page when it keeps nothing). Given ones are kept
    // for every process that shares the store.
    std::optional<std::string> version;
    std::optional<std::string> download;
    // Threads that run the routes; the connections themselves need none of their own.
    int threads = 8;
    bool log = true;
    // "pics/" and "upload/" together; past it the oldest picture files go, then uploads
    // are refused.
    std::uint64_t storageBytes = std::uint64_t{4096} * 1024 * 1024;
    // How long a client may take to send a whole header, and then its body.
    std::chrono::milliseconds headerTime{10'000};
    std::chrono::milliseconds bodyTime{60'000};
};

// `ivemba-site publish` arguments.
struct PublishOptions {
    std::filesystem::path data = "ivemba-site-data";
    std::string database;
    std::string note;
    std::string base = "http://127.0.0.1:8405";
    std::vector<std::filesystem::path> classFolders;
};

struct CommandLine {
    std::optional<SiteOptions> serve;
    std::optional<PublishOptions> publish;
    std::string error; // set when the arguments make no sense; the usage follows it
};

// Request threads: a report on a database server waits for its group's commit, so more
// of them wait at once there.
[[nodiscard]] int handlerThreads(const SiteOptions& options);

[[nodiscard]] CommandLine parseCommandLine(const std::vector<std::string>& args);
[[nodiscard]] const char* usageText();

} // namespace site
