#include "movie/widgets/Alert.h"

#include "player/Stage.h"

#include <QGraphicsView>
#include <QMessageBox>

namespace widgets {

void alert(player::Stage& stage, const QString& title, const QString& text) {
    QWidget* owner = stage.views().isEmpty() ? nullptr : stage.views().constFirst()->window();
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box->setObjectName(QStringLiteral("movieAlert"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    stage.trace(QStringLiteral("Alert: ") + title + QStringLiteral(" / ") + text);
}

} // namespace widgets
