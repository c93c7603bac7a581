#pragma once

#include <QString>
#include <pugixml.hpp>

namespace updates {

// Appends to `root` one `class` element per border class found in `borderFolder`:
//  - a class is an entry of the border folder whose name holds no dot and that contains at
//    least one thumbnail (a file whose name ends in ".gif", in any case); a folder with a dot
//    in its name, an empty folder and a plain file drop out;
//  - classes are in order of their names, and thumbnails in order of their file names
//    (compared as UTF-16 text, the same on every machine), because the file system gives
//    no order of its own;
//  - `name` is the folder name, `path` is "borders/" + name + "/";
//  - one `pic` per thumbnail, whose text is the file name without its last four characters;
//    two spellings of one name ("x.gif", "x.GIF") give one `pic`.
// Nothing else is written: no white space, no other attributes. The caller removes the old
// children first and saves the document afterwards. A missing folder yields no classes.
void RebuildClassList(const QString& borderFolder, pugi::xml_node root);

} // namespace updates
