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

    // `homePage`: the maker's site, opened by the link.
    TForm2(Dialogs& dialogs, QWidget* mainWindow, QString homePage);

    void Label1Click();

    QLabel* Image1;
    QLabel* Label1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Dialogs& m_dialogs;
    QString m_homePage;
};

} // namespace host
