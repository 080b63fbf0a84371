#pragma once
// A touch event: a mouse event with the touch point's id and whether it is the
// primary touch. The stage sets both after limnCreate.

#include <memory>
#include <string>

#include "framework/events/MouseEvent.h"

namespace limn::events {

class TouchEvent : public MouseEvent {
public:
    RT_DECLARE_CLASS

    static constexpr const char* TOUCH_BEGIN = "touchBegin";
    static constexpr const char* TOUCH_END = "touchEnd";
    static constexpr const char* TOUCH_MOVE = "touchMove";
    static constexpr const char* TOUCH_OUT = "touchOut";
    static constexpr const char* TOUCH_OVER = "touchOver";
    static constexpr const char* TOUCH_ROLL_OUT = "touchRollOut";
    static constexpr const char* TOUCH_ROLL_OVER = "touchRollOver";
    static constexpr const char* TOUCH_TAP = "touchTap";

    explicit TouchEvent(std::string type, bool bubbles = true, bool cancelable = false,
                        double localX = 0, double localY = 0, rt::Dynamic relatedObject = {},
                        bool ctrlKey = false, bool altKey = false, bool shiftKey = false,
                        bool buttonDown = false, int delta = 0, bool commandKey = false,
                        int clickCount = 0);

    int touchPointID = 0;
    bool isPrimaryTouchPoint = true;

    // As MouseEvent::limnCreate, building a TouchEvent.
    static std::shared_ptr<TouchEvent> limnCreate(const std::string& type, rt::Object& nativeEvent,
                                                  const limn::geom::Point& local,
                                                  const rt::Dynamic& target);

    // As MouseEvent's, also copying touchPointID and isPrimaryTouchPoint; the
    // result is a TouchEvent.
    [[nodiscard]] std::shared_ptr<MouseEvent> limnCreateSimilar(
        const std::string& type, const rt::Dynamic& related = {},
        const rt::Dynamic& target = {}) const override;
};

}  // namespace limn::events
