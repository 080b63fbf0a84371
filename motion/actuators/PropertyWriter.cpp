#include "motion/actuators/PropertyWriter.h"

namespace com::quillfern::motion::actuators {

PropertyWriter::PropertyWriter(rt::Object* object, rt::Name name) : object_(object), name_(name) {
    if (!object_) return;
    // The same choice Object::set makes; an object's class never changes.
    if (const auto* member = object_->classInfo().find(name_); member && member->set) {
        setter_ = member->set;
        return;
    }
    if (auto* plain = dynamic_cast<rt::DynObject*>(object_)) {
        std::ptrdiff_t index = plain->indexOf(name_);
        if (index >= 0 && static_cast<std::uint64_t>(index) <= UINT32_MAX) {
            plain_ = true;
            slot_ = static_cast<std::uint32_t>(index);
        }
    }
}

}  // namespace com::quillfern::motion::actuators
