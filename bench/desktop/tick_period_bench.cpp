// Measures the ball timer's period inside the program: creates the main
// window, presses "Go" and records the time of every ball tick through the
// main window's ticked signal, then prints the mean period and how far the
// periods stray from the designed 50 ms (mean, 99th percentile, largest).
//
// Needs a display (run it under Xvfb; desktop_bench.py does). Usage:
//   tick_period_bench [ticks]     (default 1200)
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "game/timers.h"
#include "shell/qt/game_fonts.h"
#include "shell/qt/main_window.h"
#include "shell/qt/program_setup.h"

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size()))) - 1;
    return values[std::min(index, values.size() - 1)];
}

void report(const std::vector<Clock::time_point>& ticks) {
    constexpr double kDesignedMs = volleon::kBallTimerIntervalMs;
    std::vector<double> periods;
    std::vector<double> deviations;
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const double ms = std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count();
        periods.push_back(ms);
        deviations.push_back(std::abs(ms - kDesignedMs));
    }
    const double n = static_cast<double>(periods.size());
    const double mean = std::accumulate(periods.begin(), periods.end(), 0.0) / n;
    const double meanDeviation = std::accumulate(deviations.begin(), deviations.end(), 0.0) / n;
    std::printf("ball ticks measured:          %zu periods\n", periods.size());
    std::printf("mean period:                  %.3f ms (designed %.0f ms)\n", mean, kDesignedMs);
    std::printf("mean deviation from 50 ms:    %.3f ms\n", meanDeviation);
    std::printf("99th percentile deviation:    %.3f ms\n", percentile(deviations, 0.99));
    std::printf("largest deviation:            %.3f ms\n",
                *std::max_element(deviations.begin(), deviations.end()));
}

}  // namespace

int main(int argc, char* argv[]) {
    const long wanted = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1200;
    if (wanted < 2) {
        std::fprintf(stderr, "usage: %s [ticks >= 2]\n", argv[0]);
        return 2;
    }
    volleon::qt::prepareEnvironment();
    const volleon::qt::GameFonts fonts;
    QApplication application(argc, argv);
    volleon::qt::setUpApplication(application);

    volleon::qt::MainWindow form1;
    std::vector<Clock::time_point> ticks;
    ticks.reserve(static_cast<std::size_t>(wanted));
    QObject::connect(&form1, &volleon::qt::MainWindow::ticked, &application, [&](volleon::Timer timer) {
        if (timer != volleon::Timer::Ball) {
            return;
        }
        ticks.push_back(Clock::now());
        if (ticks.size() == static_cast<std::size_t>(wanted)) {
            QCoreApplication::exit(0);
        }
    });
    QObject::connect(&form1, &volleon::qt::MainWindow::programEnded, &application,
                     [](int exitCode) { QCoreApplication::exit(exitCode == 0 ? 1 : exitCode); });
    form1.show();

    auto* go = form1.findChild<QPushButton*>(QStringLiteral("cmdGo"));
    if (go == nullptr) {
        std::fprintf(stderr, "no cmdGo button on the main window\n");
        return 1;
    }
    QTimer::singleShot(200, go, &QPushButton::click);
    // Far more than the run needs; a stalled timer fails instead of hanging.
    QTimer::singleShot(static_cast<int>(wanted) * volleon::kBallTimerIntervalMs * 3 + 5000, &application,
                       [] { QCoreApplication::exit(3); });

    const int status = QApplication::exec();
    if (status != 0) {
        std::fprintf(stderr, "stopped after %zu ball ticks (status %d)\n", ticks.size(), status);
        return status;
    }
    report(ticks);
    return 0;
}
