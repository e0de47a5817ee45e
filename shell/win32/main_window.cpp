#include "main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "click_on_release.h"
#include "colours.h"
#include "controls.h"
#include "held_keys.h"
#include "pictures.h"
#include "shell/core/home_page.h"
#include "shell/core/tab_order.h"
#include "shell/design/designs.h"
#include "text.h"
#include "twips.h"
#include "window_class.h"
#include "window_styles.h"

namespace volleon::win32 {

namespace {

const design::WindowDesign& kDesign = design::kForm1;
constexpr wchar_t kClassName[] = L"VolleonMain";

std::size_t timerIndex(Timer timer) { return timer == Timer::Ball ? 0 : 1; }
UINT_PTR timerId(Timer timer) { return timerIndex(timer) + 1; }
std::string_view timerName(Timer timer) {
    return timer == Timer::Ball ? design::name::timerBall : design::name::timerKbrd;
}

// The folder that holds the program file, in UTF-8: its UTF-16 name holds
// every character, where the system's code page may not.
std::string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::string() : narrow(std::wstring_view(path).substr(0, slash));
}

RECT windowRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

bool isWindowOfThisThread(HWND hwnd) {
    return hwnd != nullptr && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) {
    // The manifest asks for Common Controls 6; this loads it, so that its
    // button is the one created.
    const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    WindowClassLook look{.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))};
    if (kDesign.hasIcon) {
        look.icon = programIcon(instance, GetSystemMetrics(SM_CXICON));
        look.smallIcon = programIcon(instance, GetSystemMetrics(SM_CXSMICON));
    }
    registerWindowClass(instance, kClassName, &MainWindow::windowProc, look);
    linkCursor_ = linkCursor(instance);
    const Twips twips = Twips::ofScreen();
    const WindowStyle style = styleOf(kDesign);
    const SIZE outer = outerSize(style, twips.toPixelsX(kDesign.clientWidth), twips.toPixelsY(kDesign.clientHeight));
    // Loading: created hidden with its outer corner at the screen's top-left
    // corner.
    hwnd_ = CreateWindowExW(style.exStyle, kClassName, widen(kDesign.title).c_str(), style.style, 0, 0, outer.cx,
                            outer.cy, nullptr, nullptr, instance, this);
    buildControls();
    // The page opens when the button is released over the link, not on the
    // press that a label's click notice reports.
    clickOnRelease(lblURL_, [this] { runHandler([this] { lblURL_Click(); }); });

    services_ = std::make_unique<Win32Services>(Win32Services::Bindings{
        instance, lblScore_, [this](Timer timer) { enableTimer(timer); },
        [this](int exitCode) { closeProgram(exitCode); }});
    game_ = std::make_unique<Game>(*services_);
    runHandler([this] { Form_Load(); });
}

MainWindow::~MainWindow() {
    if (services_) {
        services_->destroyPieces();
    }
    if (hwnd_ != nullptr) {
        if (hasEnded()) {
            // Left to the end of the process: no message reaches this object
            // any more.
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        } else {
            DestroyWindow(hwnd_);
        }
    }
    for (const Control& control : controls_) {
        if (control.backBrush != nullptr) {
            DeleteObject(control.backBrush);
        }
    }
    for (HFONT font : fonts_) {
        DeleteObject(font);
    }
}

void MainWindow::buildControls() {
    const Twips twips = Twips::ofScreen();
    HFONT formFont = kDesign.font ? createFont(*kDesign.font) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (kDesign.font) {
        fonts_.push_back(formFont);
    }
    // Created in tab order, which is also the order the focus moves in.
    int id = 100;
    for (const design::ControlDesign* control : core::inTabOrder(kDesign)) {
        HFONT font = formFont;
        if (control->font) {
            font = createFont(*control->font);
            fonts_.push_back(font);
        }
        HWND hwnd = createControl(*control, hwnd_, ++id, font, twips);
        if (hwnd == nullptr) {
            continue;
        }
        HBRUSH back = control->backColour ? CreateSolidBrush(toColorRef(*control->backColour)) : nullptr;
        controls_.push_back(Control{control, hwnd, back});
    }
    cmdGo_ = control(design::name::cmdGo);
    cmdKbrdTest_ = control(design::name::cmdKbrdTest);
    lblURL_ = control(design::name::lblURL);
    lblScore_ = control(design::name::lblScore);
}

HWND MainWindow::control(std::string_view name) const {
    for (const Control& control : controls_) {
        if (control.design->name == name) {
            return control.hwnd;
        }
    }
    return nullptr;
}

