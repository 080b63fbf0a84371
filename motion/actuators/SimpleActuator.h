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
//
// Beside `actuators` the walk keeps one packed record per entry with what a
// running one-property tween needs every frame (time offset, duration, ease,
// start, change and the resolved property writer), so the walk streams
// through that array and touches an actuator only when something else has to
// happen (first or last update, delay, pause, handlers, special options). The
// record is refreshed whenever the actuator's methods change any of these;
// `timeOffset` is read-only by name; writing `duration`, `_ease` or `special`
// by name (or from a subclass) on a running tween is not seen by it.
//
// A finished or stopped actuator keeps its entry (and its place in the
// list's size, `actuatorsLength`) until the next frame, as above, but the entry is null
// from the moment it finished: the list never prolongs an actuator's life,
// and those that finish inside a walk are dropped by the next at no cost
// (see FrameList).

#include <memory>
#include <vector>

#include "motion/actuators/FrameList.h"
#include "motion/actuators/GenericActuator.h"
#include "motion/actuators/PropertyDetails.h"

namespace limn::events {
class Event;
}

namespace com::quillfern::motion::actuators {

class SimpleActuator : public GenericActuator {
public:
    RT_DECLARE_CLASS
    // The first construction in a process installs the frame listener on the
    // stage of Lib::current(), so it needs the stage to exist. When the root
    // clip is off the stage it throws rt::Error "Error : tweens need the stage,
    // and the root clip is not on it" and installs nothing; a later
    // construction tries again.
    SimpleActuator(rt::Dynamic target, double duration, rt::ObjectPtr properties);

    std::shared_ptr<GenericActuator> autoVisible(bool value = true) override;
    std::shared_ptr<GenericActuator> delay(double duration) override;
    void move() override;
    using GenericActuator::onUpdate;
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

    // The frame-driven list and its length, and whether the frame listener is
    // installed (false until the first construction that found the stage).
    [[nodiscard]] static const FrameList& getActuators() { return actuators; }
    [[nodiscard]] static int getActuatorsLength() { return static_cast<int>(actuators.size()); }
    [[nodiscard]] static bool isListening() { return listening; }

protected:
    void limnOptionsChanged() override { refreshRecord(); }

private:
    static FrameList actuators;
    static bool listening;

    // Run state, read and written by name as fields (the flags together,
    // with the frame slot's, so that they take no room apart).
    double timeOffset = 0;
    int detailsLength = 0;
    bool active = true;
    bool cacheVisible = false;
    bool initialized = false;
    bool paused = false;
    bool sendChange = false;
    bool setVisible = false;
    bool toggleVisible = false;
    bool inFrame_ = false;
    double pauseTime = 0;                          // milliseconds
    std::vector<PropertyDetails> propertyDetails;  // by value: walked every frame
    double startTime = 0;

    static void installFrameDriver();
    // What the walk needs of a running one-property tween on the common path.
    struct FrameRecord {
        double timeOffset = 0;
        double duration = 0;
        double start = 0;
        double change = 0;
        // Null when the walk must ask the actuator itself.
        const easing::IEasing* ease = nullptr;
        PropertyWriter writer{nullptr, rt::Name("")};
    };

    void writeCommon(double e);
    void writeSpecial(double position);
    void finishRun(double currentTime);
    [[nodiscard]] FrameRecord record() const;
    void refreshRecord();
    // Moves entry from to to in the walk's arrays (from >= to).
    static void keepEntry(std::size_t from, std::size_t to);
    static void prefetchAhead(std::size_t index, std::size_t n);
    // Lets go of this actuator's entry as soon as it has finished or stopped.
    void releaseFrameEntry();

    static std::vector<FrameRecord> records;  // parallel to actuators
    std::size_t frameSlot_ = 0;
    // Hold what the record's raw pointers point to while it may be read.
    std::shared_ptr<easing::IEasing> recordEase_;
    rt::ObjectPtr recordTarget_;
};

}  // namespace com::quillfern::motion::actuators
