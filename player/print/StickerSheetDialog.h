#pragma once

#include "player/print/StickerSheet.h"

#include <QDialog>
#include <QPageSize>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;

namespace player {

// The sticker sheet: the paper, the layout, what fills the places, the margins and the cut
// lines, with the page as it will print beside them. Prints through the system's print
// dialog or saves the sheet as a PDF file. Every change redraws the preview at once.
class StickerSheetDialog : public QDialog {
    Q_OBJECT
public:
    // Where to save the PDF offered under `defaultName`; empty when cancelled.
    using SaveChooser = std::function<QString(const QString& defaultName)>;
    // Lets the user confirm (and change) the printer; false when cancelled.
    using PrintConfirmer = std::function<bool(QPrinter& printer, QWidget* parent)>;

    StickerSheetDialog(QList<QImage> cards, int front, SaveChooser chooseSave,
                       QWidget* parent = nullptr);
    ~StickerSheetDialog() override;

    // The system's print dialog.
    PrintConfirmer confirmPrinter;

    [[nodiscard]] StickerSheet::Options options() const;
    [[nodiscard]] QPageSize paper() const;
    [[nodiscard]] QPrintPreviewWidget* preview() const { return m_preview; }
    // What the last save or print said went wrong; empty when it went well.
    [[nodiscard]] QString lastError() const { return m_error; }

    // The buttons' work.
    bool printSheet();
    bool saveAsPdf();
    // The sheet as PDF bytes on the chosen paper.
    [[nodiscard]] QByteArray pdfBytes() const;

    // Controls, named so tests and screenshots can set them.
    QComboBox* paperBox;
    QComboBox* layoutBox;
    QDoubleSpinBox* widthBox;
    QComboBox* fillBox;
    QDoubleSpinBox* marginBox;
    QCheckBox* cutLinesBox;

private:
    void fillPapers();
    void refresh();
    void showError(const QString& text);

    StickerSheet m_sheet;
    QList<QPageSize> m_papers;
    SaveChooser m_chooseSave;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget* m_preview;
    QLabel* m_status;
    QString m_error;
};

} // namespace player
