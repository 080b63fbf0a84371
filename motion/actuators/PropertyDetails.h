#pragma once
// One animated property of a running tween: where it started and by how much
// it changes. Built once per actuator, on its first update.

#include <string>

#include "runtime/Object.h"

namespace com::quillfern::motion::actuators {

class PropertyDetails final : public rt::Object {
public:
    RT_DECLARE_CLASS
    PropertyDetails(rt::Dynamic target, rt::Name propertyName, double start, double change)
        : target(std::move(target)), propertyName(propertyName), start(start), change(change) {
        limnObject = this->target.asObject().get();
    }

    rt::Dynamic target;
    rt::Name propertyName;  // interned: written by name every frame
    double start;
    double change;
    // The target as an object (null for other values), kept alive by `target`:
    // spares a shared-pointer copy on every write.
    rt::Object* limnObject = nullptr;
};

}  // namespace com::quillfern::motion::actuators
