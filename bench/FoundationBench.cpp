// Costs of the framework's foundations, each against a baseline of the same
// run: a resolved primitive call, a property write by name, and dispatching
// an event to its listeners.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "RatioReporter.h"
#include "backend/recording/RecordingBackend.h"
#include "framework/display/Sprite.h"
#include "framework/events/Event.h"
#include "framework/events/EventDispatcher.h"
#include "native/Call.h"
#include "native/Module.h"
#include "native/Primitive.h"
#include "runtime/Function.h"
#include "runtime/Object.h"

namespace {

using limn::native::Primitive;
using limn::recording::RecordingBackend;

// What a backend's trivial two-argument setter does: take the value, answer it.
rt::Dynamic echoSecond(rt::Args args) {
    return args.size() > 1 ? args[1] : rt::Dynamic();
}

std::shared_ptr<limn::native::TableModule> benchModule() {
    static const auto module = [] {
        auto m = std::make_shared<limn::native::TableModule>();
        m->add("bench_set_value", 2, echoSecond);
        m->add("bench_get_value", 1, [](rt::Args) { return rt::Dynamic(0.0); });
        return m;
    }();
    return module;
}

const Primitive tableSet{"bench_set_value", 2, "bench"};
const Primitive recordingSet{"limn_bench_set_value", 2};

rt::Handle someHandle() {
    return RecordingBackend::instance().makeHandle("bench");
}

// Shaped like a display object: a virtual setter that passes the value to one
// primitive and returns it.
class PrimitiveBacked : public rt::Object {
public:
    RT_DECLARE_CLASS
    rt::Dynamic limnHandle = someHandle();
    virtual double limnGetX() { return tableGet(limnHandle).asFloat(); }
    virtual double limnSetX(double value) {
        tableSet(limnHandle, value);
        return value;
    }

private:
    static inline const Primitive tableGet{"bench_get_value", 1, "bench"};
};

const rt::ClassInfo& PrimitiveBacked::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("bench.PrimitiveBacked", &rt::Object::staticClass())
            .property<&PrimitiveBacked::limnGetX, &PrimitiveBacked::limnSetX>("x");
    return info;
}

// A setter that only stores the value.
class FieldBacked : public rt::Object {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double getSpeed() const { return speed_; }
    double setSpeed(double value) {
        speed_ = value;
        return value;
    }

private:
    double speed_ = 0;
};

const rt::ClassInfo& FieldBacked::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("bench.FieldBacked", &rt::Object::staticClass())
            .property<&FieldBacked::getSpeed, &FieldBacked::setSpeed>("speed");
    return info;
}

// a) Primitive calls with two arguments.

void BM_PlainFunctionCall(benchmark::State& state) {
    const limn::native::PrimitiveFn fn = echoSecond;
    const rt::Handle handle = someHandle();
    for (auto _ : state) {
        const rt::Dynamic args[] = {rt::Dynamic(handle), rt::Dynamic(0.5)};
        benchmark::DoNotOptimize(fn(args));
    }
}
BENCHMARK(BM_PlainFunctionCall);

void BM_PrimitiveTableModule(benchmark::State& state) {
    const rt::Handle handle = someHandle();
    for (auto _ : state) benchmark::DoNotOptimize(tableSet(handle, 0.5));
}
BENCHMARK(BM_PrimitiveTableModule);

// call(handle) makes one call of a primitive that sets a number.
template <class C>
void recordingCalls(benchmark::State& state, const C& call) {
    auto& backend = RecordingBackend::instance();
    const rt::Handle handle = someHandle();
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(handle));
        // The backend keeps every call; clearing is part of what a call costs it.
        if (++n == 4096) {
            backend.clearCalls();
            n = 0;
        }
    }
    backend.clearCalls();
}

void BM_PrimitiveRecording(benchmark::State& state) {
    recordingCalls(state, [](const rt::Handle& h) { return recordingSet(h, 0.5); });
}
BENCHMARK(BM_PrimitiveRecording);

// The same call through a typed call of the wire (native/Call.h), to the same backend.
const limn::native::Call<limn::native::wire::limn_display_object_set_x> typedSetX;
const Primitive untypedSetX{"limn_display_object_set_x", 2};

