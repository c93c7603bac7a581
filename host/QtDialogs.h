#pragma once

#include "host/Dialogs.h"

namespace host {

// The dialogs a person sees: Qt message boxes, file dialogs and the desktop's own opener.
class QtDialogs : public Dialogs {
public:
    [[nodiscard]] bool question(QWidget* owner, const QString& caption,
                                const QString& text) override;
    void message(QWidget* owner, const QString& text) override;
    [[nodiscard]] std::optional<QString> openFile(QWidget* owner,
                                                  const FileRequest& request) override;
    [[nodiscard]] std::optional<QString> saveFile(QWidget* owner,
                                                  const FileRequest& request) override;
    void showModal(QDialog& dialog) override;
    void openUrl(const QUrl& url) override;
};

} // namespace host
