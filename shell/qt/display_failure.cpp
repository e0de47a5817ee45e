#include "display_failure.h"

#include <QMessageLogContext>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "x11/display_check.h"

namespace volleon::qt {

namespace {

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
    argv.reserve(state.arguments.size());
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

}  // namespace volleon::qt