float MainWindow::outerWidth() const {
    const RECT rect = windowRect(hwnd_);
    return Twips::ofScreen().fromPixelsX(rect.right - rect.left);
}

void MainWindow::setOuterLeft(float twips) {
    SetWindowPos(hwnd_, nullptr, Twips::ofScreen().toPixelsX(twips), windowRect(hwnd_).top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainWindow::timerEnabled(Timer timer) const { return timerEnabled_[timerIndex(timer)]; }

void MainWindow::enableTimer(Timer timer) {
    // Enabling a running timer leaves its countdown alone.
    bool& enabled = timerEnabled_[timerIndex(timer)];
    if (enabled) {
        return;
    }
    const design::ControlDesign* control = design::findControl(kDesign, timerName(timer));
    SetTimer(hwnd_, timerId(timer), static_cast<UINT>(control->intervalMs), nullptr);
    enabled = true;
}

void MainWindow::raisePieces() {
    // The pieces keep normal stacking (never topmost): they come to the top
    // with the main window, without taking the activation from it.
    if (!services_) {
        return;
    }
    for (Piece piece : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        if (const PieceWindow* window = services_->existingPiece(piece); window != nullptr) {
            SetWindowPos(window->handle(), HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
    }
}

void MainWindow::Form_Load() { setOuterLeft(centredOnScreen(services_->screenWidth(), outerWidth())); }

void MainWindow::Form_Unload() { services_->endProgram(); }

void MainWindow::lblURL_Click() {
    // The result is not looked at: without a browser nothing happens.
    const std::string folder = programFolder();
    const std::string page = core::homePageAddress(folder);
    if (!page.empty()) {
        ShellExecuteW(hwnd_, L"open", widen(page).c_str(), L"", widen(folder).c_str(), SW_SHOWDEFAULT);
    }
}

void MainWindow::runHandler(const std::function<void()>& handler) { services_->runHandler(handler); }

void MainWindow::closeProgram(int exitCode) {
    for (Timer timer : {Timer::Ball, Timer::Keyboard}) {
        if (timerEnabled_[timerIndex(timer)]) {
            KillTimer(hwnd_, timerId(timer));
        }
    }
    services_->destroyPieces();
    // The main window goes with the process, which ends as soon as the
    // message loop sees the quit message. (Destroying it here costs nothing
    // on Windows, but on an X11 desktop without a window manager Wine then
    // waits two seconds for a window manager to withdraw it.)
    PostQuitMessage(exitCode);
}

void MainWindow::onCommand(HWND control) {
    if (control == nullptr) {
        return;
    }
    if (control == cmdGo_) {
        runHandler([this] { game_->cmdGo_Click(); });
    } else if (control == cmdKbrdTest_) {
        runHandler([this] { game_->cmdKbrdTest_Click(); });
    }
}

LRESULT MainWindow::labelColours(HDC dc, HWND label) {
    for (const Control& control : controls_) {
        if (control.hwnd != label) {
            continue;
        }
        if (control.design->foreColour) {
            SetTextColor(dc, toColorRef(*control.design->foreColour));
        }
        if (control.backBrush == nullptr || !control.design->backColour) {
            break;
        }
        SetBkColor(dc, toColorRef(*control.design->backColour));
        return reinterpret_cast<LRESULT>(control.backBrush);
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT MainWindow::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            onCommand(reinterpret_cast<HWND>(lParam));
        }
        return 0;
    case WM_TIMER:
        if (wParam == timerId(Timer::Ball)) {
            runHandler([this] { game_->timerBall_Timer(); });
        } else if (wParam == timerId(Timer::Keyboard)) {
            runHandler([this] { game_->timerKbrd_Timer(); });
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        return labelColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == lblURL_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(linkCursor_);
            return TRUE;
        }
        break;
    case WM_ACTIVATEAPP:
        // Another program becomes active: the keys held now are let go
        // there, where this thread never hears of it.
        if (wParam == FALSE) {
            releaseHeldKeys();
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && !isWindowOfThisThread(reinterpret_cast<HWND>(lParam))) {
            releaseHeldKeys();
        }
        // Another program may have covered the pieces meanwhile.
        if (LOWORD(wParam) != WA_INACTIVE) {
            raisePieces();
        }
        // The start button is the one control that takes the focus, so Space
        // presses it while the window is active.
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
            if (cmdGo_ != nullptr) {
                SetFocus(cmdGo_);
                return 0;
            }
        }
        break;
    case WM_CLOSE:
        // Closing cannot be refused: it ends the program, pieces included.
        runHandler([this] { Form_Unload(); });
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handleMessage(hwnd, message, wParam, lParam);
}

}  // namespace volleon::win32
