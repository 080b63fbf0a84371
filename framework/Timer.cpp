#include "framework/Timer.h"

#include <algorithm>

#include "native/Call.h"
#include "runtime/ProcessState.h"

namespace limn {

namespace {

const native::Call<native::wire::limn_time_stamp> timeStamp;

}  // namespace

std::vector<std::shared_ptr<Timer>> Timer::sRunningTimers;
const bool Timer::resetRegistered =
    rt::registerReset(rt::ResetLayer::Framework, [] { sRunningTimers.clear(); });

const rt::ClassInfo& Timer::staticClass() {
    static const rt::ClassInfo info = rt::ClassInfo("limn.Timer", &rt::Object::staticClass())
                                          .readOnly<&Timer::mTime>("mTime")
                                          .readOnly<&Timer::mFireAt>("mFireAt")
                                          .readOnly<&Timer::mRunning>("mRunning")
                                          .field<&Timer::run>("run")
                                          .method<&Timer::stop>("stop")
                                          .method<&Timer::limnCheck>("limnCheck");
    return info;
}

Timer::Timer(Token, double time) : mTime(time), mFireAt(GetMS() + time) {}

std::shared_ptr<Timer> Timer::create(double time) {
    auto timer = std::make_shared<Timer>(Token{}, time);
    sRunningTimers.push_back(timer);
    return timer;
}

std::shared_ptr<Timer> Timer::delay(rt::Function f, int time) {
    auto timer = create(time);
    // Weak: the timer owns this callable, so a strong capture would keep it alive forever.
    std::weak_ptr<Timer> weak = timer;
    timer->run = rt::function([weak, f = std::move(f)] {
        if (auto self = weak.lock()) self->stop();
        if (f) f();
    });
    return timer;
}

void Timer::stop() {
    if (!mRunning) return;
    mRunning = false;
    auto it = std::find_if(sRunningTimers.begin(), sRunningTimers.end(),
                           [this](const auto& t) { return t.get() == this; });
    if (it != sRunningTimers.end()) sRunningTimers.erase(it);
}

void Timer::limnCheck(double now) {
    if (now < mFireAt) return;
    mFireAt += mTime;
    if (run) run();
}

double Timer::stamp() {
    return timeStamp();
}

double Timer::GetMS() {
    return stamp() * 1000.0;
}

void Timer::limnCheckTimers() {
    const double now = GetMS();
    for (std::size_t i = 0; i < sRunningTimers.size(); ++i) {
        // Hold it: a timer that stops itself leaves the list while it runs.
        auto timer = sRunningTimers[i];
        timer->limnCheck(now);
    }
}

double Timer::limnNextWake(double limit) {
    const double now = GetMS();
    for (const auto& timer : sRunningTimers) {
        const double d = (timer->mFireAt - now) / 1000.0;
        if (d < limit) {
            if (d < 0) return 0;
            limit = d;
        }
    }
    return limit;
}

}  // namespace limn
