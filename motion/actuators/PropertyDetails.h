#pragma once
// One animated property of a running tween: where it started and by how much
// it changes. Built once per actuator, on its first update.

#include <string>

#include "motion/actuators/PropertyWriter.h"
#include "runtime/Object.h"

namespace com::quillfern::motion::actuators {

class PropertyDetails final : public rt::Object {
public:
    RT_DECLARE_CLASS
    PropertyDetails(rt::Dynamic target, rt::Name propertyName, double start, double change)
        : target(std::move(target)),
          propertyName(propertyName),
          start(start),
          change(change),
          limnWriter(this->target.asObject().get(), propertyName) {}

    rt::Dynamic target;
    rt::Name propertyName;  // interned: written by name every frame
    double start;
    double change;
    // Writes propertyName of the target (nothing for a target that is not an
    // object), looked up once; the target is kept alive by `target`.
    PropertyWriter limnWriter;
};

}  // namespace com::quillfern::motion::actuators
