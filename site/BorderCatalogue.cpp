#include "site/BorderCatalogue.h"

#include "site/DataFolder.h"

#include <algorithm>
#include <pugixml.hpp>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace site {

namespace {

struct BorderClass {
    std::string name;
    std::string path;
    std::vector<std::string> pics;
};

void addPic(BorderClass& borderClass, const std::string& pic) {
    if (std::find(borderClass.pics.begin(), borderClass.pics.end(), pic) == borderClass.pics.end())
        borderClass.pics.push_back(pic);
}

// Class folders with at least one thumbnail, by name.
std::vector<BorderClass> scanFolder(const fs::path& folder) {
    std::vector<BorderClass> classes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory(error) || !DataFolder::isSafeName(name))
            continue;
        BorderClass borderClass{name, "borders/" + name + "/", {}};
        std::vector<std::string> pics;
        for (const auto& file : fs::directory_iterator(entry.path(), error))
            if (file.path().extension() == ".gif" && file.is_regular_file(error))
                pics.push_back(file.path().stem().string());
        std::sort(pics.begin(), pics.end());
        borderClass.pics = std::move(pics);
        if (!borderClass.pics.empty())
            classes.push_back(std::move(borderClass));
    }
    std::sort(classes.begin(), classes.end(),
              [](const BorderClass& a, const BorderClass& b) { return a.name < b.name; });
    return classes;
}

// The program's own class list keeps its menu order; without one, its folders by name.
std::vector<BorderClass> programClasses(const fs::path& folder) {
    pugi::xml_document document;
    if (!document.load_file((folder / "borders.xml").c_str()))
        return scanFolder(folder);
    std::vector<BorderClass> classes;
    for (pugi::xml_node node : document.document_element().children("class")) {
        BorderClass borderClass{node.attribute("name").value(), node.attribute("path").value(), {}};
        for (pugi::xml_node pic : node.children("pic"))
            addPic(borderClass, pic.text().get());
        classes.push_back(std::move(borderClass));
    }
    return classes;
}

} // namespace

BorderCatalogue::BorderCatalogue(fs::path programBorders, SiteStore& store)
    : m_program(std::move(programBorders)), m_store(store) {}

std::string BorderCatalogue::classList() const {
    std::vector<BorderClass> classes =
        m_program.empty() ? std::vector<BorderClass>{} : programClasses(m_program);
    for (PublishedClass& found : m_store.publishedClasses()) {
        BorderClass published{found.name, "borders/" + found.name + "/", std::move(found.pics)};
        auto same = std::find_if(classes.begin(), classes.end(),
                                 [&](const BorderClass& c) { return c.name == published.name; });
        if (same == classes.end()) {
            classes.push_back(std::move(published));
        } else {
            for (const std::string& pic : published.pics)
                addPic(*same, pic);
        }
    }

    pugi::xml_document document;
    pugi::xml_node root = document.append_child("tclass");
    for (const BorderClass& borderClass : classes) {
        pugi::xml_node node = root.append_child("class");
        node.append_attribute("name") = borderClass.name.c_str();
        node.append_attribute("path") = borderClass.path.c_str();
        for (const std::string& pic : borderClass.pics)
            node.append_child("pic").text() = pic.c_str();
    }
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

std::optional<std::string> BorderCatalogue::file(std::string_view relative) const {
    if (auto published = m_store.publishedBorder(relative))
        return published;
    if (m_program.empty())
        return std::nullopt;
    const auto path = DataFolder::resolve(m_program, relative);
    return path ? DataFolder::read(*path) : std::nullopt;
}

std::string BorderCatalogue::emptyHistory() {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<BorderVersions>\r\n\r\n"
           "</BorderVersions>\r\n";
}

} // namespace site
