#include "player/print/StickerSheetDialog.h"

#include "common/WholeFileWriter.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace player {

namespace {

// The grids offered, then "as many as fit".
constexpr int kGrids[] = {2, 3, 4};
constexpr int kDefaultGrid = 1; // 3×3
constexpr double kDefaultWidthMm = 50;
constexpr double kDefaultMarginMm = 5;
constexpr int kPdfDpi = 300;

bool askWithSystemDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(StickerSheetDialog::tr("打印贴纸"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

StickerSheetDialog::StickerSheetDialog(QList<QImage> cards, int front, SaveChooser chooseSave,
                                       QWidget* parent)
    : QDialog(parent), confirmPrinter(&askWithSystemDialog), m_sheet(std::move(cards), front),
      m_chooseSave(std::move(chooseSave)),
      m_previewPrinter(std::make_unique<QPrinter>(QPrinter::ScreenResolution)) {
    setWindowTitle(tr("打印贴纸"));

    paperBox = new QComboBox(this);
    fillPapers();

    layoutBox = new QComboBox(this);
    for (int n : kGrids)
        layoutBox->addItem(QStringLiteral("%1 × %1").arg(n));
    layoutBox->addItem(tr("按宽度排满"));
    layoutBox->setCurrentIndex(kDefaultGrid);

    widthBox = new QDoubleSpinBox(this);
    widthBox->setRange(20, 200);
    widthBox->setDecimals(0);
    widthBox->setSuffix(tr(" 毫米"));
    widthBox->setValue(kDefaultWidthMm);
    widthBox->setEnabled(false);

    fillBox = new QComboBox(this);
    fillBox->addItem(tr("最前面的照片，铺满整页"));
    fillBox->addItem(tr("所有照片，依次排列"));

    marginBox = new QDoubleSpinBox(this);
    marginBox->setRange(0, 40);
    marginBox->setDecimals(0);
    marginBox->setSuffix(tr(" 毫米"));
    marginBox->setValue(kDefaultMarginMm);

    cutLinesBox = new QCheckBox(tr("打印裁切线"), this);
    cutLinesBox->setChecked(true);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(tr("纸张："), paperBox);
    form->addRow(tr("排列："), layoutBox);
    form->addRow(tr("贴纸宽度："), widthBox);
    form->addRow(tr("内容："), fillBox);
    form->addRow(tr("页边距："), marginBox);
    form->addRow(QString(), cutLinesBox);
    form->addRow(m_status);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(tr("打印…"), QDialogButtonBox::AcceptRole);
    QPushButton* pdf = buttons->addButton(tr("存为 PDF…"), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] {
        if (printSheet())
            accept();
    });
    connect(pdf, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addStretch(1);
    side->addWidget(buttons);

    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_preview->setMinimumSize(360, 440);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_sheet.print(*printer, options()); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(side);

    const auto changed = [this] { refresh(); };
    connect(paperBox, &QComboBox::currentIndexChanged, this, changed);
    connect(layoutBox, &QComboBox::currentIndexChanged, this, changed);
    connect(fillBox, &QComboBox::currentIndexChanged, this, changed);
    connect(widthBox, &QDoubleSpinBox::valueChanged, this, changed);
    connect(marginBox, &QDoubleSpinBox::valueChanged, this, changed);
    connect(cutLinesBox, &QCheckBox::toggled, this, changed);
    refresh();
}

StickerSheetDialog::~StickerSheetDialog() = default;

void StickerSheetDialog::fillPapers() {
    m_papers = {QPageSize(QPageSize::A4),
                QPageSize(QSizeF(4, 6), QPageSize::Inch, tr("4×6 英寸相纸"), QPageSize::ExactMatch),
                QPageSize(QPageSize::Letter)};
    QStringList names = {QStringLiteral("A4"), tr("4×6 英寸相纸"), QStringLiteral("Letter")};
    // The printer's own sizes follow, those not already offered.
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        for (const QPageSize& size : printer.supportedPageSizes()) {
            const bool offered =
                std::any_of(m_papers.begin(), m_papers.end(),
                            [&size](const QPageSize& p) { return p.isEquivalentTo(size); });
            if (!offered && size.isValid()) {
                m_papers.append(size);
                names.append(size.name());
            }
        }
    }
    paperBox->addItems(names);
}

QPageSize StickerSheetDialog::paper() const {
    return m_papers.value(paperBox->currentIndex(), QPageSize(QPageSize::A4));
}

StickerSheet::Options StickerSheetDialog::options() const {
    StickerSheet::Options options;
    const int choice = layoutBox->currentIndex();
    const double margin = marginBox->value();
    options.layout = choice < static_cast<int>(std::size(kGrids))
                         ? StickerLayout::grid(kGrids[choice], kGrids[choice], margin)
                         : StickerLayout::byWidth(widthBox->value(), margin);
    options.fill = fillBox->currentIndex() == 0 ? StickerSheet::Fill::CopiesOfFront
                                                : StickerSheet::Fill::EveryCardInTurn;
    options.cutLines = cutLinesBox->isChecked();
    return options;
}

void StickerSheetDialog::refresh() {
    widthBox->setEnabled(layoutBox->currentIndex() == static_cast<int>(std::size(kGrids)));
    m_previewPrinter->setPageSize(paper());
    // Without a printer the preview shows the PDF page, which has no unprintable edge.
    if (m_previewPrinter->outputFormat() == QPrinter::PdfFormat)
        m_previewPrinter->setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    const StickerSheet::Options chosen = options();
    const StickerLayout::Sheet sheet =
        chosen.layout.arrange(StickerSheet::pageOf(m_previewPrinter->pageLayout()));
    const int places = static_cast<int>(sheet.stickers.size());
    if (places == 0) {
        m_status->setText(tr("这张纸上放不下这么宽的贴纸，请换小一些的宽度或更大的纸。"));
    } else {
        m_status->setText(tr("每页 %1 张贴纸（%2 × %3 毫米），共 %4 页。")
                              .arg(places)
                              .arg(sheet.stickers.constFirst().width(), 0, 'f', 0)
                              .arg(sheet.stickers.constFirst().height(), 0, 'f', 0)
                              .arg(std::max(m_sheet.pageCount(places, chosen.fill), 1)));
    }
    m_preview->updatePreview();
}

void StickerSheetDialog::showError(const QString& text) {
    m_error = text;
    m_status->setText(text);
}

bool StickerSheetDialog::printSheet() {
    m_error.clear();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(paper());
    printer.setDocName(tr("iVemba 贴纸"));
    if (!confirmPrinter || !confirmPrinter(printer, this))
        return false;
    if (!m_sheet.print(printer, options())) {
        showError(tr("无法打印：打印机不能使用。"));
        return false;
    }
    return true;
}

QByteArray StickerSheetDialog::pdfBytes() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setCreator(QStringLiteral("iVemba"));
        writer.setTitle(tr("iVemba 贴纸"));
        writer.setPageLayout(QPageLayout(paper(), QPageLayout::Portrait, QMarginsF()));
        if (!m_sheet.print(writer, options()))
            return {};
    }
    return bytes;
}

bool StickerSheetDialog::saveAsPdf() {
    m_error.clear();
    if (!m_chooseSave)
        return false;
    QString path = m_chooseSave(tr("贴纸.pdf"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    const QByteArray bytes = pdfBytes();
    if (bytes.isEmpty()) {
        showError(tr("无法生成 PDF 文件。"));
        return false;
    }
    if (const common::Status<> written = common::writeWholeFile(path, bytes); !written) {
        showError(tr("无法保存 PDF 文件：") + written.error());
        return false;
    }
    m_status->setText(tr("已保存到 %1").arg(QFileInfo(path).fileName()));
    return true;
}

} // namespace player
