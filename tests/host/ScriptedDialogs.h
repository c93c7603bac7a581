#pragma once

#include "host/Dialogs.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>

// Answers the host's questions and dialogs from a script and keeps what was asked.
class ScriptedDialogs : public host::Dialogs {
public:
    struct Question {
        QString caption;
        QString text;
    };

    // Answers in order; an empty script answers No and cancels.
    std::deque<bool> answers;
    std::deque<std::optional<QString>> files;
    // Runs while a question is open, before it is answered.
    std::function<void()> duringQuestion;

    QList<Question> questions;
    QStringList messages;
    QList<host::FileRequest> openRequests;
    QList<host::FileRequest> saveRequests;
    QList<QUrl> urls;
    QList<QDialog*> modals;

    bool question(QWidget*, const QString& caption, const QString& text) override {
        questions.append({caption, text});
        if (duringQuestion)
            duringQuestion();
        return next(answers, false);
    }
    void message(QWidget*, const QString& text) override { messages.append(text); }
    std::optional<QString> openFile(QWidget*, const host::FileRequest& request) override {
        openRequests.append(request);
        return next(files, std::optional<QString>{});
    }
    std::optional<QString> saveFile(QWidget*, const host::FileRequest& request) override {
        saveRequests.append(request);
        return next(files, std::optional<QString>{});
    }
    // Shown without blocking, so that the test goes on while the window is open.
    void showModal(QDialog& dialog) override {
        modals.append(&dialog);
        dialog.show();
    }
    void openUrl(const QUrl& url) override { urls.append(url); }

    [[nodiscard]] bool nothingAsked() const {
        return questions.isEmpty() && messages.isEmpty() && openRequests.isEmpty() &&
               saveRequests.isEmpty() && urls.isEmpty() && modals.isEmpty();
    }

private:
    template <typename T> static T next(std::deque<T>& script, T fallback) {
        if (!script.empty()) {
            fallback = std::move(script.front());
            script.pop_front();
        }
        return fallback;
    }
};
