#pragma once

#include <QImage>

// Picture buttons of the movie. Text is never drawn here: the movie writes
// its own labels over them.
namespace artwork::buttons {

enum class WindowGlyph { Quit, Help, Minimise };
enum class ShutterState { Up, Over, Down };
enum class CardAction { Delete, Print, Save };

[[nodiscard]] QImage windowButton(WindowGlyph glyph, bool over); // 19x19
[[nodiscard]] QImage shutter(ShutterState state);                // 100x100
[[nodiscard]] QImage cardIcon(CardAction action);                // 50x50
[[nodiscard]] QImage textButton(bool over);                      // 90x24

} // namespace artwork::buttons
