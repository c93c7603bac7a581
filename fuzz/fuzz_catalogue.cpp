// The catalogue documents on any bytes, through the encoding step: a border history
// (published or local), a package description or a class list read from disk. Whatever
// is read, its entries can be walked, and what it writes reads back.
#include "updates/BorderHistory.h"
#include "updates/CatalogueDocument.h"
#include "updates/ClassList.h"
#include "updates/PackageDescription.h"
#include "updates/XmlEncoding.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

void readsBack(const QByteArray& written) {
    if (!updates::CatalogueDocument::fromBytes(written, QStringLiteral("written")))
        std::abort();
}

void history(const QByteArray& bytes) {
    auto loaded = updates::BorderHistory::fromBytes(bytes, QStringLiteral("fuzz"));
    if (!loaded)
        return;
    auto& h = loaded.value();
    for (int i = 0; i < h.entryCount(); ++i) {
        const auto entry = h.entry(i);
        (void)updates::BorderHistory::bvNum(entry);
        (void)updates::BorderHistory::url(entry);
        (void)updates::BorderHistory::annotation(entry);
    }
    (void)h.bvNums();
    if (h.entryCount() > 0) {
        h.appendEntry(h.entry(0));
        h.removeEntry(0);
    }
}

void package(const QByteArray& bytes) {
    auto loaded = updates::PackageDescription::fromBytes(bytes, QStringLiteral("fuzz"));
    if (!loaded)
        return;
    int files = 0;
    for (const auto& c : loaded.value().classes())
        files += static_cast<int>(c.fileUrls.size());
    if (files != loaded.value().fileCount())
        std::abort();
}

void classList(const QByteArray& bytes) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("borders.xml"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(bytes);
    }
    auto loaded = updates::ClassList::load(path);
    if (!loaded)
        return;
    readsBack(loaded.value().toBytes());
}

void document(const QByteArray& bytes) {
    (void)updates::declaredEncoding(bytes);
    auto loaded = updates::CatalogueDocument::fromBytes(bytes, QStringLiteral("fuzz"));
    if (!loaded)
        return;
    readsBack(loaded.value().toBytes(updates::CatalogueDocument::Layout::Indented));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1,
                           static_cast<qsizetype>(size - 1));
    switch (data[0] % 4) {
    case 0:
        history(bytes);
        break;
    case 1:
        package(bytes);
        break;
    case 2:
        classList(bytes);
        break;
    default:
        document(bytes);
        break;
    }
    return 0;
}
