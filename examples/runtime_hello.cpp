// Objects reached by name: the runtime layer the framework stands on.
#include <cstdio>

#include "runtime/Function.h"
#include "runtime/Object.h"
#include "runtime/Trace.h"

int main() {
    auto ball = rt::props({{"x", 100}, {"alpha", 0}});
    ball->set("alpha", 0.5);
    rt::trace(ball->describe());
    auto greet = rt::function([](const std::string& who) { std::printf("hello, %s\n", who.c_str()); });
    greet("limn");
    return 0;
}
