#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace site {

struct SiteOptions {
    std::string host = "127.0.0.1";
    int port = 8405; // 0: any free port
    std::filesystem::path data = "ivemba-site-data";
    // The movie bundle served as the browser edition; empty: "ivemba.swf" in the data
    // folder, else the bundle the build made.
    std::filesystem::path movie;
    // The program's border folder, served beside the movie.
    std::filesystem::path borders;
    std::string version = "2";
    // The download page the version file names; empty: this site's home page.
    std::string download;
    int threads = 64;
    bool log = true;
};

// `ivemba-site publish` arguments.
struct PublishOptions {
    std::filesystem::path data = "ivemba-site-data";
    std::string note;
    std::string base = "http://127.0.0.1:8405";
    std::vector<std::filesystem::path> classFolders;
};

struct CommandLine {
    std::optional<SiteOptions> serve;
    std::optional<PublishOptions> publish;
    std::string error; // set when the arguments make no sense; the usage follows it
};

[[nodiscard]] CommandLine parseCommandLine(const std::vector<std::string>& args);
[[nodiscard]] const char* usageText();

} // namespace site
