#include "common/WebExchange.h"

#include "common/ProgramLibrary.h"

#include <QtDebug>

namespace common {

namespace {

WebClientEntry load() {
    QString why;
    auto entry = reinterpret_cast<WebClientEntry>(
        programLibraryEntry(QStringLiteral("libivemba_web.so"), "ivemba_web_client", &why));
    if (!entry)
        qWarning().noquote() << "nothing can be fetched from or sent to the web: the web "
                                "library cannot be loaded:"
                             << why;
    return entry;
}

} // namespace

WebClient* makeWebClient(QObject* parent) {
    // Loaded once, by whichever thread asks first.
    static const WebClientEntry entry = load();
    return entry ? entry(parent) : nullptr;
}

} // namespace common
