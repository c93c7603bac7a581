#include "host/QtDialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

namespace host {

namespace {

// A box owned by a window that is not on screen yet would be placed oddly; such a box is
// better centred on the screen.
QWidget* visibleOwner(QWidget* owner) {
    return owner && owner->isVisible() ? owner : nullptr;
}

std::optional<QString> runFileDialog(QWidget* owner, const FileRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(visibleOwner(owner));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // An existing file is replaced without asking, as the save has always done.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.selectedFilter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.startPath.isEmpty()) {
        const QFileInfo previous(request.startPath);
        dialog.setDirectory(previous.absolutePath());
        dialog.selectFile(previous.fileName());
    } else if (!request.startFolder.isEmpty()) {
        dialog.setDirectory(request.startFolder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

bool QtDialogs::question(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Yes | QMessageBox::No,
                    visibleOwner(owner));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::message(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, visibleOwner(owner));
    box.exec();
}

std::optional<QString> QtDialogs::openFile(QWidget* owner, const FileRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFile(QWidget* owner, const FileRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

void QtDialogs::showModal(QDialog& dialog) {
    dialog.exec();
}

void QtDialogs::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace host