void BM_PrimitiveUntypedSetX(benchmark::State& state) {
    recordingCalls(state, [](const rt::Handle& h) { return untypedSetX(h, 0.5); });
}
BENCHMARK(BM_PrimitiveUntypedSetX);

void BM_PrimitiveTypedSetX(benchmark::State& state) {
    recordingCalls(state, [](const rt::Handle& h) {
        typedSetX({.object = h, .value = 0.5});
        return 0;
    });
}
BENCHMARK(BM_PrimitiveTypedSetX);

// b) A float property written by name against the direct setter call.

void BM_PrimitiveSetterDirect(benchmark::State& state) {
    auto object = std::make_shared<PrimitiveBacked>();
    PrimitiveBacked* target = object.get();
    benchmark::DoNotOptimize(target);
    for (auto _ : state) benchmark::DoNotOptimize(target->limnSetX(0.5));
}
BENCHMARK(BM_PrimitiveSetterDirect);

void BM_PrimitiveSetterByName(benchmark::State& state) {
    static const rt::Name kX("x");
    std::shared_ptr<rt::Object> object = std::make_shared<PrimitiveBacked>();
    for (auto _ : state) object->set(kX, 0.5);
}
BENCHMARK(BM_PrimitiveSetterByName);

void BM_FieldSetterDirect(benchmark::State& state) {
    auto object = std::make_shared<FieldBacked>();
    FieldBacked* target = object.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(target);
        benchmark::DoNotOptimize(target->setSpeed(0.5));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FieldSetterDirect);

void BM_FieldSetterByName(benchmark::State& state) {
    static const rt::Name kSpeed("speed");
    std::shared_ptr<rt::Object> object = std::make_shared<FieldBacked>();
    for (auto _ : state) {
        object->set(kSpeed, 0.5);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FieldSetterByName);

// The same writes through a member looked up once (ClassInfo::find), as a
// caller that writes one property every frame can do.

void BM_PrimitiveSetterResolved(benchmark::State& state) {
    static const rt::Name kX("x");
    std::shared_ptr<rt::Object> object = std::make_shared<PrimitiveBacked>();
    const rt::ClassInfo::Member* member = object->classInfo().find(kX);
    for (auto _ : state) member->set(*object, 0.5);
}
BENCHMARK(BM_PrimitiveSetterResolved);

void BM_FieldSetterResolved(benchmark::State& state) {
    static const rt::Name kSpeed("speed");
    std::shared_ptr<rt::Object> object = std::make_shared<FieldBacked>();
    const rt::ClassInfo::Member* member = object->classInfo().find(kSpeed);
    for (auto _ : state) {
        member->set(*object, 0.5);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FieldSetterResolved);

// c) dispatchEvent to N listeners, against calling the same listeners directly.

std::vector<rt::Function> listeners(int count, int& heard) {
    std::vector<rt::Function> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(
            rt::function([&heard](const std::shared_ptr<limn::events::Event>&) { ++heard; }));
    }
    return out;
}

void BM_ListenersCalledDirectly(benchmark::State& state) {
    int heard = 0;
    const auto all = listeners(static_cast<int>(state.range(0)), heard);
    auto event = std::make_shared<limn::events::Event>(limn::events::Event::ENTER_FRAME);
    for (auto _ : state) {
        for (const auto& f : all) f(event);
    }
    benchmark::DoNotOptimize(heard);
}
BENCHMARK(BM_ListenersCalledDirectly)->Arg(1)->Arg(10);

void BM_DispatchEvent(benchmark::State& state) {
    int heard = 0;
    auto dispatcher = std::make_shared<limn::events::EventDispatcher>();
    for (const auto& f : listeners(static_cast<int>(state.range(0)), heard)) {
        dispatcher->addEventListener(limn::events::Event::ENTER_FRAME, f);
    }
    auto event = std::make_shared<limn::events::Event>(limn::events::Event::ENTER_FRAME);
    for (auto _ : state) benchmark::DoNotOptimize(dispatcher->dispatchEvent(event));
    benchmark::DoNotOptimize(heard);
}
BENCHMARK(BM_DispatchEvent)->Arg(1)->Arg(10);

}  // namespace

