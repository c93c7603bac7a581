#pragma once

#include "host/Dialogs.h"

#include <QString>
#include <optional>

namespace host {

// One of the main window's file dialogs. It lives as long as the window, so each time it
// opens it starts from the folder and name of the previous choice.
class FileDialog {
public:
    enum class Mode { Open, Save };

    // `filter` is a list of description|patterns pairs ("PNG格式|*.PNG|全部|*.PNG;*.jpg");
    // `filterIndex` counts from 0; `defaultExt` is added to a chosen name that has none.
    FileDialog(Mode mode, const QString& filter, int filterIndex, const QString& defaultExt = {});

    // The chosen full path, or nothing when the user cancels.
    [[nodiscard]] std::optional<QString> execute(Dialogs& dialogs, QWidget* owner);
    [[nodiscard]] const FileRequest& request() const { return m_request; }
    // Where the first opening starts; later ones start at the previous choice.
    void setStartFolder(const QString& folder) { m_request.startFolder = folder; }

private:
    Mode m_mode;
    FileRequest m_request;
};

// Turns description|patterns pairs into Qt name filters ("PNG格式 (*.PNG *.png)"). Every
// pattern is offered in both cases, since the file systems here tell case apart and a
// picture named a.png should show under "*.PNG".
[[nodiscard]] QStringList qtNameFilters(const QString& filter);

// `path` with ".`suffix`" added when its file name has no extension.
[[nodiscard]] QString withDefaultSuffix(const QString& path, const QString& suffix);

} // namespace host
