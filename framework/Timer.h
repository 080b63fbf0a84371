#pragma once
// The framework's clock and its repeating callback timers.
//
// The clock is the backend's "limn_time_stamp" (seconds); every time value of
// the framework comes from it. Timers never run on their own: the stage fires
// due ones on each backend poll (limnCheckTimers) and asks to be woken in time
// for the earliest (limnNextWake). A timer runs from creation until stop(); the
// running list holds it, so a caller may drop its own reference.
//
//   auto t = limn::Timer::create(100);           // every 100 ms
//   t->run = rt::function([] { step(); });
//   limn::Timer::delay(rt::function([] { once(); }), 500);
//   limn::Timer::every(100, [] { step(); });      // from C++: any callable
//   limn::Timer::delay([] { once(); }, 500);

#include <concepts>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "runtime/Function.h"
#include "runtime/Object.h"

namespace limn {

class Timer : public rt::Object {
    struct Token {
        explicit Token() = default;
    };

public:
    RT_DECLARE_CLASS

    rt::Function run;  // called when due; a timer without one just keeps time

    // Made only through create(), which registers the timer as running.
    Timer(Token, double time);

    // A running timer of the given period (ms), first due one period from now.
    static std::shared_ptr<Timer> create(double time);
    // A one-shot call of f after `time` ms; the timer stops itself before calling f.
    static std::shared_ptr<Timer> delay(rt::Function f, int time);
    template <class F>
    requires(std::invocable<F&> &&
             !std::same_as<std::decay_t<F>,
                           rt::Function>) static std::shared_ptr<Timer> delay(F&& f, int time) {
        return delay(rt::function(std::forward<F>(f)), time);
    }
    // A running timer of the given period (ms) that calls f each time it is due.
    template <class F>
    requires std::invocable<F&>
    static std::shared_ptr<Timer> every(double time, F&& f) {
        auto timer = create(time);
        timer->run = rt::function(std::forward<F>(f));
        return timer;
    }

    // Leaves the running list; a stopped timer never runs again.
    void stop();
    // Fires at most once when `now` (ms) has reached the due time, which then
    // advances by one period from the previous due time (late timers catch up).
    void limnCheck(double now);

    // The period and the next due time, milliseconds on the GetMS clock.
    [[nodiscard]] double period() const { return mTime; }
    [[nodiscard]] double fireAt() const { return mFireAt; }
    // True from construction until stop().
    [[nodiscard]] bool isRunning() const { return mRunning; }

    // Seconds from the backend clock; 0 when it answers nothing.
    [[nodiscard]] static double stamp();
    [[nodiscard]] static double GetMS();
    static void limnCheckTimers();
    // Seconds until the earliest running timer is due, 0 when one is overdue,
    // or `limit` when none is due sooner.
    [[nodiscard]] static double limnNextWake(double limit);

private:
    friend struct TimerProbe;  // tests

    // Every running timer, in start order.
    static std::vector<std::shared_ptr<Timer>> sRunningTimers;
    // Back to a fresh process's state, for tests (rt::resetProcessState).
    static const bool resetRegistered;

    double mTime = 0;
    double mFireAt = 0;
    bool mRunning = true;
};

}  // namespace limn
