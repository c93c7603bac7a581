#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace player {

class Services;

// The player's own settings, reached from its context menu and opened by a movie that finds
// its camera refused: which camera the movie gets, the looking-glass picture, and whether the
// movie may use a camera at all. Each change takes effect at once and is kept for the next
// start; the panel shows why when it could not be kept.
class SettingsPanel : public QDialog {
    Q_OBJECT
public:
    enum class Section { Camera, Privacy };

    SettingsPanel(Services& services, QWidget* parent = nullptr);

    // Shows the current settings with the keyboard focus in `section`.
    void showSection(Section section);

    QComboBox* cameraList;
    QCheckBox* mirrorBox;
    QRadioButton* allowButton;
    QRadioButton* denyButton;
    QLabel* failureLabel;
    QPushButton* closeButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill();
    void chooseCamera(int index);
    void setMirror(bool on);
    void setAllowed(bool allowed);

    Services& m_services;
    QGroupBox* m_cameraBox;
    QGroupBox* m_privacyBox;
    QButtonGroup* m_privacy;
    bool m_filling = false;
};

} // namespace player
