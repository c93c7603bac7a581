#pragma once

#include <QStringView>

class QWidget;

namespace host {

class Dialogs;
class FileDialog;

// Saves a photo card sent as pixel text: asks for a file name, rebuilds the 240×180
// picture and writes it as a JPEG file. Nothing goes back to the movie.
class PhotoExport {
public:
    static constexpr int kQuality = 90;

    PhotoExport(Dialogs& dialogs, FileDialog& saveDialog, QWidget* owner)
        : m_dialogs(dialogs), m_saveDialog(saveDialog), m_owner(owner) {}

    // Cancelling the dialog writes nothing. A pixel text with the wrong number of values
    // writes nothing and says so; a value that is not an integer, or a file that cannot
    // be written, throws Error with the text to show. An existing file is replaced only by
    // a complete new one.
    void run(QStringView pixelText);

private:
    Dialogs& m_dialogs;
    FileDialog& m_saveDialog;
    QWidget* m_owner;
};

} // namespace host
