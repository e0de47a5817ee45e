#include "display_check.h"

#include <xcb/xcb.h>

#include <QMessageLogContext>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>

namespace volleon::qt {

namespace {

// The value of a Qt option on the command line (-name value or --name value).
std::optional<std::string_view> option(int argc, const char* const* argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.starts_with("--")) {
            argument.remove_prefix(1);
        }
        if (argument.size() == name.size() + 1 && argument.front() == '-' && argument.substr(1) == name) {
            return argv[i + 1];
        }
    }
    return std::nullopt;
}

// The platform plugin Qt will try first: the command line's, else
// QT_QPA_PLATFORM's first entry without its options, else Qt's default on
// this system, xcb.
std::string_view platform(int argc, const char* const* argv) {
    std::string_view chosen = "xcb";
    if (const auto fromCommandLine = option(argc, argv, "platform")) {
        chosen = *fromCommandLine;
    } else if (const char* fromEnvironment = std::getenv("QT_QPA_PLATFORM");
               fromEnvironment != nullptr && *fromEnvironment != '\0') {
        chosen = fromEnvironment;
    }
    return chosen.substr(0, chosen.find_first_of(";:"));
}

bool opens(const char* display) {
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opened;
}

// A message of Qt's start, kept with its context until it is passed on.
struct HeldMessage {
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

// What the message handler of the explainer works with: Qt may call it from
// its own threads too.
struct Explaining {
    std::mutex mutex;
    QtMessageHandler previous = nullptr;
    std::vector<std::string> arguments;
    std::vector<HeldMessage> held;
};

Explaining& explaining() {
    static Explaining state;
    return state;
}

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Passes the held messages on, in order; the caller holds the mutex.
void passOnHeld(Explaining& state) {
    for (const HeldMessage& message : state.held) {
        const QMessageLogContext context(orNull(message.file), message.line, orNull(message.function),
                                         orNull(message.category));
        state.previous(message.type, context, message.text);
    }
    state.held.clear();
}

void explainOrHold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    Explaining& state = explaining();
    const std::lock_guard lock(state.mutex);
    if (type != QtFatalMsg) {
        state.held.push_back({type, context.file ? context.file : "", context.line,
                              context.function ? context.function : "", context.category ? context.category : "",
                              text});
        return;
    }
    std::vector<const char*> argv;
    for (const std::string& argument : state.arguments) {
        argv.push_back(argument.c_str());
    }
    if (const auto problem = displayProblem(static_cast<int>(argv.size()), argv.data())) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    passOnHeld(state);
    state.previous(type, context, text);
}

}  // namespace

DisplayFailureExplainer::DisplayFailureExplainer(int argc, const char* const* argv) {
    Explaining& state = explaining();
    const std::lock_guard lock(state.mutex);
    // Qt takes its own options out of argv while it starts.
    state.arguments.assign(argv, argv + argc);
    state.previous = qInstallMessageHandler(explainOrHold);
}

DisplayFailureExplainer::~DisplayFailureExplainer() { started(); }

void DisplayFailureExplainer::started() {
    if (!explaining_) {
        return;
    }
    explaining_ = false;
    Explaining& state = explaining();
    const std::lock_guard lock(state.mutex);
    qInstallMessageHandler(state.previous);
    passOnHeld(state);
}

std::optional<std::string> displayProblem(int argc, const char* const* argv) {
    // A display named on the command line is Qt's to open.
    if (platform(argc, argv) != "xcb" || option(argc, argv, "display")) {
        return std::nullopt;
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return "volleon: cannot open a display: DISPLAY is not set; set DISPLAY to the X display to play on "
               "(on a Wayland desktop, the one XWayland serves), e.g. DISPLAY=:0";
    }
    if (!opens(display)) {
        return std::string("volleon: cannot open the display \"") + display +
               "\" named by DISPLAY; set DISPLAY to a running X display, e.g. DISPLAY=:0";
    }
    return std::nullopt;
}

}  // namespace volleon::qt
