#pragma once

#include "SiteFeeds.h"
#include "TestFiles.h"
#include "support/LocalSite.h"
#include "support/Wait.h"
#include "updates/HistoryTemplate.h"
#include "updates/TForm3.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

namespace updates::test {

// A program directory with a border folder (one installed class "旧" and the template
// history), the web site, a main window and the border update window on top of it.
class UpdateWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        writeFile(borders + QStringLiteral("/borders.xml"),
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<borders><class name=\"旧\" "
                  "path=\"borders/旧/\"><pic>o</pic></class></borders>");
        writeFile(borders + QStringLiteral("/旧/o.gif"), "GIF89a");
        writeFile(borders + QStringLiteral("/旧/o.png"), "PNG");
        writeFile(localPath(), localTemplate());
        main = std::make_unique<QWidget>();
        main->resize(800, 600);
        makeWindow();
    }
    void TearDown() override {
        form = nullptr;
        main.reset();
    }

    void makeWindow(common::TransferPolicy timeouts = {.idleTimeoutMs = 2000,
                                                       .totalTimeoutMs = 20000}) {
        delete form;
        form = new TForm3({programDir,
                           [this](const QString& name, const QString& value) {
                               std::scoped_lock lock(mutex);
                               variables.append(name + u'=' + value);
                           },
                           timeouts,
                           {},
                           // As the program makes it: the widgets come with the first showing.
                           true},
                          main.get());
    }

    static QByteArray localTemplate() { return localHistoryTemplate(); }

    // Publishes package descriptions at /dN.xml and returns the history that lists them,
    // BVNum "pN", annotation "包N".
    QByteArray publishPackages(const QList<QList<DescribedClass>>& descriptions) {
        QList<Package> list;
        for (int n = 0; n < descriptions.size(); ++n) {
            const std::string path = "/d" + std::to_string(n) + ".xml";
            site.answer(path, descriptionXml(descriptions[n]).toStdString());
            list.append({QStringLiteral("p%1").arg(n), site.url(QString::fromStdString(path)),
                         QStringLiteral("包%1").arg(n)});
        }
        return historyXml(list);
    }
    // A border file at /f/<name> and its address.
    QString serveFile(const QString& name) {
        site.answer("/f/" + name.toStdString(), borderFileBytes(name).toStdString(), "image/gif");
        return site.url(QStringLiteral("/f/") + name);
    }

    // Hands the history over as the start-up check would and opens the window.
    void open(const QByteArray& history) {
        common::Result<BorderHistory> parsed =
            BorderHistory::fromBytes(history, QStringLiteral("test"));
        ASSERT_TRUE(parsed.ok()) << parsed.error().toStdString();
        const auto packages = std::distance(parsed.value().root().children().begin(),
                                            parsed.value().root().children().end());
        form->takeNewPackages(std::make_shared<BorderHistory>(std::move(parsed).value()));
        // The hand-over is queued, as from the check's thread; it is delivered before the
        // window shows, however busy the machine, so the list is filled as it opens.
        QCoreApplication::sendPostedEvents(form);
        form->show();
        ASSERT_TRUE(testsupport::waitUntil(
            [&] { return form->isVisible() && form->CheckListBox1->count() == packages; }));
    }
    void tick(std::initializer_list<int> lines) {
        for (int line : lines)
            form->CheckListBox1->item(line)->setCheckState(Qt::Checked);
    }
    [[nodiscard]] QString caption() const { return form->Button1->text(); }
    // Runs the update to its end; false when it did not finish in time.
    [[nodiscard]] bool runToEnd(int timeoutMs = 20000) {
        form->Button1Click();
        return testsupport::waitUntil([&] { return caption() == u"完成"; }, timeoutMs);
    }
    // Lets the queued window changes of a worker that has ended arrive.
    void settle() {
        testsupport::waitUntil([&] { return !form->workerRunning(); }, 20000);
        testsupport::spin(20);
    }
    [[nodiscard]] QStringList localNumbers() const {
        QStringList numbers;
        const common::Result<BorderHistory> local = BorderHistory::load(localPath());
        if (local) {
            for (const pugi::xml_node entry : local.value().root().children())
                numbers.append(BorderHistory::bvNum(entry));
        }
        return numbers;
    }
    [[nodiscard]] QStringList sitePaths() const {
        QStringList paths;
        for (const auto& request : site.requests())
            paths.append(QString::fromStdString(request.path));
        return paths;
    }
    [[nodiscard]] QStringList variablesSet() {
        std::scoped_lock lock(mutex);
        return variables;
    }
    [[nodiscard]] QString localPath() const {
        return borders + QStringLiteral("/BVHistory_local.xml");
    }
    [[nodiscard]] QString path(const QString& relative) const { return borders + u'/' + relative; }

    QTemporaryDir root;
    QString programDir = root.filePath(QStringLiteral("prog"));
    QString borders = programDir + QStringLiteral("/borders");
    testsupport::LocalSite site;
    std::unique_ptr<QWidget> main;
    TForm3* form = nullptr;
    std::mutex mutex;
    QStringList variables;
};

} // namespace updates::test
