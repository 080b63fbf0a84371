#pragma once
// What a caller asked of Kinetra::transform: a plain record, read by nothing.

#include "runtime/Object.h"

namespace com::quillfern::motion {

class TransformOptions final : public rt::Object {
public:
    RT_DECLARE_CLASS
    TransformOptions(rt::Dynamic target, double duration, bool overwrite)
        : duration(duration), overwrite(overwrite), target(std::move(target)) {}
    double duration;
    bool overwrite;
    rt::Dynamic target;
};

}  // namespace com::quillfern::motion
