#pragma once
// A pointer event: local coordinates in the target's space, stage coordinates,
// modifier keys and the button state.
//
// relatedObject is an rt::Dynamic, like Event::target: the interactive object
// on the other side of an out/over change (an object or null).
//
// The stage builds these from native records with limnCreate(), and derives
// the out/over/roll events from one of them with limnCreateSimilar(), which is
// virtual so that a TouchEvent yields a TouchEvent.

#include <memory>
#include <string>

#include "framework/events/Event.h"
#include "framework/geom/Point.h"
#include "native/WireConstants.h"

namespace limn::events {

// The event record's flag bits are members (MouseEvent::efShiftDown).
class MouseEvent : public Event, public native::EventCodes {
public:
    RT_DECLARE_CLASS

    static constexpr const char* CLICK = "click";
    static constexpr const char* DOUBLE_CLICK = "doubleClick";
    static constexpr const char* MOUSE_DOWN = "mouseDown";
    static constexpr const char* MOUSE_MOVE = "mouseMove";
    static constexpr const char* MOUSE_OUT = "mouseOut";
    static constexpr const char* MOUSE_OVER = "mouseOver";
    static constexpr const char* MOUSE_UP = "mouseUp";
    static constexpr const char* MOUSE_WHEEL = "mouseWheel";
    static constexpr const char* ROLL_OUT = "rollOut";
    static constexpr const char* ROLL_OVER = "rollOver";

    explicit MouseEvent(std::string type, bool bubbles = true, bool cancelable = false,
                        double localX = 0, double localY = 0, rt::Dynamic relatedObject = {},
                        bool ctrlKey = false, bool altKey = false, bool shiftKey = false,
                        bool buttonDown = false, int delta = 0, bool commandKey = false,
                        int clickCount = 0);

    double localX;
    double localY;
    rt::Dynamic relatedObject;
    bool ctrlKey;
    bool altKey;
    bool shiftKey;
    bool buttonDown;
    int delta;
    bool commandKey;
    int clickCount;
    double stageX = 0;  // stage pixels; set by limnCreate, never by the constructor
    double stageY = 0;

    // The event for a native pointer record: modifiers and button from its
    // `flags` (the command bit is not read), stageX/stageY from its `x`/`y`,
    // all read by name. `target` is stored as given.
    static std::shared_ptr<MouseEvent> limnCreate(const std::string& type, rt::Object& nativeEvent,
                                                  const limn::geom::Point& local,
                                                  const rt::Dynamic& target);

    // A new event of the same class and flags with another type; relatedObject
    // is `related` unless null, `target` is set only when given; stageX/stageY
    // are not carried over.
    [[nodiscard]] virtual std::shared_ptr<MouseEvent> limnCreateSimilar(
        const std::string& type, const rt::Dynamic& related = {},
        const rt::Dynamic& target = {}) const;

    void updateAfterEvent() {}

protected:
    // Shared by the subclasses' limnCreate and limnCreateSimilar.
    static void limnReadNative(MouseEvent& event, rt::Object& nativeEvent,
                               const limn::geom::Point& local, const rt::Dynamic& target);
    void limnCopyInto(MouseEvent& similar, const rt::Dynamic& related,
                      const rt::Dynamic& target) const;
};

}  // namespace limn::events
