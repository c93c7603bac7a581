#pragma once

#include <QString>
#include <QVariantList>

namespace player {
class Clip;
}

namespace borders {

inline const QString kParsedTrace = QStringLiteral("分类信息xml解析成功：");
inline const QString kParseFailedTrace = QStringLiteral("分类信息xml格式错误，解析失败");

// A class shows at most this many child positions of its element.
inline constexpr int kMaxPicPositions = 21;
// The longest class list text read; anything longer cannot be a class list of ours.
inline constexpr qsizetype kMaxClassListChars = 8 * 1024 * 1024;

struct ParsedClasses {
    bool ok = false;      // false: the text is no XML document
    QVariantList classes; // records with `name`, `path` and `pics`
    QStringList rejected; // what was dropped as unsafe, for the trace
};

// Reads a class list text: the second top-level node is the root; its elements named
// "class" become records. Class paths and picture names are joined to the movie's folder
// to make addresses, so a path that climbs out of it, is absolute or names a scheme, and a
// picture name that is more than a base name, are dropped.
[[nodiscard]] ParsedClasses parseClassList(const QString& text);

// True when `path` stays below the folder it is joined to.
[[nodiscard]] bool isSafeClassPath(const QString& path);
// True when `name` is a plain base name.
[[nodiscard]] bool isSafePicName(const QString& name);

// Defines the root's `OnClassInfoLoad(XmlString)`: appends the classes of the text to
// `_PicClasses` and sets `_PicClassesInfoLoaded`.
void defineClassInfoLoad(player::Clip& root);

} // namespace borders
