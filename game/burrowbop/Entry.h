#pragma once
// The game's entry as a process runs it, on the desktop and in the page.

#include <functional>

namespace com::quillfern::burrowbop {

// Runs `entry`; an error that escapes it is printed on standard output as
// "Error : <text>" and gives 1, a normal return 0.
int runEntry(const std::function<void()>& entry);

}  // namespace com::quillfern::burrowbop
