#include "movie/borders/ClassList.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/net/XmlLoad.h"

#include <pugixml.hpp>

namespace borders {

namespace {

// Characters that would turn a joined name into another address: a scheme or drive, a
// query, a fragment, an escaped dot, or a Windows separator.
bool hasAddressCharacters(const QString& text) {
    for (const QChar c : text) {
        if (c == u':' || c == u'\\' || c == u'?' || c == u'#' || c == u'%' || c.unicode() < 0x20)
            return true;
    }
    return false;
}

} // namespace

bool isSafeClassPath(const QString& path) {
    if (hasAddressCharacters(path) || path.startsWith(u'/'))
        return false;
    const QStringList segments = path.split(u'/');
    for (const QString& segment : segments) {
        if (segment == QLatin1String(".."))
            return false;
    }
    return true;
}

bool isSafePicName(const QString& name) {
    return !name.isEmpty() && !hasAddressCharacters(name) && !name.contains(u'/') &&
           name != QLatin1String("..") && name != QLatin1String(".");
}

ParsedClasses parseClassList(const QString& text) {
    ParsedClasses result;
    if (text.size() > kMaxClassListChars)
        return result;
    pugi::xml_document document;
    if (!net::parseMovieXml(text, document))
        return result;
    result.ok = true;
    const pugi::xml_node root = document.first_child().next_sibling();
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || std::string_view(child.name()) != "class")
            continue;
        const QString name = QString::fromUtf8(child.attribute("name").value());
        const QString path = QString::fromUtf8(child.attribute("path").value());
        if (!isSafeClassPath(path)) {
            result.rejected.append(QStringLiteral("class path ") + path);
            continue;
        }
        QStringList pics;
        int position = 0;
        for (pugi::xml_node pic = child.first_child(); pic && position < kMaxPicPositions;
             pic = pic.next_sibling(), ++position) {
            if (pic.type() != pugi::node_element)
                continue;
            const QString base = QString::fromUtf8(pic.first_child().value());
            if (!isSafePicName(base)) {
                result.rejected.append(QStringLiteral("picture ") + base);
                continue;
            }
            pics.append(base);
        }
        result.classes.append(QVariantMap{{QStringLiteral("name"), name},
                                          {QStringLiteral("path"), path},
                                          {QStringLiteral("pics"), pics}});
    }
    return result;
}

void defineClassInfoLoad(player::Clip& root) {
    player::Clip* self = &root;
    root.define(moviecommon::calls::OnClassInfoLoad, [self](const QVariantList& args) {
        player::Stage* stage = self->stage();
        const ParsedClasses parsed = parseClassList(args.value(0).toString());
        if (!parsed.ok) {
            if (stage)
                stage->trace(kParseFailedTrace);
            return QVariant();
        }
        for (const QString& rejected : parsed.rejected) {
            if (stage)
                stage->trace(QStringLiteral("class list: dropped unsafe ") + rejected);
        }
        QVariantList classes = self->var(moviecommon::vars::PicClasses).toList();
        classes += parsed.classes;
        self->setVar(moviecommon::vars::PicClasses, classes);
        self->setVar(moviecommon::vars::PicClassesInfoLoaded, true);
        if (stage)
            stage->trace(kParsedTrace + QString::number(classes.size()));
        return QVariant();
    });
}

} // namespace borders
