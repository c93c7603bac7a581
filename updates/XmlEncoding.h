#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>

namespace updates {

// Bytes of an XML document made ready for the parser. The parser reads UTF-8, UTF-16,
// UTF-32 and Latin-1 by itself but would read any other declared encoding as UTF-8 and
// garble it; the histories of the web site declare GB2312, GBK or GB18030. Such a document
// is converted to UTF-8 here and its declaration is changed to say so. GB2312 and GBK are
// decoded as GB18030, their common superset, so a file whose declaration names the narrower
// set but holds characters of the wider one still reads. A byte sequence that is not valid
// in the declared encoding, or an encoding nobody knows, is an error.
[[nodiscard]] common::Result<QByteArray> prepareXmlBytes(const QByteArray& bytes);

// The encoding named by the XML declaration at the start of `bytes`, or an empty array when
// there is no declaration or it names none (the document is then UTF-8 or carries a mark).
[[nodiscard]] QByteArray declaredEncoding(const QByteArray& bytes);

} // namespace updates
