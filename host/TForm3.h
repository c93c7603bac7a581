#pragma once

#include <QDialog>

namespace host {

// The border update window: a dialog kept above the other windows, centred on the main
// window each time it is shown. Its list, progress bars and buttons come with the border
// update itself.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize kClientSize{313, 354};

    explicit TForm3(QWidget* mainWindow);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace host
