#include "site/Publisher.h"

#include "site/BorderCatalogue.h"
#include "site/DataFolder.h"
#include "site/Utf.h"

#include <algorithm>
#include <charconv>
#include <pugixml.hpp>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace site {

namespace {

struct PackageClass {
    std::string name;
    std::vector<fs::path> files; // .gif and .png of every border, by name
};

// File names travel in the package's addresses and become file names again on the
// program's side, so they stay within what needs no escaping.
bool isPlainFileName(const std::string& name) {
    if (!DataFolder::isSafeName(name))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

PackageClass readClass(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw std::runtime_error(folder.string() + " is not a folder");
    PackageClass result{fs::absolute(folder).lexically_normal().filename().string(), {}};
    if (result.name.empty())
        result.name = fs::absolute(folder).lexically_normal().parent_path().filename().string();
    if (!DataFolder::isSafeName(result.name))
        throw std::runtime_error("the class name " + result.name + " cannot be a folder name");
    std::vector<std::string> gifs, pngs;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = entry.path().filename().string();
        const std::string extension = entry.path().extension().string();
        if (extension != ".gif" && extension != ".png")
            continue;
        if (!isPlainFileName(name))
            throw std::runtime_error("the file name " + name +
                                     " is not plain ASCII letters, digits, '_', '-' and '.'");
        (extension == ".gif" ? gifs : pngs).push_back(entry.path().stem().string());
    }
    std::sort(gifs.begin(), gifs.end());
    std::sort(pngs.begin(), pngs.end());
    if (gifs != pngs)
        throw std::runtime_error("in " + folder.string() +
                                 " every border needs both its .gif and its .png");
    if (gifs.empty())
        throw std::runtime_error(folder.string() + " holds no border");
    for (const std::string& stem : gifs) {
        result.files.push_back(folder / (stem + ".gif"));
        result.files.push_back(folder / (stem + ".png"));
    }
    return result;
}

std::string copyOf(const fs::path& file) {
    auto bytes = DataFolder::read(file);
    if (!bytes)
        throw std::runtime_error("cannot read " + file.string());
    return *bytes;
}

std::string xmlText(const pugi::xml_document& document) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
    document.save(out, "\t", pugi::format_indent | pugi::format_no_declaration,
                  pugi::encoding_utf8);
    return out.str();
}

// A note is one line of text in an XML attribute that strict parsers must read: valid
// UTF-8, and none of the control characters (C0, DEL, C1) or non-characters XML forbids.
void checkNote(const std::string& note) {
    if (!isValidUtf8(note))
        throw std::runtime_error("the note is not valid UTF-8");
    const auto* bytes = reinterpret_cast<const unsigned char*>(note.data());
    for (std::size_t i = 0; i < note.size(); ++i) {
        const bool c0 = bytes[i] < 0x20 || bytes[i] == 0x7F;
        const bool c1 = bytes[i] == 0xC2 && i + 1 < note.size() && bytes[i + 1] < 0xA0;
        const bool nonCharacter =
            bytes[i] == 0xEF && i + 2 < note.size() && bytes[i + 1] == 0xBF && bytes[i + 2] >= 0xBE;
        if (c0 || c1 || nonCharacter)
            throw std::runtime_error("the note holds a control character");
    }
}

} // namespace

Publisher::Publisher(SiteStore& store, std::string siteBase)
    : m_store(store), m_base(std::move(siteBase)) {}

std::string Publisher::publish(const std::string& note, const std::vector<fs::path>& folders) {
    checkNote(note);
    std::vector<PackageClass> classes;
    for (const fs::path& folder : folders)
        classes.push_back(readClass(folder));

    // Only one publisher at a time may pick the next number.
    const std::unique_ptr<Publication> publication = m_store.beginPublication();
    pugi::xml_document history;
    const auto existing = publication->history();
    const std::string historyText = existing ? *existing : BorderCatalogue::emptyHistory();
    if (!history.load_string(historyText.c_str()) || !history.document_element())
        throw std::runtime_error("the published history cannot be read");

    long highest = 0;
    for (pugi::xml_node entry : history.document_element().children()) {
        const std::string number = entry.attribute("BVNum").value();
        long value = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc() && end == number.data() + number.size())
            highest = std::max(highest, value);
    }
    long next = highest + 1;
    while (publication->hasPackage(std::to_string(next)))
        ++next;
    const std::string number = std::to_string(next);

    for (const PackageClass& packageClass : classes)
        for (const fs::path& file : packageClass.files)
            if (publication->hasBorder(packageClass.name, file.filename().string()))
                throw std::runtime_error("the border " + file.filename().string() +
                                         " was already published in the class " +
                                         packageClass.name);

    NamedFiles package;
    pugi::xml_document description;
    pugi::xml_node root = description.append_child("BorderPackage");
    root.append_attribute("BVNum") = number.c_str();
    for (std::size_t k = 0; k < classes.size(); ++k) {
        pugi::xml_node classNode = root.append_child("class");
        classNode.append_attribute("name") = classes[k].name.c_str();
        for (const fs::path& file : classes[k].files) {
            const std::string name = file.filename().string();
            package.emplace_back(std::to_string(k) + "/" + name, copyOf(file));
            const std::string url =
                m_base + "/iVemba/update/" + number + "/" + std::to_string(k) + "/" + name;
            classNode.append_child("file").text() = url.c_str();
        }
    }
    package.emplace_back("description.xml", xmlText(description));
    publication->addPackage(number, package);

    for (const PackageClass& packageClass : classes) {
        NamedFiles borders;
        for (const fs::path& file : packageClass.files)
            borders.emplace_back(file.filename().string(), copyOf(file));
        publication->addBorders(packageClass.name, borders);
    }

    pugi::xml_node entry = history.document_element().append_child("Border");
    entry.append_attribute("BVNum") = number.c_str();
    entry.append_attribute("URL") =
        (m_base + "/iVemba/update/" + number + "/description.xml").c_str();
    entry.append_attribute("注释") = note.c_str();
    publication->commitHistory(xmlText(history));
    return number;
}

} // namespace site
