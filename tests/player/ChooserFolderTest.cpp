// The system file and save choosers the movie's file reference uses, driven as a user
// would: where each one opens, and what it remembers.
#include "player/Services.h"
#include "support/ScopedEnv.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace player {
namespace {

struct ChooserRun {
    QString openedIn;
    QString result;
};

// Runs `chooser` while answering the file dialog it opens: notes the folder the dialog
// opened in, then does `act` with it.
ChooserRun run(const std::function<QString()>& chooser,
               const std::function<void(QFileDialog&)>& act) {
    ChooserRun out;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !out.openedIn.isEmpty())
            return;
        out.openedIn = dialog->directory().absolutePath();
        act(*dialog);
    });
    poll.start(10);
    out.result = chooser();
    return out;
}

// What a user does: goes to the file's folder, types its name, presses the button.
void choose(QFileDialog& dialog, const QString& path) {
    const QFileInfo file(path);
    dialog.setDirectory(file.absolutePath());
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(file.fileName());
    static_cast<QDialog&>(dialog).accept(); // public in QDialog, protected in QFileDialog
}

TEST(ChooserFolderTest, ChoosersOpenInPicturesThenWhereTheLastFileWasChosen) {
    QTemporaryDir home;
    testsupport::ScopedEnv homeEnv("HOME", home.path().toUtf8());
    testsupport::ScopedEnv config("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    QObject owner;
    Services services(&owner);

    // No Pictures folder yet: the home folder, not wherever the program was started.
    ChooserRun first = run([&] { return services.chooseSaveFile("photo.jpg"); },
                           [](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(first.openedIn.toStdString(), QDir(home.path()).absolutePath().toStdString());
    EXPECT_TRUE(first.result.isEmpty());

    ASSERT_TRUE(QDir(home.path()).mkpath("Pictures"));
    ASSERT_TRUE(QDir(home.path()).mkpath("trip"));
    const QString saved = home.filePath("trip/beach.jpg");
    ChooserRun second = run([&] { return services.chooseSaveFile("photo.jpg"); },
                            [&](QFileDialog& dialog) { choose(dialog, saved); });
    EXPECT_EQ(second.openedIn.toStdString(),
              QDir(home.filePath("Pictures")).absolutePath().toStdString());
    EXPECT_EQ(second.result.toStdString(), saved.toStdString());

    // The open chooser follows the save, and a cancelled one forgets nothing.
    ChooserRun third = run([&] { return services.chooseFile("Images (*.jpg)"); },
                           [](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(third.openedIn.toStdString(),
              QDir(home.filePath("trip")).absolutePath().toStdString());
    ChooserRun fourth = run([&] { return services.chooseSaveFile("photo.jpg"); },
                            [](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(fourth.openedIn.toStdString(),
              QDir(home.filePath("trip")).absolutePath().toStdString());
}

} // namespace
} // namespace player
