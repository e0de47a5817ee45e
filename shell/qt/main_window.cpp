#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "click_label.h"
#include "design_widgets.h"
#include "pictures.h"
#include "shell/design/designs.h"
#include "shell/core/handler_guard.h"
#include "shell/core/home_page.h"

namespace volleon::qt {

namespace {

const design::WindowDesign& kDesign = design::kForm1;

Qt::WindowFlags flagsOf(const design::WindowDesign& design) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (design.buttons.windowMenu) flags |= Qt::WindowSystemMenuHint;
    if (design.buttons.close) flags |= Qt::WindowCloseButtonHint;
    if (design.buttons.minimise) flags |= Qt::WindowMinimizeButtonHint;
    if (design.buttons.maximise) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

template <typename T>
T* child(QWidget& parent, std::string_view name) {
    return parent.findChild<T*>(toQString(name), Qt::FindDirectChildrenOnly);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent, flagsOf(kDesign)) {
    const QString name = toQString(kDesign.name);
    setObjectName(name);
    setWindowRole(name);
    setWindowTitle(toQString(kDesign.title));
    setWindowIcon(programIcon());
    if (kDesign.font) {
        setFont(toFont(*kDesign.font));
    }
    applyColours(*this, kDesign.backColour, std::nullopt);
    const Twips twips = Twips::ofPrimaryScreen();
    setFixedSize(twips.toPixelsX(kDesign.clientWidth), twips.toPixelsY(kDesign.clientHeight));
    buildControls();

    services_ = std::make_unique<QtServices>(QtServices::Bindings{
        *lblScore_, *timerBall_, *timerKbrd_, keys_, [this] { endProgram(0); }});
    game_ = std::make_unique<Game>(*services_);
    connectHandlers();

    // Loaded at the screen's top-left corner, then centred by Form_Load. The
    // native window is made at the first show, so that the window manager
    // places its frame, not its client area, at the position given.
    move(0, 0);
    runHandler([this] { Form_Load(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    const Twips twips = Twips::ofPrimaryScreen();
    // Focusable controls are created and chained in tab order.
    std::vector<const design::ControlDesign*> inTabOrder;
    for (const design::ControlDesign& control : kDesign.controls) {
        if (control.kind == design::ControlKind::Timer) {
            buildTimer(control, *this);
        } else {
            inTabOrder.push_back(&control);
        }
    }
    std::stable_sort(inTabOrder.begin(), inTabOrder.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex.value_or(0) < b->tabIndex.value_or(0); });
    QWidget* previous = nullptr;
    for (const design::ControlDesign* control : inTabOrder) {
        QWidget* widget = buildControl(*control, *this, twips);
        if (previous != nullptr && widget != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }

    timerBall_ = findChild<QTimer*>(QStringLiteral("timerBall"));
    timerKbrd_ = findChild<QTimer*>(QStringLiteral("timerKbrd"));
    cmdGo_ = child<QPushButton>(*this, "cmdGo");
    cmdKbrdTest_ = child<QPushButton>(*this, "cmdKbrdTest");
    lblURL_ = child<ClickLabel>(*this, "lblURL");
    lblScore_ = child<QLabel>(*this, "lblScore");
    // The start button is the one control that takes the focus, so Space
    // presses it while the window is active.
    cmdGo_->setFocus();
}

void MainWindow::connectHandlers() {
    connect(cmdGo_, &QPushButton::clicked, this, [this] { runHandler([this] { game_->cmdGo_Click(); }); });
    connect(cmdKbrdTest_, &QPushButton::clicked, this,
            [this] { runHandler([this] { game_->cmdKbrdTest_Click(); }); });
    connect(lblURL_, &ClickLabel::clicked, this, [this] { runHandler([this] { lblURL_Click(); }); });
    connect(timerBall_, &QTimer::timeout, this, [this] { onTick(Timer::Ball); });
    connect(timerKbrd_, &QTimer::timeout, this, [this] { onTick(Timer::Keyboard); });
}

float MainWindow::outerWidth() const { return Twips::ofPrimaryScreen().fromPixelsX(frameGeometry().width()); }

float MainWindow::outerLeft() const { return Twips::ofPrimaryScreen().fromPixelsX(frameGeometry().x()); }

void MainWindow::setOuterLeft(float twips) { move(Twips::ofPrimaryScreen().toPixelsX(twips), pos().y()); }

void MainWindow::Form_Load() {
    setOuterLeft(static_cast<float>(static_cast<double>(screenWidthTwips()) / 2.0 -
                                    static_cast<double>(outerWidth()) / 2.0));
}

void MainWindow::Form_Unload() { services_->endProgram(); }

void MainWindow::lblURL_Click() {
    // The result is not looked at: without a browser nothing happens.
    const std::string address =
        core::homePageAddress(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    if (!address.empty()) QDesktopServices::openUrl(QUrl(toQString(address)));
}

void MainWindow::onTick(Timer timer) {
    runHandler([this, timer] {
        if (timer == Timer::Ball) {
            game_->timerBall_Timer();
        } else {
            game_->timerKbrd_Timer();
        }
    });
    if (!ended_) {
        emit ticked(timer);
    }
}

void MainWindow::runHandler(const std::function<void()>& handler) {
    if (ended_) {
        return;
    }
    services_->holdPieceMoves(true);
    const bool finished = core::runGuarded(handler);
    services_->holdPieceMoves(false);
    if (!finished) {
        endProgram(1);
    }
}

void MainWindow::endProgram(int exitCode) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitCode_ = exitCode;
    timerBall_->stop();
    timerKbrd_->stop();
    services_->closePieces();
    close();
    emit programEnded(exitCode);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing cannot be refused: it ends the program, pieces included.
    event->accept();
    runHandler([this] { Form_Unload(); });
}

}  // namespace volleon::qt
