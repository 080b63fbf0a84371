#pragma once
// A native module for benchmarks that answers "limn_time_stamp" from a settable
// clock, every creator with a fresh handle and everything else with null, so
// a figure measures the framework and not a backend.
//
//   auto quiet = std::make_shared<limn::bench::QuietBackend>();
//   limn::native::registerModule("limn", quiet);
//   limn::native::Primitive::resolveAll();

#include <memory>
#include <optional>
#include <string>

#include "native/Module.h"

namespace limn::bench {

class QuietBackend : public native::Module {
public:
    double now = 0;
    std::optional<native::PrimitiveFn> find(const std::string& exportName) const override {
        if (exportName.rfind("limn_time_stamp", 0) == 0) {
            return native::PrimitiveFn([this](rt::Args) { return rt::Dynamic(now); });
        }
        if (exportName.find("create") != std::string::npos) {
            return native::PrimitiveFn(
                [](rt::Args) { return rt::Dynamic(std::make_shared<Handle>()); });
        }
        return native::PrimitiveFn([](rt::Args) { return rt::Dynamic(); });
    }

private:
    struct Handle : rt::NativeObject {};
};

}  // namespace limn::bench
