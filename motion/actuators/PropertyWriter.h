#pragma once
// Writes one named property of one object, with the by-name lookup done once:
// a class property goes straight to its setter, a plain object's field to its
// slot (checked on every write, so added fields never misdirect it), anything
// else through Object::set. The effect is always that of
// object->set(name, value); the object must outlive the writer.
//
//   PropertyWriter w(target.get(), "x");
//   w.write(12.5);  // as target->set("x", 12.5)

#include <cstdint>

#include "runtime/Object.h"

namespace com::quillfern::motion::actuators {

class PropertyWriter {
public:
    // A null object makes a writer that writes nothing.
    PropertyWriter(rt::Object* object, rt::Name name);

    void write(const rt::Dynamic& value) const {
        if (setter_) {
            setter_(*object_, value);
        } else if (plain_ && static_cast<rt::DynObject*>(object_)->setAt(slot_, name_, value)) {
            return;
        } else if (object_) {
            object_->set(name_, value);
        }
    }
    [[nodiscard]] rt::Object* object() const { return object_; }
    // Ask the cache for the object, then (once it is likely there) for the
    // place the value goes: a walk over many writers calls these some steps ahead.
    void prefetchObject() const { __builtin_prefetch(object_, 1); }
    void prefetchSlot() const {
        if (plain_) static_cast<const rt::DynObject*>(object_)->prefetch(slot_);
    }

private:
    rt::Object* object_;
    rt::ClassInfo::Setter setter_ = nullptr;
    rt::Name name_;
    std::uint32_t slot_ = 0;
    bool plain_ = false;
};

}  // namespace com::quillfern::motion::actuators
