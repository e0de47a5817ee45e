#include "display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
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

}  // namespace

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
