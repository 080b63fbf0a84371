#pragma once
// The object that Kinetra::timer animates: its `progress` runs from 0 to 1.

#include "runtime/Object.h"

namespace com::quillfern::motion {

class TweenTimer final : public rt::Object {
public:
    RT_DECLARE_CLASS
    explicit TweenTimer(double progress = 0) : progress(progress) {}
    double progress;
};

}  // namespace com::quillfern::motion
