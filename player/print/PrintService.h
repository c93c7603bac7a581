#pragma once

#include <QImage>
#include <QObject>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace player {

class Clip;
class Stage;

// Prints a clip as a bitmap, as the movie's print request does: the clip and everything
// below it are rendered into a picture of the clip's bounding box, and the picture goes to
// the printer the user picks. The pick is a seam: by default the system's print dialog,
// while tests hand in a printer that writes a PDF file, so both run the same painting.
// One service per stage, kept as the stage's child.
class PrintService : public QObject {
    Q_OBJECT
public:
    // A ready printer, or null when the user cancelled.
    using PrinterChooser = std::function<std::unique_ptr<QPrinter>(QWidget* parent)>;

    explicit PrintService(Stage* stage);
    ~PrintService() override;

    // The stage's print service, made on first use.
    [[nodiscard]] static PrintService& of(Stage& stage);

    // The same as assigning the stage's services' printer chooser.
    void setPrinterChooser(PrinterChooser chooser);
    // The system's print dialog on a high-resolution printer.
    [[nodiscard]] static std::unique_ptr<QPrinter> askUser(QWidget* parent);

    // The clip's subtree in its own coordinates, cut to its bounding box, on white paper.
    // Null when the clip shows nothing.
    [[nodiscard]] static QImage renderAsBitmap(const Clip& clip);
    // Renders the clip and prints it; false when nothing was printed (nothing to print,
    // cancelled, or the printer failed). The movie is never told, so this only traces.
    bool printAsBitmap(const Clip& clip);
    // One page with the picture at one picture pixel per point at the top left of the
    // printable area, scaled down only when it does not fit.
    [[nodiscard]] static bool paint(QPrinter& printer, const QImage& picture);

private:
    void trace(const QString& text);

    Stage* m_stage;
};

} // namespace player
