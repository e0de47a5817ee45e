// Runs one event handler of the program. An error escaping it is reported on
// standard error as one line, so that the caller can end the program with a
// failure status.
#pragma once

#include <exception>
#include <functional>
#include <iostream>

namespace volleon::core {

// True when the handler ran to its end.
inline bool runGuarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        std::cerr << "volleon: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "volleon: unknown error" << '\n';
    }
    return false;
}

}  // namespace volleon::core
