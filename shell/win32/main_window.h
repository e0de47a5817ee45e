// The main window Form1: the score, the start button, the key hints and the
// home-page link. It owns the game for the whole run, runs both timers and
// forwards the events of its controls and timers to the game's handlers.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "shell/design/window_design.h"
#include "win32_services.h"

namespace volleon::win32 {

class MainWindow {
public:
    // Builds the window from its design at the screen's top-left corner and
    // runs Form_Load. The caller shows it.
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Null once the program has ended.
    HWND handle() const { return hwnd_; }
    // The control of that design name, or null.
    HWND control(std::string_view name) const;
    Game& game() { return *game_; }
    Win32Services& services() { return *services_; }

    // Outer width and Left in twips.
    float outerWidth() const;
    void setOuterLeft(float twips);

    // True once the program has ended; exitCode() is then its status.
    bool hasEnded() const { return services_->hasEnded(); }
    int exitCode() const { return services_->exitCode(); }
    bool timerEnabled(Timer timer) const;

    // Runs an event handler unless the program has ended. An exception
    // escaping it is written to standard error as one line and ends the
    // program with status 1.
    void runHandler(const std::function<void()>& handler);

private:
    struct Control {
        const design::ControlDesign* design;
        HWND hwnd;
        HBRUSH backBrush;  // null where the design keeps the default
    };

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void buildControls();
    void enableTimer(Timer timer);
    // Brings the pieces that exist to the top of the stacking order.
    void raisePieces();
    void onCommand(HWND control);
    LRESULT labelColours(HDC dc, HWND label);

    // The program's end, once: stops both timers, destroys the pieces and ends the message loop with
    // exitCode; the main window goes with the process. No handler runs
    // after it.
    void closeProgram(int exitCode);

    void Form_Load();
    void Form_Unload();
    void lblURL_Click();

    HWND hwnd_ = nullptr;
    std::vector<Control> controls_;
    std::vector<HFONT> fonts_;
    HCURSOR linkCursor_ = nullptr;
    HWND cmdGo_ = nullptr;
    HWND cmdKbrdTest_ = nullptr;
    HWND lblURL_ = nullptr;
    HWND lblScore_ = nullptr;
    std::array<bool, 2> timerEnabled_{};
    std::unique_ptr<Win32Services> services_;
    std::unique_ptr<Game> game_;
};

}  // namespace volleon::win32
