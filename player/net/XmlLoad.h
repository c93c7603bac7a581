#pragma once

#include "player/net/Transfer.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <pugixml.hpp>

namespace player {
class Stage;
}

namespace net {

// Loads an XML document by address, as the movie's XML object does: the raw text arrives
// in loaded(), or the failure does. A new load cancels the one before it.
class XmlLoad : public QObject {
    Q_OBJECT
public:
    // The largest document a movie loads: class lists and version files are a few kB.
    static constexpr qint64 kMaxBytes = 8LL * 1024 * 1024;

    explicit XmlLoad(player::Stage& stage, QObject* parent = nullptr);
    ~XmlLoad() override;

    void load(const QString& address);
    void cancel();
    [[nodiscard]] bool isLoading() const { return m_transfer != nullptr; }

signals:
    // success false: the address could not be read; text is then empty.
    void loaded(bool success, const QString& text);

private:
    player::Stage& m_stage;
    QPointer<Transfer> m_transfer;
};

// Parses `text` as the movie's XML object does: white-space text between elements is kept
// as nodes and the declaration is no node, so in a document with a line break after its
// declaration the root element is the second top-level node. Entities of a DOCTYPE are
// never expanded. False when an element is not closed or closed by the wrong tag; plain
// text is a document of one text node.
[[nodiscard]] bool parseMovieXml(const QString& text, pugi::xml_document& document);

} // namespace net
