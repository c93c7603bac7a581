#pragma once

#include "player/Bitmap.h"

#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;

namespace player {
class Clip;
}

namespace output {

// The browser edition's save settings `Uploadsetting_mc`: a white veil that catches every
// click, a titled box with the input fields `title_text` ("主题：") and `author_text`
// ("作者："), and the push buttons `upload_but_enter` ("确  定") and `upload_but_cancel`
// ("取  消"). OK hides the panel and runs the panel's `OnEnter` 50 ms later, once the stage
// has been drawn without it; Cancel hides it and drops the picture. The fields keep what
// was typed from one save to the next. Building it again keeps what is there; opening it
// builds it if nobody has yet.
void buildUploadSettings(player::Clip& panel);

// Shows the panel for one save: `PhotoType`, `SaveBmp` and `OnEnter` are this save's.
void openUploadSettings(player::Clip& panel, int photoType, player::BitmapPtr saveBmp,
                        std::function<void()> onEnter);

// True from OK until `OnEnter` has run.
[[nodiscard]] bool uploadSettingsEntering(const player::Clip& panel);

// The panel's Qt widgets by instance name; null when the panel has no such part.
[[nodiscard]] QLineEdit* uploadSettingsField(const player::Clip& panel, const QString& name);
[[nodiscard]] QPushButton* uploadSettingsButton(const player::Clip& panel, const QString& name);
// The text typed into `title_text` or `author_text`; empty when the field is missing.
[[nodiscard]] QString uploadSettingsText(const player::Clip& panel, const QString& name);

inline const QString kTitleField = QStringLiteral("title_text");
inline const QString kAuthorField = QStringLiteral("author_text");
inline const QString kEnterButton = QStringLiteral("upload_but_enter");
inline const QString kCancelButton = QStringLiteral("upload_but_cancel");
inline constexpr int kEnterDelayMs = 50;

} // namespace output
