#include "updates/TForm3.h"

#include "updates/StartupBorderCheck.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <system_error>

namespace updates {

namespace {

constexpr int kStatusBarHeight = 19;
constexpr int kLineHeight = 13;

void centreOn(QWidget& window, const QWidget& over) {
    // pos() is the frame's corner; the frame may be larger than the client area.
    const QPoint frameCentreOffset = window.frameGeometry().center() - window.pos();
    window.move(over.frameGeometry().center() - frameCentreOffset);
}

QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    // Class and file names come from the web site; they are shown, never interpreted.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QProgressBar* makeBar(QWidget* parent, const QRect& geometry) {
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(geometry);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QPushButton* makeButton(QWidget* parent, const QRect& geometry, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    QFont font = button->font();
    font.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(13);
    button->setFont(font);
    button->setAutoDefault(false);
    return button;
}

// A bar whose range is empty would show Qt's busy animation; an empty one shows nothing.
void setBarRange(QProgressBar* bar, int maximum) {
    bar->setRange(0, std::max(maximum, 1));
}

void step(QProgressBar* bar) {
    if (bar->value() < bar->maximum())
        bar->setValue(bar->value() + 1);
}

} // namespace

TForm3::TForm3(Setup setup, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                              Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint),
      m_setup(std::move(setup)) {
    setWindowTitle(tr("边框更新"));
    setFixedSize(kClientSize);
    if (!m_setup.widgetsLater)
        makeWidgets();
}

void TForm3::makeWidgets() {
    if (CheckListBox1)
        return;
    QFont font = this->font();
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(11);
    setFont(font);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setGeometry(8, 8, 297, 193);
    CheckListBox1->setUniformItemSizes(true);
    CheckListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1 = makeLabel(this, QRect(8, 214, 297, 13), tr("总进度"));
    ProgressBar1 = makeBar(this, QRect(8, 230, 297, 17));
    Label2 = makeLabel(this, QRect(8, 264, 297, 13), tr("边框更新包"));
    ProgressBar2 = makeBar(this, QRect(8, 280, 297, 17));
    Button1 = makeButton(this, QRect(144, 304, 75, 25), tr("更新"));
    Button2 = makeButton(this, QRect(231, 304, 75, 25), tr("取消"));
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, kClientSize.height() - kStatusBarHeight, kClientSize.width(),
                            kStatusBarHeight);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
}

TForm3::~TForm3() {
    stopWorker();
}

void TForm3::StartupCheck(std::stop_token stop) {
    startupBorderCheck(std::move(stop), {m_setup.programDir, m_setup.siteBase, m_setup.setVariable,
                                         [this](std::shared_ptr<BorderHistory> packages) {
                                             takeNewPackages(std::move(packages));
                                         }});
}

void TForm3::takeNewPackages(std::shared_ptr<BorderHistory> packages) {
    post([this, packages = std::move(packages)]() mutable {
        if (m_worker.joinable())
            return; // the list belongs to the worker now
        m_lines.clear();
        if (packages) {
            for (const pugi::xml_node entry : packages->root().children())
                m_lines.append(BorderHistory::annotation(entry));
        }
        m_packages = std::move(packages);
        if (isVisible())
            FormShow();
    });
}

void TForm3::stopWorker() {
    if (!m_worker.joinable())
        return;
    m_worker.request_stop();
    m_worker.join();
}

void TForm3::post(std::function<void()> change) {
    QMetaObject::invokeMethod(this, std::move(change), Qt::QueuedConnection);
}

void TForm3::setVisible(bool visible) {
    // Before the window is shown: children made while it shows would stay hidden.
    if (visible)
        makeWidgets();
    QDialog::setVisible(visible);
}

void TForm3::showEvent(QShowEvent* event) {
    if (const QWidget* main = parentWidget())
        centreOn(*this, *main);
    QDialog::showEvent(event);
    FormShow();
}

void TForm3::FormShow() {
    makeWidgets();
    m_gate.clearCancel();
    CheckListBox1->clear();
    for (const QString& line : m_lines) {
        auto* item = new QListWidgetItem(line, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        item->setSizeHint(QSize(0, kLineHeight + 3));
    }
}

void TForm3::Button1Click() {
    makeWidgets();
    switch (m_stage) {
    case Stage::Choosing:
        startWorker();
        break;
    case Stage::Updating:
        m_gate.pause();
        setStage(Stage::Paused);
        break;
    case Stage::Paused:
        m_gate.resume();
        setStage(Stage::Updating);
        break;
    case Stage::Done:
        hide();
        break;
    }
}

void TForm3::setStage(Stage stage) {
    m_stage = stage;
    const QString captions[] = {tr("更新"), tr("暂停"), tr("继续"), tr("完成")};
    Button1->setText(captions[static_cast<int>(stage)]);
}

void TForm3::Button2Click() {
    m_gate.cancel();
    hide();
}

void TForm3::reject() {
    Button2Click();
}

void TForm3::startWorker() {
    QSet<int> checked;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            checked.insert(i);
    }
    if (checked.isEmpty() || !m_packages) {
        StatusBar1->showMessage(tr("请至少选择一个更新包"));
        repaint();
        return;
    }
    CheckListBox1->setEnabled(false);
    auto job = std::make_shared<BorderUpdateJob>(
        BorderUpdateJob{m_setup.programDir, std::move(m_packages), std::move(checked),
                        m_setup.setVariable, m_setup.timeouts});
    try {
        m_worker = std::jthread([this, job](std::stop_token stop) {
            m_gate.setStopToken(std::move(stop));
            runBorderUpdate(*job, m_gate, *this);
            m_workerDone = true;
        });
    } catch (const std::system_error&) {
        // Without a thread nothing starts; the choice can be made again.
        m_packages = job->published;
        CheckListBox1->setEnabled(true);
        return;
    }
    setStage(Stage::Updating);
}

void TForm3::showStatus(const QString& text) {
    post([this, text] {
        StatusBar1->showMessage(text);
        repaint();
    });
}

void TForm3::showFile(const QString& text) {
    post([this, text] { Label2->setText(text); });
}

void TForm3::setTotalRange(int maximum) {
    post([this, maximum] {
        const int position = ProgressBar1->value();
        setBarRange(ProgressBar1, maximum);
        ProgressBar1->setValue(std::min(position, maximum));
    });
}

void TForm3::startPackage(int maximum) {
    post([this, maximum] {
        setBarRange(ProgressBar2, maximum);
        ProgressBar2->setValue(0);
        repaint();
    });
}

void TForm3::fileDone() {
    post([this] {
        step(ProgressBar1);
        step(ProgressBar2);
        repaint();
    });
}

void TForm3::packagesChosen(const QStringList& annotations) {
    post([this, annotations] { m_lines = annotations; });
}

void TForm3::finished() {
    post([this] {
        setStage(Stage::Done);
        Button2->setEnabled(false);
    });
}

} // namespace updates
