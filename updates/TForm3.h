#pragma once

#include "updates/BorderHistory.h"
#include "updates/BorderUpdateWorker.h"
#include "updates/WorkGate.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace updates {

// The border update window: the new packages as a list of check boxes, a bar for the whole
// update and one for the current package, and the buttons that start, pause, continue and
// cancel the download worker. The caption of `Button1` is the window's state: "更新" until
// the worker starts, then "暂停" and "继续" in turn, "完成" at the end.
//
// The window owns the border update's state: the new packages found by the start-up check
// (handed over to it on the user-interface thread), the worker thread and the gate that
// pauses and cancels it. When the worker starts, the package list passes to the worker,
// which alone touches it until it ends; the worker changes the window only through calls
// queued to the user-interface thread.
class TForm3 : public QDialog, private BorderUpdateView {
    Q_OBJECT
public:
    struct Setup {
        QString programDir; // the executable's folder, without a trailing slash
        // Sets a root variable of the movie; safe to call from any thread.
        std::function<void(const QString& name, const QString& value)> setVariable;
        common::TransferPolicy timeouts;
        QString siteBase; // the maker's site, where the start-up check looks
        // The window's widgets are made by makeWidgets() or when it is first shown, not
        // by the constructor: making them sets up fonts and styles, which would otherwise
        // hold up the main window's first frame.
        bool widgetsLater = false;
    };

    static constexpr QSize kClientSize{313, 354};

    TForm3(Setup setup, QWidget* mainWindow);
    ~TForm3() override;

    // The start-up check, run on the main window's thread: fetches the published history
    // and, when it lists new packages, hands them to this window and tells the movie.
    void StartupCheck(std::stop_token stop);
    // Takes over the new packages; safe to call from any thread.
    void takeNewPackages(std::shared_ptr<BorderHistory> packages);

    // Asks a running worker to end and waits for it. It ends within a fraction of a second,
    // never in the middle of writing a file.
    void stopWorker();
    [[nodiscard]] bool workerRunning() const { return m_worker.joinable() && !m_workerDone; }
    [[nodiscard]] bool paused() const { return m_gate.paused(); }

    // Makes the components below, once; showing the window or calling a public entry
    // that needs them makes them too.
    void makeWidgets();

    void FormShow();
    void Button1Click();
    void Button2Click();
    // Escape and the window's close button: as "取消", so that the worker does not go on
    // behind a window the user has dismissed.
    void reject() override;
    void setVisible(bool visible) override;

    // Components; null until makeWidgets().
    QListWidget* CheckListBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label2 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What the first button does next; its caption says so.
    enum class Stage { Choosing, Updating, Paused, Done };
    void setStage(Stage stage);
    void startWorker();
    // On the user-interface thread, later.
    void post(std::function<void()> change);

    // BorderUpdateView, called from the worker's thread.
    void showStatus(const QString& text) override;
    void showFile(const QString& text) override;
    void setTotalRange(int maximum) override;
    void startPackage(int maximum) override;
    void fileDone() override;
    void packagesChosen(const QStringList& annotations) override;
    void finished() override;

    Setup m_setup;
    Stage m_stage = Stage::Choosing;
    std::shared_ptr<BorderHistory> m_packages;
    QStringList m_lines; // the annotation of each package the list shows
    WorkGate m_gate;
    std::atomic<bool> m_workerDone{false};
    std::jthread m_worker;
};

} // namespace updates
