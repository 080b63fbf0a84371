#include "game/burrowbop/Entry.h"

#include <cstdio>
#include <exception>

namespace com::quillfern::burrowbop {

int runEntry(const std::function<void()>& entry) {
    try {
        entry();
    } catch (const std::exception& error) {
        std::printf("Error : %s\n", error.what());
        return 1;
    } catch (...) {
        std::printf("Error : %s\n", "unknown error");
        return 1;
    }
    return 0;
}

}  // namespace com::quillfern::burrowbop
