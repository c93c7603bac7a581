#pragma once

#include "site/store/SiteStore.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace site {

// The border files the site offers: the program's own border folder (what the browser
// edition shows out of the box) and the borders of every published package, gathered by
// class in the store.
class BorderCatalogue {
public:
    BorderCatalogue(std::filesystem::path programBorders, SiteStore& store);

    // The class list of both, in the format the movie reads: declaration, line break, root
    // element, and no white space between elements (the movie counts text nodes as
    // positions). The program's classes come first in its own order, published classes
    // after them; a published class of the same name extends the program's.
    [[nodiscard]] std::string classList() const;

    // The file for "borders/<relative>" below the movie, published borders first (a
    // package can replace nothing, so the two never disagree); nothing for an unsafe or
    // unknown name.
    [[nodiscard]] std::optional<std::string> file(std::string_view relative) const;

    // A published history with no package yet.
    [[nodiscard]] static std::string emptyHistory();

private:
    std::filesystem::path m_program;
    SiteStore& m_store;
};

} // namespace site
