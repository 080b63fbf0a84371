#pragma once
// What a caller asked of Kinetra::effects: a plain record, read by nothing.

#include "runtime/Object.h"

namespace com::quillfern::motion {

class EffectsOptions final : public rt::Object {
public:
    RT_DECLARE_CLASS
    EffectsOptions(rt::Dynamic target, double duration, bool overwrite)
        : duration(duration), overwrite(overwrite), target(std::move(target)) {}
    double duration;
    bool overwrite;
    rt::Dynamic target;
};

}  // namespace com::quillfern::motion
