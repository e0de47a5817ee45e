#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "click_label.h"
#include "design_widgets.h"
#include "x11/frame_extents.h"
#include "pictures.h"
#include "qt_text.h"
#include "shell/core/home_page.h"
#include "shell/core/tab_order.h"
#include "shell/design/designs.h"

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

template <typename T>
T* child(QObject& parent, std::string_view name) {
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
        *lblScore_, *timerBall_, *timerKbrd_, keys_, [this](int exitCode) { closeProgram(exitCode); }});
    game_ = std::make_unique<Game>(*services_);
    connectHandlers();

    // Loaded at the screen's top-left corner, then centred by Form_Load. The
    // native window is made at the first show, so that the window manager
    // places its frame, not its client area, at the position given; the
    // frame's size is asked of the window manager beforehand, so that
    // Form_Load centres the window by its outer width.
    const core::ScreenArea screen = primaryScreenArea();
    move(screen.left, screen.top);
    frameBeforeShow_ = frameExtentsBeforeShow(*this);
    runHandler([this] { Form_Load(); });
    followPrimaryScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    const Twips twips = Twips::ofPrimaryScreen();
    // Focusable controls are created and chained in tab order.
    QWidget* previous = nullptr;
    for (const design::ControlDesign* control : core::inTabOrder(kDesign)) {
        if (control->kind == design::ControlKind::Timer) {
            buildTimer(*control, *this);
            continue;
        }
        QWidget* widget = buildControl(*control, *this, twips);
        if (previous != nullptr && widget != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }

    timerBall_ = child<QTimer>(*this, design::name::timerBall);
    timerKbrd_ = child<QTimer>(*this, design::name::timerKbrd);
    cmdGo_ = child<QPushButton>(*this, design::name::cmdGo);
    cmdKbrdTest_ = child<QPushButton>(*this, design::name::cmdKbrdTest);
    lblURL_ = child<ClickLabel>(*this, design::name::lblURL);
    lblScore_ = child<QLabel>(*this, design::name::lblScore);
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

float MainWindow::outerWidth() const {
    return Twips::ofPrimaryScreen().fromPixelsX(outerWidthPixels(*this, frameBeforeShow_));
}

void MainWindow::setOuterLeft(float twips) {
    const core::ScreenArea screen = primaryScreenArea();
    move(screen.left + screen.twips.toPixelsX(twips), pos().y());
}

void MainWindow::centre(float outerWidthTwips) {
    setOuterLeft(centredOnScreen(services_->screenWidth(), outerWidthTwips));
}

void MainWindow::Form_Load() { centre(outerWidth()); }

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    if (!frameBeforeShow_) {
        // A window manager too busy to tell the frame before the first show
        // tells it when it takes the window in: the window is then centred
        // again by its framed width. That is before it shows the frame, so
        // the player cannot have moved the window by the frame yet.
        onFrameArrival(*this, [this](QMargins frame) {
            if (!hasEnded()) {
                centre(Twips::ofPrimaryScreen().fromPixelsX(width() + frame.left() + frame.right()));
            }
        });
    }
}

void MainWindow::followPrimaryScreen() {
    // Whichever screen is primary now, and whatever becomes of its size.
    const auto watch = [this](QScreen* screen) {
        if (screen != nullptr) {
            connect(screen, &QScreen::geometryChanged, this, &MainWindow::keepOnPrimaryScreen, Qt::UniqueConnection);
        }
        keepOnPrimaryScreen();
    };
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, watch);
    watch(QGuiApplication::primaryScreen());
}

void MainWindow::keepOnPrimaryScreen() {
    if (hasEnded() || !isVisible()) {
        return;
    }
    // A window left off the screen, or partly off it, comes back onto it.
    const QRect frame = frameGeometry();
    const core::PixelPosition place =
        core::placeOnScreen(primaryScreenArea(), frame.x(), frame.y(), frame.width(), frame.height());
    if (place != core::PixelPosition{frame.x(), frame.y()}) {
        move(place.x, place.y);
    }
}

void MainWindow::Form_Unload() { services_->endProgram(); }

void MainWindow::lblURL_Click() {
    // The result is not looked at: without a browser nothing happens.
    const std::string address =
        core::homePageAddress(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    if (!address.empty()) {
        QDesktopServices::openUrl(QUrl(toQString(address)));
    }
}

void MainWindow::onTick(Timer timer) {
    runHandler([this, timer] {
        if (timer == Timer::Ball) {
            game_->timerBall_Timer();
        } else {
            game_->timerKbrd_Timer();
        }
    });
    if (!hasEnded()) {
        emit ticked(timer);
    }
}

void MainWindow::runHandler(const std::function<void()>& handler) { services_->runHandler(handler); }

void MainWindow::closeProgram(int exitCode) {
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