// c) A sprite's plain accessors against the limn... calls they wrap (recording backend).

template <class Write>
void spriteWrites(benchmark::State& state, Write write, double pivot = 0) {
    auto& backend = RecordingBackend::instance();
    auto sprite = std::make_shared<limn::display::Sprite>();
    sprite->setPivot(pivot, pivot);
    int n = 0;
    for (auto _ : state) {
        write(*sprite);
        if (++n == 4096) {
            backend.clearCalls();
            n = 0;
        }
    }
    backend.clearCalls();
}

void BM_SpriteLimnSetX(benchmark::State& state) {
    spriteWrites(state,
                 [](limn::display::Sprite& s) { benchmark::DoNotOptimize(s.limnSetX(0.5)); });
}
BENCHMARK(BM_SpriteLimnSetX);

void BM_SpriteSetX(benchmark::State& state) {
    spriteWrites(state, [](limn::display::Sprite& s) {
        s.setX(0.5);
        benchmark::ClobberMemory();
    });
}
BENCHMARK(BM_SpriteSetX);

void BM_SpriteLimnGetX(benchmark::State& state) {
    spriteWrites(state, [](limn::display::Sprite& s) { benchmark::DoNotOptimize(s.limnGetX()); });
}
BENCHMARK(BM_SpriteLimnGetX);

void BM_SpriteX(benchmark::State& state) {
    spriteWrites(state, [](limn::display::Sprite& s) { benchmark::DoNotOptimize(s.x()); });
}
BENCHMARK(BM_SpriteX);

// A pivot costs a matrix read per position write; none costs a test.
void BM_PivotedSpriteSetX(benchmark::State& state) {
    spriteWrites(
        state,
        [](limn::display::Sprite& s) {
            s.setX(0.5);
            benchmark::ClobberMemory();
        },
        8);
}
BENCHMARK(BM_PivotedSpriteSetX);

int main(int argc, char** argv) {
    // Every declared primitive resolves when the recording backend installs,
    // so the benchmark's own module must be there first.
    limn::native::registerModule("bench", benchModule());
    RecordingBackend::install();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    limn::bench::RatioReporter reporter({
        {"primitive call (trivial table module) / plain call", "BM_PrimitiveTableModule",
         "BM_PlainFunctionCall"},
        {"primitive call (recording backend) / plain call", "BM_PrimitiveRecording",
         "BM_PlainFunctionCall"},
        {"typed call of the wire / untyped primitive (same call, recording backend)",
         "BM_PrimitiveTypedSetX", "BM_PrimitiveUntypedSetX", 1.05},
        {"by-name write / direct setter (setter calls a primitive)", "BM_PrimitiveSetterByName",
         "BM_PrimitiveSetterDirect", 3.0},
        {"by-name write / direct setter (setter stores a field)", "BM_FieldSetterByName",
         "BM_FieldSetterDirect", 3.0},
        {"pre-resolved member write / direct setter (primitive)", "BM_PrimitiveSetterResolved",
         "BM_PrimitiveSetterDirect"},
        {"pre-resolved member write / direct setter (field)", "BM_FieldSetterResolved",
         "BM_FieldSetterDirect"},
        {"sprite setX(v) / limnSetX(v)", "BM_SpriteSetX", "BM_SpriteLimnSetX"},
        {"sprite x() / limnGetX()", "BM_SpriteX", "BM_SpriteLimnGetX"},
        {"sprite limnSetX(v) / the typed primitive call it makes", "BM_SpriteLimnSetX",
         "BM_PrimitiveTypedSetX", 1.1},
        {"pivoted sprite setX(v) / sprite setX(v)", "BM_PivotedSpriteSetX", "BM_SpriteSetX"},
        {"dispatchEvent / direct calls, 1 listener", "BM_DispatchEvent/1",
         "BM_ListenersCalledDirectly/1"},
        {"dispatchEvent / direct calls, 10 listeners", "BM_DispatchEvent/10",
         "BM_ListenersCalledDirectly/10"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
