#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QUrl;
class QWidget;

namespace host {

// What a file dialog is asked to show: Qt name filters, the one selected at first, the
// extension added to a bare name, and the path of the previous choice to start from (or,
// before there was one, the folder to start in).
struct FileRequest {
    QStringList filters;
    int selectedFilter = 0;
    QString defaultSuffix;
    QString startPath;
    QString startFolder;
};

// Every question, message box, file dialog, modal window and desktop open of the host goes
// through here, so that the host can run with a person in front of it or with a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A Yes/No question with the information icon and No as the default; true on Yes only.
    [[nodiscard]] virtual bool question(QWidget* owner, const QString& caption,
                                        const QString& text) = 0;
    // An error or notice with an OK button.
    virtual void message(QWidget* owner, const QString& text) = 0;
    // The chosen full path, or nothing when the user cancels.
    [[nodiscard]] virtual std::optional<QString> openFile(QWidget* owner,
                                                          const FileRequest& request) = 0;
    [[nodiscard]] virtual std::optional<QString> saveFile(QWidget* owner,
                                                          const FileRequest& request) = 0;
    // Shows a window modally; returns when it is closed.
    virtual void showModal(QDialog& dialog) = 0;
    // Hands a local page or a web address to the desktop; the outcome is not awaited.
    virtual void openUrl(const QUrl& url) = 0;
};

} // namespace host
