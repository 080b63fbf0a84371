#pragma once
// The frame-driven actuator that Kinetra::tween makes for every positive
// duration. All running ones sit in one static list, advanced by one shared
// "enterFrame" listener on the stage: each frame reads the clock once and
// updates every active actuator whose start time has passed (strictly).
//
// Time is Lib::getTimer() / 1000 seconds, so it advances in 1 ms steps.
// Handlers may start, stop, pause or resume tweens (their own included) while
// the frame walk runs: each actuator present when the frame began is visited
// exactly once, and new ones wait for the next frame.

#include <memory>
#include <vector>

#include "motion/actuators/GenericActuator.h"
#include "motion/actuators/PropertyDetails.h"

namespace limn::display {
class Shape;
}
namespace limn::events {
class Event;
}

namespace com::quillfern::motion::actuators {

class SimpleActuator : public GenericActuator {
public:
    RT_DECLARE_CLASS
    // The first construction in a process installs the frame listener on the
    // stage of Lib::current(), so it needs the stage to exist.
    SimpleActuator(rt::Dynamic target, double duration, rt::ObjectPtr properties);

    std::shared_ptr<GenericActuator> autoVisible(bool value = true) override;
    std::shared_ptr<GenericActuator> delay(double duration) override;
    void move() override;
    std::shared_ptr<GenericActuator> onUpdate(rt::Function handler,
                                              rt::ArrayPtr parameters = nullptr) override;
    void pause() override;
    void resume() override;
    void stop(const rt::ObjectPtr& properties, bool complete, bool sendEvent) override;
    virtual void initialize();
    virtual void update(double currentTime);

    // The shared frame listener; the event is not used.
    static void shape_onEnterFrame(const std::shared_ptr<limn::events::Event>& event);
    // Forgets every running actuator and the installed listener, for a host
    // that replaces its stage (tests); the next construction installs anew.
    static void limnResetFrameDriver();

    double timeOffset = 0;
    bool active = true;
    bool cacheVisible = false;
    int detailsLength = 0;
    bool initialized = false;
    bool paused = false;
    double pauseTime = 0;                          // milliseconds
    std::vector<PropertyDetails> propertyDetails;  // by value: walked every frame
    bool sendChange = false;
    bool setVisible = false;
    double startTime = 0;
    bool toggleVisible = false;

    static std::vector<std::shared_ptr<SimpleActuator>> actuators;
    static int actuatorsLength;
    static std::shared_ptr<limn::display::Shape> shape;

private:
    void writeCommon(double e);
    void writeSpecial(double position);
    void finishRun(double currentTime);
};

}  // namespace com::quillfern::motion::actuators
