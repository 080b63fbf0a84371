// Waiting on the audio thread from a test: polls a condition with a deadline.
#pragma once

#include <chrono>
#include <thread>

namespace limn::testing {

// Waits (at most `limit`) until `done` holds; false when it never did.
template <class F>
bool waitFor(F done, std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace limn::testing
