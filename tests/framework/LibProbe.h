#pragma once
// Lib's process-wide state, for tests: private to Lib.

#include <memory>

#include "framework/Lib.h"

namespace limn {

struct LibProbe {
    static rt::Dynamic& mainFrame() { return Lib::limnMainFrame; }
    static std::shared_ptr<display::Stage>& stage() { return Lib::limnStage; }
    static std::shared_ptr<display::MovieClip>& current() { return Lib::limnCurrent; }
};

}  // namespace limn
