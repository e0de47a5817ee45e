// The main window Form1: the score, the start button, the key hints and the
// home-page link. It owns the game for the whole run and forwards the events
// of its controls and timers to the game's handlers.
#pragma once

#include <QMargins>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "game/game.h"
#include "key_state_tracker.h"
#include "qt_services.h"

class QLabel;
class QPushButton;
class QTimer;

namespace volleon::qt {

class ClickLabel;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    // Builds the window from its design at the screen's top-left corner and
    // runs Form_Load. The caller shows it.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Game& game() { return *game_; }
    QtServices& services() { return *services_; }
    KeyStateTracker& keys() { return keys_; }

    // Outer width in twips; Left in twips from the primary screen's left edge.
    float outerWidth() const;
    void setOuterLeft(float twips);

    // True once the program has ended; exitCode() is then its status.
    bool hasEnded() const { return services_->hasEnded(); }
    int exitCode() const { return services_->exitCode(); }

    // Runs an event handler unless the program has ended. An exception
    // escaping it is written to standard error as one line and ends the
    // program with status 1.
    void runHandler(const std::function<void()>& handler);

signals:
    // After each tick's handler has run; for in-process measurements.
    void ticked(volleon::Timer timer);
    void programEnded(int exitCode);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectHandlers();

    void followPrimaryScreen();
    void keepOnPrimaryScreen();

    // The program's end, once: closes every window and stops both timers; no handler runs after it.
    // Emits programEnded(exitCode) once.
    void closeProgram(int exitCode);

    // Centres the window on the screen by its outer width in twips.
    void centre(float outerWidthTwips);
    void Form_Load();
    void Form_Unload();
    void lblURL_Click();
    void onTick(Timer timer);

    KeyStateTracker keys_;
    QTimer* timerBall_ = nullptr;
    QTimer* timerKbrd_ = nullptr;
    QPushButton* cmdGo_ = nullptr;
    QPushButton* cmdKbrdTest_ = nullptr;
    ClickLabel* lblURL_ = nullptr;
    QLabel* lblScore_ = nullptr;
    std::unique_ptr<QtServices> services_;
    std::unique_ptr<Game> game_;
    // The window manager's frame, where it told it before the first show.
    std::optional<QMargins> frameBeforeShow_;
    bool shownOnce_ = false;
};

}  // namespace volleon::qt
