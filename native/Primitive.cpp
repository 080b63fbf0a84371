#include "native/Primitive.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "runtime/Error.h"
#include "runtime/Log.h"

namespace limn::native {

namespace {

std::vector<Primitive*>& declared() {
    static std::vector<Primitive*> all;
    return all;
}

}  // namespace

Primitive::Primitive(std::string name, int argCount, std::string module)
    : name_(std::move(name)), module_(std::move(module)), argCount_(argCount) {
    declared().push_back(this);
}

Primitive::~Primitive() {
    auto& all = declared();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void Primitive::resolve() const {
    resolved_ = true;
    fn_ = nullptr;
    auto module = findModule(module_);
    if (!module) {
        rt::log::error("no module \"" + module_ +
                       "\" is registered: register the backend before the first primitive "
                       "call (limn::sdl::registerModule() for the desktop, "
                       "limn::recording::RecordingBackend::install() in tests)");
        throw rt::Error("Could not load module " + module_);
    }
    const std::string exported = exportName(name_, argCount_);
    auto found = module->find(exported);
    if (!found) {
        std::fprintf(stderr, "Could not find primitive %s.\n", exported.c_str());
    } else if (!*found) {
        std::fprintf(stderr, "Could not identify primitive %s in %s\n", exported.c_str(),
                     module_.c_str());
    } else {
        fn_ = std::move(*found);
    }
}

const PrimitiveFn& Primitive::fn() const {
    if (!resolved_) resolve();
    return fn_;
}

bool Primitive::isNull() const {
    return !fn();
}

rt::Dynamic Primitive::invoke(rt::Args args) const {
    const PrimitiveFn& call = fn();
    if (!call) {
        rt::log::once(rt::log::Level::Error, "unresolved:" + name_,
                      "primitive " + exportName(name_, argCount_) +
                          " is not exported by module \"" + module_ +
                          "\" (the backend lacks it or is older than the framework)");
        throw rt::NullCallError(name_);
    }
    if (argCount_ == kVariableArgs) {
        // A variable count travels as one array.
        const rt::Dynamic packed[] = {
            rt::Dynamic(std::make_shared<rt::Array>(args.begin(), args.end()))};
        return call(packed);
    }
    return call(args);
}

std::vector<const Primitive*> Primitive::declaredAll() {
    return {declared().begin(), declared().end()};
}

void Primitive::resolveAll() {
    int missing = 0;
    for (Primitive* p : declared()) {
        p->resolve();
        missing += p->fn_ ? 0 : 1;
    }
    if (rt::log::enabled(rt::log::Level::Debug)) {
        rt::log::debug(std::to_string(declared().size()) + " primitives declared, " +
                       std::to_string(missing) + " unresolved");
    }
}

}  // namespace limn::native
