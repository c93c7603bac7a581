#pragma once

#include "site/store/SiteStore.h"

#include <filesystem>
#include <string>
#include <vector>

namespace site {

// Publishes border packages: each package gets the next border version number, a place of
// its own below "update/" with its description and files (never touched again), its
// borders are added to the published classes, and the history gains its entry last, so
// the history never names a package that is not complete. One publisher at a time, in
// whichever process.
class Publisher {
public:
    Publisher(SiteStore& store, std::string siteBase);

    // Publishes the PNG + GIF pairs of each class folder (the folder's name is the class's
    // name) with `note` as its one-line description, and returns the new number. Throws
    // std::runtime_error with the reason, having changed nothing the site serves, when a
    // folder is missing or empty, a border lacks its other half, a file name is not plain
    // ASCII, or a border of that name was already published in that class.
    std::string publish(const std::string& note, const std::vector<std::filesystem::path>& folders);

private:
    SiteStore& m_store;
    std::string m_base;
};

} // namespace site
