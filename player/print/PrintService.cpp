#include "player/print/PrintService.h"

#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"

#include <QGraphicsView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace player {

void PrintService::setPrinterChooser(PrinterChooser chooser) {
    m_stage->services().choosePrinter = std::move(chooser);
}

namespace {
// A movie pixel is printed as one point, the size the picture has on a 72-dpi page.
constexpr qreal kPointsPerInch = 72.0;
} // namespace

PrintService::PrintService(Stage* stage) : QObject(stage), m_stage(stage) {}

PrintService::~PrintService() = default;

PrintService& PrintService::of(Stage& stage) {
    if (auto* service = stage.findChild<PrintService*>(QString(), Qt::FindDirectChildrenOnly))
        return *service;
    return *new PrintService(&stage);
}

std::unique_ptr<QPrinter> PrintService::askUser(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

QImage PrintService::renderAsBitmap(const Clip& clip) {
    const QRectF box = clip.bounds(&clip);
    if (box.isEmpty())
        return {};
    const QRect pixels = box.toAlignedRect();
    Bitmap bitmap(pixels.width(), pixels.height(), false, 0xFFFFFFFF);
    bitmap.draw(clip, QTransform::fromTranslate(-pixels.left(), -pixels.top()));
    return bitmap.image();
}

bool PrintService::printAsBitmap(const Clip& clip) {
    const QImage picture = renderAsBitmap(clip);
    if (picture.isNull()) {
        trace(QStringLiteral("print: ") + clip.targetPath() + QStringLiteral(" shows nothing"));
        return false;
    }
    QWidget* parent = nullptr;
    if (QGraphicsScene* scene = clip.scene(); scene && !scene->views().isEmpty())
        parent = scene->views().constFirst();
    const Services::PrinterChooser& choose = m_stage->services().choosePrinter;
    std::unique_ptr<QPrinter> printer = choose ? choose(parent) : nullptr;
    if (!printer)
        return false;
    if (!paint(*printer, picture)) {
        trace(QStringLiteral("print: the printer could not be used"));
        return false;
    }
    return true;
}

bool PrintService::paint(QPrinter& printer, const QImage& picture) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal natural = printer.resolution() / kPointsPerInch;
    const qreal fit = std::min(area.width() / picture.width(), area.height() / picture.height());
    const qreal scale = std::min(natural, fit);
    // Device coordinates start at the printable area's corner.
    const QRectF target(0, 0, picture.width() * scale, picture.height() * scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target, picture);
    return painter.end();
}

void PrintService::trace(const QString& text) {
    if (auto* stage = qobject_cast<Stage*>(parent()))
        stage->trace(text);
}

} // namespace player
