#pragma once
// What a node may ask of the stage at the root of its tree, without knowing
// the stage layer: where the pointer is, handing an event record to the
// framework, and the system clipboard. The stage's root node implements it.
//
//   if (auto* stage = dynamic_cast<StageLink*>(root())) stage->deliver(record);

#include <string>

#include "runtime/Dynamic.h"

namespace limn::sdl {

class StageLink {
public:
    virtual ~StageLink() = default;

    // Pointer position in stage pixels, as last reported by input.
    [[nodiscard]] virtual double pointerStageX() const = 0;
    [[nodiscard]] virtual double pointerStageY() const = 0;
    // Hands a record to the framework's handler (nothing without one).
    virtual void deliver(const rt::Dynamic& record) = 0;
    // The clipboard's text ("" when it holds none), and replacing it.
    [[nodiscard]] virtual std::string clipboardText() const = 0;
    virtual void setClipboardText(const std::string& text) = 0;

protected:
    StageLink() = default;
    StageLink(const StageLink&) = default;
    StageLink& operator=(const StageLink&) = default;
};

}  // namespace limn::sdl
