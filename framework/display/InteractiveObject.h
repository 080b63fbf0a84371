#pragma once
// A display object that takes part in input routing: it appears in the
// interactive stacks the stage builds (DisplayObject::limnGetInteractiveObjectStack).
// mouseEnabled starts true; the backend hears of it only when it is set.

#include "framework/display/DisplayObject.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_INTERACTIVE_OBJECT_PROPERTIES(RW, RO) RW(mouseEnabled, MouseEnabled, bool)

namespace limn::display {

class InteractiveObject : public DisplayObject {
public:
    RT_DECLARE_CLASS

    explicit InteractiveObject(rt::Dynamic handle);

    std::shared_ptr<InteractiveObject> limnAsInteractiveObject() override;
    [[nodiscard]] bool limnGetMouseEnabled() const;
    // Stores the flag and passes it to the backend.
    bool limnSetMouseEnabled(bool value);
    LIMN_INTERACTIVE_OBJECT_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)

private:
    bool limnMouseEnabled = true;
};

}  // namespace limn::display
