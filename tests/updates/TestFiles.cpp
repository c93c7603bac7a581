#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <iconv.h>
#include <pugixml.hpp>

namespace updates::test {

void writeFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList entriesOf(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end());
    return names;
}

QByteArray encodeAs(const char* encoding, const QByteArray& utf8) {
    iconv_t handle = iconv_open(encoding, "UTF-8");
    if (handle == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = static_cast<size_t>(utf8.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t rc = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(handle);
    if (rc == static_cast<size_t>(-1))
        return {};
    out.resize(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

QList<BrowserClass> readAsBrowser(const QByteArray& classList) {
    pugi::xml_document document;
    if (!document.load_buffer(classList.constData(), static_cast<size_t>(classList.size()),
                              pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_fragment))
        return {};
    pugi::xml_node root = document.first_child().next_sibling();
    QList<BrowserClass> classes;
    for (const pugi::xml_node child : root.children()) {
        if (child.type() != pugi::node_element || std::string_view(child.name()) != "class")
            continue;
        BrowserClass record{QString::fromUtf8(child.attribute("name").value()),
                            QString::fromUtf8(child.attribute("path").value()),
                            {}};
        int position = 0;
        for (const pugi::xml_node pic : child.children()) {
            if (position++ >= 21)
                break;
            if (pic.type() == pugi::node_element)
                record.pics.append(QString::fromUtf8(pic.first_child().value()));
        }
        classes.append(record);
    }
    return classes;
}

} // namespace updates::test
