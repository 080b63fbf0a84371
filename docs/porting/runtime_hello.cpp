// Objects reached by name: the runtime layer the framework stands on.
#include <cstdio>

#include "examples/CommandLine.h"
#include "runtime/Function.h"
#include "runtime/Object.h"
#include "runtime/Trace.h"

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv,
            {"runtime_hello",
             "The runtime layer: objects reached by name and callables (console only).", "", 0,
             false}))
        return *done;
    auto ball = rt::props({{"x", 100}, {"alpha", 0}});
    ball->set("alpha", 0.5);
    rt::trace(ball->describe());
    auto greet =
        rt::function([](const std::string& who) { std::printf("hello, %s\n", who.c_str()); });
    greet("limn");
    return 0;
}
