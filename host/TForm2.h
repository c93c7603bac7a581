#pragma once

#include <QDialog>

class QLabel;

namespace host {

class Dialogs;

// The About window: the product artwork over a sky-blue dialog, with an invisible hot spot
// over the web address printed in the picture that opens the home page.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize kClientSize{490, 265};
    static constexpr QRect kHotSpot{64, 232, 93, 13};

    TForm2(Dialogs& dialogs, QWidget* mainWindow);

    void Label1Click();

    QLabel* Image1;
    QLabel* Label1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Dialogs& m_dialogs;
};

} // namespace host
