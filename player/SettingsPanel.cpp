#include "player/SettingsPanel.h"

#include "player/Services.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace player {

namespace {

// The sky blue of the About window, so the player's two windows look alike.
constexpr QColor kSkyBlue{166, 202, 240};
constexpr QColor kFailureRed{176, 0, 0};
constexpr int kWidth = 340;

} // namespace

SettingsPanel::SettingsPanel(Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      cameraList(new QComboBox),
      mirrorBox(new QCheckBox(tr("镜像显示（像照镜子一样，照片也如此）"))),
      allowButton(new QRadioButton(tr("允许"))), denyButton(new QRadioButton(tr("拒绝"))),
      failureLabel(new QLabel), closeButton(new QPushButton(tr("关闭"))), m_services(services),
      m_cameraBox(new QGroupBox(tr("摄像头"))), m_privacyBox(new QGroupBox(tr("隐私"))),
      m_privacy(new QButtonGroup(this)) {
    setWindowTitle(tr("iVemba 播放器设置"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kSkyBlue);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* cameraLayout = new QVBoxLayout(m_cameraBox);
    cameraLayout->addWidget(new QLabel(tr("拍照使用的摄像头：")));
    cameraLayout->addWidget(cameraList);
    cameraLayout->addWidget(mirrorBox);

    auto* privacyLayout = new QVBoxLayout(m_privacyBox);
    auto* question = new QLabel(tr("是否允许 iVemba 使用您的摄像头？"));
    question->setWordWrap(true);
    privacyLayout->addWidget(question);
    auto* answers = new QHBoxLayout;
    answers->addWidget(allowButton);
    answers->addWidget(denyButton);
    answers->addStretch();
    privacyLayout->addLayout(answers);
    m_privacy->addButton(allowButton);
    m_privacy->addButton(denyButton);

    QPalette red = failureLabel->palette();
    red.setColor(QPalette::WindowText, kFailureRed);
    failureLabel->setPalette(red);
    failureLabel->setWordWrap(true);
    failureLabel->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_cameraBox);
    layout->addWidget(m_privacyBox);
    layout->addWidget(failureLabel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(kWidth);

    connect(cameraList, &QComboBox::activated, this, &SettingsPanel::chooseCamera);
    connect(mirrorBox, &QCheckBox::toggled, this, &SettingsPanel::setMirror);
    connect(allowButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setAllowed(true);
    });
    connect(denyButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setAllowed(false);
    });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    fill();
}

void SettingsPanel::fill() {
    m_filling = true;
    const common::Settings& settings = m_services.settings;
    cameraList->clear();
    const QStringList devices =
        m_services.cameras.names ? m_services.cameras.names() : QStringList{};
    const QString current =
        m_services.cameras.defaultName ? m_services.cameras.defaultName() : QString();
    // The chosen camera while it is there, else the one the movie gets by default.
    int chosen = -1, standard = -1;
    for (const QString& device : devices) {
        cameraList->addItem(device, device);
        if (device == settings.cameraId)
            chosen = cameraList->count() - 1;
        if (standard < 0 && device == current)
            standard = cameraList->count() - 1;
    }
    if (devices.isEmpty())
        cameraList->addItem(tr("没有找到摄像头"));
    cameraList->setEnabled(!devices.isEmpty());
    cameraList->setCurrentIndex(chosen >= 0 ? chosen : std::max(standard, 0));
    mirrorBox->setChecked(settings.mirror);
    (settings.cameraAllowed ? allowButton : denyButton)->setChecked(true);
    m_filling = false;
}

void SettingsPanel::showSection(Section section) {
    fill();
    failureLabel->hide();
    if (section == Section::Privacy)
        (allowButton->isChecked() ? allowButton : denyButton)->setFocus();
    else
        cameraList->setFocus();
}

void SettingsPanel::showEvent(QShowEvent* event) {
    // Over the middle of the player, as the player's other windows open.
    if (const QWidget* owner = parentWidget()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

namespace {

template <class Change> void changeSettings(Services& services, QLabel& failure, Change change) {
    common::Settings settings = services.settings;
    change(settings);
    const common::Status<> written = services.changeSettings(std::move(settings));
    failure.setText(written ? QString()
                            : QCoreApplication::translate("player::SettingsPanel",
                                                          "设置只在这次运行中有效，未能保存：") +
                                  written.error());
    failure.setVisible(!written);
}

} // namespace

void SettingsPanel::chooseCamera(int index) {
    const QString id = cameraList->itemData(index).toString();
    if (m_filling || id.isEmpty() || id == m_services.settings.cameraId)
        return;
    changeSettings(m_services, *failureLabel, [&id](common::Settings& s) { s.cameraId = id; });
}

void SettingsPanel::setMirror(bool on) {
    if (m_filling || on == m_services.settings.mirror)
        return;
    changeSettings(m_services, *failureLabel, [on](common::Settings& s) { s.mirror = on; });
}

void SettingsPanel::setAllowed(bool allowed) {
    if (m_filling || allowed == m_services.settings.cameraAllowed)
        return;
    changeSettings(m_services, *failureLabel,
                   [allowed](common::Settings& s) { s.cameraAllowed = allowed; });
}

} // namespace player
