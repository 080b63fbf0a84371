#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/events/Event.h"
#include "framework/events/EventDispatcher.h"
#include "framework/events/EventPhase.h"
#include "framework/events/IOErrorEvent.h"
#include "framework/events/MouseEvent.h"
#include "runtime/Function.h"

namespace {

using limn::events::Event;
using limn::events::EventDispatcher;
using limn::events::EventPhase;
using limn::events::Listener;
using limn::events::MouseEvent;

using Log = std::vector<std::string>;

// A listener that notes its name in a shared log.
rt::Function note(Log& log, std::string name) {
    return rt::function([&log, name](const std::shared_ptr<Event>&) { log.push_back(name); });
}

std::shared_ptr<Event> inPhase(const std::string& type, int phase, bool cancelable = false) {
    auto e = std::make_shared<Event>(type, false, cancelable);
    e->limnSetPhase(phase);
    return e;
}

// An object whose bound method is used as a listener.
class Receiver : public rt::Object {
public:
    void onEvent(const std::shared_ptr<Event>& e) { heard.push_back(e->type); }
    Log heard;
};

class DispatchWalk : public ::testing::Test {
protected:
    std::shared_ptr<EventDispatcher> d = std::make_shared<EventDispatcher>();
    Log log;
};

TEST_F(DispatchWalk, NoMapOrNoEntryForTheTypeReturnsFalse) {
    EXPECT_FALSE(d->dispatchEvent(std::make_shared<Event>("click")));
    d->addEventListener("enterFrame", note(log, "a"));
    EXPECT_FALSE(d->dispatchEvent(std::make_shared<Event>("click")));
    EXPECT_TRUE(log.empty());
}

TEST_F(DispatchWalk, EntryStaysAfterItsOnlyListenerIsRemoved) {
    auto f = note(log, "a");
    d->addEventListener("click", f);
    d->removeEventListener("click", f);
    EXPECT_TRUE(d->hasEventListener("click"));
    EXPECT_TRUE(d->willTrigger("click"));
    EXPECT_TRUE(d->dispatchEvent(std::make_shared<Event>("click")))
        << "an existing entry makes dispatch return true even when nobody runs";
    EXPECT_TRUE(log.empty());
}

TEST_F(DispatchWalk, HasEventListenerIsFalseBeforeAnyAdd) {
    EXPECT_FALSE(d->hasEventListener("click"));
    EXPECT_FALSE(d->willTrigger("click"));
    EXPECT_FALSE(d->dispatchEvent(std::make_shared<Event>("click")));
}

TEST_F(DispatchWalk, PriorityDoesNotReorder) {
    d->addEventListener("click", note(log, "p0"), false, 0);
    d->addEventListener("click", note(log, "p10"), false, 10);
    d->addEventListener("click", note(log, "p5"), false, 5);
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(log, (Log{"p0", "p10", "p5"}));
}

TEST_F(DispatchWalk, ListenerRemovingItselfDoesNotSkipTheNext) {
    rt::Function self;
    self = rt::function([&](const std::shared_ptr<Event>&) {
        log.push_back("self");
        d->removeEventListener("click", self);
    });
    d->addEventListener("click", note(log, "before"));
    d->addEventListener("click", self);
    d->addEventListener("click", note(log, "next"));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(log, (Log{"before", "self", "next"}));
    self = {};  // break the lambda's reference to itself
}

TEST_F(DispatchWalk, ListenerRemovingALaterOneKeepsItFromRunning) {
    auto later = note(log, "later");
    d->addEventListener("click", rt::function([&](const std::shared_ptr<Event>&) {
                            log.push_back("first");
                            d->removeEventListener("click", later);
                        }));
    d->addEventListener("click", later);
    d->addEventListener("click", note(log, "last"));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(log, (Log{"first", "last"}));
}

TEST_F(DispatchWalk, ListenerRemovingAnEarlierOneDoesNotSkipTheNext) {
    auto earlier = note(log, "earlier");
    d->addEventListener("click", earlier);
    d->addEventListener("click", rt::function([&](const std::shared_ptr<Event>&) {
                            log.push_back("remover");
                            d->removeEventListener("click", earlier);
                        }));
    d->addEventListener("click", note(log, "next"));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(log, (Log{"earlier", "remover", "next"}));
}

TEST_F(DispatchWalk, ListenerAddedDuringDispatchRunsInTheSameDispatch) {
    bool added = false;
    d->addEventListener("click", rt::function([&](const std::shared_ptr<Event>&) {
                            log.push_back("adder");
                            if (!added) d->addEventListener("click", note(log, "new"));
                            added = true;
                        }));
    d->addEventListener("click", note(log, "old"));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(log, (Log{"adder", "old", "new"}));
}

TEST_F(DispatchWalk, ListenerAddingManyTypesDuringDispatchKeepsTheWalkValid) {
    // Adding types may rehash the map while its array is being walked.
    d->addEventListener("click", rt::function([&](const std::shared_ptr<Event>&) {
                            for (int i = 0; i < 100; ++i)
                                d->addEventListener(std::to_string(i), note(log, "x"));
                            log.push_back("adder");
                        }));
    d->addEventListener("click", note(log, "after"));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(log, (Log{"adder", "after"}));
}

TEST_F(DispatchWalk, StopImmediatePropagationOnCancelableEndsAtOnce) {
    d->addEventListener("click", rt::function([&](const std::shared_ptr<Event>& e) {
                            log.push_back("stopper");
                            e->stopImmediatePropagation();
                        }));
    d->addEventListener("click", note(log, "after"));
    EXPECT_TRUE(d->dispatchEvent(std::make_shared<Event>("click", false, true)));
    EXPECT_EQ(log, (Log{"stopper"}));
}

TEST_F(DispatchWalk, StopImmediatePropagationOnNonCancelableHasNoEffect) {
    d->addEventListener("click", rt::function([](const std::shared_ptr<Event>& e) {
                            e->stopImmediatePropagation();
                        }));
    d->addEventListener("click", note(log, "after"));
    auto e = std::make_shared<Event>("click", false, false);
    d->dispatchEvent(e);
    EXPECT_EQ(log, (Log{"after"}));
    EXPECT_FALSE(e->limnGetIsCancelled());
}

TEST_F(DispatchWalk, StopPropagationLetsTheObjectsOtherListenersRun) {
    d->addEventListener(
        "click", rt::function([](const std::shared_ptr<Event>& e) { e->stopPropagation(); }));
    d->addEventListener("click", note(log, "after"));
    auto e = std::make_shared<Event>("click", false, true);
    EXPECT_TRUE(d->dispatchEvent(e));
    EXPECT_EQ(log, (Log{"after"}));
    EXPECT_TRUE(e->limnGetIsCancelled());
}

TEST_F(DispatchWalk, AListenerThatThrowsEndsTheWalkAndReachesTheCaller) {
    d->addEventListener("click", rt::function([](const std::shared_ptr<Event>&) {
                            throw std::runtime_error("boom");
                        }));
    d->addEventListener("click", note(log, "after"));
    EXPECT_THROW(d->dispatchEvent(std::make_shared<Event>("click")), std::runtime_error);
    EXPECT_TRUE(log.empty());
}

TEST_F(DispatchWalk, AListenerThatEmptiesItsArrayEndsTheWalkSafely) {
    auto* raw = d.get();
    const rt::Function later = note(log, "removed away");
    rt::Function emptying;
    emptying = rt::function([raw, later, &emptying](const std::shared_ptr<Event>&) {
        raw->removeEventListener("click", emptying);
        raw->removeEventListener("click", later);
    });
    d->addEventListener("click", emptying);
    d->addEventListener("click", later);
    EXPECT_TRUE(d->dispatchEvent(std::make_shared<Event>("click")));
    EXPECT_TRUE(d->hasEventListener("click")) << "the emptied entry stays";
    EXPECT_TRUE(log.empty());
}

TEST_F(DispatchWalk, NullEventOrNullListenerIsIgnored) {
    d->addEventListener("click", rt::Function());
    EXPECT_FALSE(d->hasEventListener("click"));
    d->addEventListener("click", note(log, "a"));
    EXPECT_FALSE(d->dispatchEvent(nullptr));
    EXPECT_TRUE(log.empty());
}

TEST_F(DispatchWalk, SubclassTypedListenerReceivesTheSubclass) {
    double seen = -1;
    d->addEventListener("mouseDown", rt::function([&](const std::shared_ptr<MouseEvent>& e) {
                            seen = e ? e->localX : -2;
                        }));
    d->dispatchEvent(std::make_shared<MouseEvent>("mouseDown", true, false, 7.5));
    EXPECT_EQ(seen, 7.5);
}

class CaptureFlag : public DispatchWalk {};

TEST_F(CaptureFlag, CaptureListenersRunOnlyInTheCapturePhase) {
    d->addEventListener("click", note(log, "capture"), true);
    d->addEventListener("click", note(log, "normal"));
    d->dispatchEvent(inPhase("click", EventPhase::CAPTURING_PHASE));
    d->dispatchEvent(inPhase("click", EventPhase::AT_TARGET));
    d->dispatchEvent(inPhase("click", EventPhase::BUBBLING_PHASE));
    EXPECT_EQ(log, (Log{"capture", "normal", "normal"}));
}

TEST_F(CaptureFlag, SameCallableWithBothFlagsIsTwoEntriesRemovedSeparately) {
    auto f = note(log, "f");
    d->addEventListener("click", f, true);
    d->addEventListener("click", f, false);
    d->removeEventListener("click", f, false);
    d->dispatchEvent(inPhase("click", EventPhase::AT_TARGET));
    EXPECT_TRUE(log.empty()) << "the non-capture entry should be gone";
    d->dispatchEvent(inPhase("click", EventPhase::CAPTURING_PHASE));
    EXPECT_EQ(log, (Log{"f"})) << "the capture entry should remain";
}

TEST_F(CaptureFlag, RemovingWithTheWrongFlagDoesNothing) {
    auto f = note(log, "f");
    d->addEventListener("click", f, true);
    d->removeEventListener("click", f);
    d->dispatchEvent(inPhase("click", EventPhase::CAPTURING_PHASE));
    EXPECT_EQ(log, (Log{"f"}));
}

class Duplicates : public DispatchWalk {};

TEST_F(Duplicates, EachAdditionIsAnEntryAndRemoveTakesTheFirstOnly) {
    auto r = std::make_shared<Receiver>();
    d->addEventListener("click", rt::bind<&Receiver::onEvent>(r));
    d->addEventListener("click", rt::bind<&Receiver::onEvent>(r));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(r->heard.size(), 2u);
    // A fresh bind of the same method on the same object matches the entries.
    d->removeEventListener("click", rt::bind<&Receiver::onEvent>(r));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(r->heard.size(), 3u) << "one duplicate should remain";
    d->removeEventListener("click", rt::bind<&Receiver::onEvent>(r));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(r->heard.size(), 3u) << "the second remove takes the last duplicate";
    EXPECT_TRUE(d->hasEventListener("click")) << "the emptied entry stays";
}

TEST_F(Duplicates, SameMethodOnAnotherObjectIsNotRemoved) {
    auto a = std::make_shared<Receiver>();
    auto b = std::make_shared<Receiver>();
    d->addEventListener("click", rt::bind<&Receiver::onEvent>(a));
    d->removeEventListener("click", rt::bind<&Receiver::onEvent>(b));
    d->removeEventListener("other", rt::bind<&Receiver::onEvent>(a));
    d->dispatchEvent(std::make_shared<Event>("click"));
    EXPECT_EQ(a->heard.size(), 1u);
}

class EventTarget : public DispatchWalk {};

TEST_F(EventTarget, NullTargetBecomesTheDispatcherItself) {
    d->addEventListener("click", note(log, "a"));
    auto e = std::make_shared<Event>("click");
    d->dispatchEvent(e);
    EXPECT_EQ(e->target.asObject(), d);
    EXPECT_TRUE(e->currentTarget.isNull()) << "dispatch leaves currentTarget to the tree walk";
}

TEST_F(EventTarget, AnExistingTargetIsKept) {
    d->addEventListener("click", note(log, "a"));
    auto other = std::make_shared<EventDispatcher>();
    auto e = std::make_shared<Event>("click");
    e->target = other;
    d->dispatchEvent(e);
    EXPECT_EQ(e->target.asObject(), other);
}

TEST_F(EventTarget, TheConstructorsTargetIsReported) {
    auto owner = std::make_shared<Receiver>();
    auto inner = std::make_shared<EventDispatcher>(owner);
    inner->addEventListener("complete", note(log, "a"));
    auto e = std::make_shared<Event>("complete");
    inner->dispatchEvent(e);
    EXPECT_EQ(e->target.asObject(), owner);
    EXPECT_EQ(inner->get("limnTarget").asObject(), owner);
}

TEST_F(EventTarget, AGoneTargetIsReportedAsNull) {
    auto owner = std::make_shared<Receiver>();
    auto inner = std::make_shared<EventDispatcher>(owner);
    owner.reset();
    inner->addEventListener("complete", note(log, "a"));
    auto e = std::make_shared<Event>("complete");
    inner->dispatchEvent(e);
    EXPECT_TRUE(e->target.isNull()) << "the dispatcher must not stand in for a gone target";
}

TEST_F(EventTarget, TargetIsSetOnceAMapExistsEvenWithoutAnEntry) {
    d->addEventListener("other", note(log, "a"));
    auto e = std::make_shared<Event>("click");
    EXPECT_FALSE(d->dispatchEvent(e));
    EXPECT_EQ(e->target.asObject(), d);
}

class DispatcherLifetime : public DispatchWalk {};

TEST_F(DispatcherLifetime, ListenerOnADestroyedObjectDoesNothingMidDispatch) {
    auto receiver = std::make_shared<Receiver>();
    std::weak_ptr<Receiver> watch = receiver;
    d->addEventListener("click", rt::function([&](const std::shared_ptr<Event>&) {
                            log.push_back("killer");
                            receiver.reset();
                        }));
    d->addEventListener("click", rt::bind<&Receiver::onEvent>(receiver));
    d->addEventListener("click", note(log, "last"));
    EXPECT_TRUE(d->dispatchEvent(std::make_shared<Event>("click")));
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(log, (Log{"killer", "last"}));
}

TEST_F(DispatcherLifetime, ListenerDroppingTheLastReferenceToItsDispatcher) {
    std::weak_ptr<EventDispatcher> watch = d;
    d->addEventListener("click", rt::function([&](const std::shared_ptr<Event>&) {
                            log.push_back("dropper");
                            d.reset();
                        }));
    d->addEventListener("click", note(log, "next"));
    EventDispatcher* raw = d.get();  // the fixture's reference is the only one
    auto e = std::make_shared<Event>("click");
    e->target = std::make_shared<Event>("elsewhere");  // so the event doesn't hold d
    EXPECT_TRUE(raw->dispatchEvent(e));
    EXPECT_EQ(log, (Log{"dropper", "next"}));
    EXPECT_TRUE(watch.expired()) << "the dispatcher should go once the walk is over";
}

TEST_F(DispatcherLifetime, ListenerBoundToTheDispatcherDoesNotKeepItAlive) {
    class Self : public EventDispatcher {
    public:
        Self() { addEventListener("click", rt::bind<&Self::onClick>(this)); }
        void onClick(const std::shared_ptr<Event>&) {}
    };
    auto self = std::make_shared<Self>();
    std::weak_ptr<Self> watch = self;
    self->dispatchEvent(std::make_shared<Event>("click"));
    self.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(DispatcherLifetime, ListenerResettingTheCallersEventStillSeesItThrough) {
    auto held = std::make_shared<Event>("click", false, true);
    d->addEventListener("click",
                        rt::function([&](const std::shared_ptr<Event>&) { held.reset(); }));
    d->addEventListener("click", note(log, "next"));
    EXPECT_TRUE(d->dispatchEvent(held));
    EXPECT_EQ(log, (Log{"next"}));
}

TEST(Listener, SerialIdsCountUpFromTheCounter) {
    const int base = Listener::nextId();
    Listener first(rt::function([] {}), false, 0);
    Listener second(rt::function([] {}), true, 3);
    EXPECT_EQ(first.id(), base);
    EXPECT_EQ(second.id(), base + 1);
    EXPECT_EQ(Listener::nextId(), base + 2);
    EXPECT_EQ(second.priority(), 3);
}

TEST(Listener, IsComparesMethodReferencesAndCaptureFlag) {
    auto r = std::make_shared<Receiver>();
    Listener l(rt::bind<&Receiver::onEvent>(r), true, 0);
    EXPECT_TRUE(l.Is(rt::bind<&Receiver::onEvent>(r), true));
    EXPECT_FALSE(l.Is(rt::bind<&Receiver::onEvent>(r), false));
    EXPECT_FALSE(l.Is(rt::function([](const std::shared_ptr<Event>&) {}), true));
}

TEST(DispatchHelpers, CompleteAndIOErrorEventsCarryTheirTypesAndFlags) {
    auto d = std::make_shared<EventDispatcher>();
    std::vector<std::shared_ptr<Event>> seen;
    auto keep = rt::function([&](const std::shared_ptr<Event>& e) { seen.push_back(e); });
    d->addEventListener("complete", keep);
    d->addEventListener("ioError", keep);
    d->DispatchCompleteEvent();
    d->DispatchIOErrorEvent();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0]->type, "complete");
    EXPECT_FALSE(seen[0]->bubbles);
    EXPECT_FALSE(seen[0]->cancelable);
    auto io = std::dynamic_pointer_cast<limn::events::IOErrorEvent>(seen[1]);
    ASSERT_NE(io, nullptr) << "ioError should be an IOErrorEvent";
    EXPECT_TRUE(io->bubbles);
    EXPECT_EQ(io->limnString, "");
    EXPECT_EQ(seen[1]->target.asObject(), d);
}

TEST(DispatchHelpers, MethodsAreReachableByName) {
    auto d = std::make_shared<EventDispatcher>();
    Log log;
    const rt::Dynamic add[] = {"click", note(log, "a")};
    d->callMethod("addEventListener", add);
    const rt::Dynamic has[] = {"click"};
    EXPECT_TRUE(d->callMethod("hasEventListener", has).asBool());
    const rt::Dynamic event[] = {std::make_shared<Event>("click")};
    EXPECT_TRUE(d->callMethod("dispatchEvent", event).asBool());
    EXPECT_EQ(log, (Log{"a"}));
}

}  // namespace

namespace {

TEST(EventDispatcherOn, CallablesTakeTheirEventClassAndHandlesRemoveThem) {
    auto d = std::make_shared<EventDispatcher>();
    std::vector<double> seen;
    int plain = 0;
    auto typed = d->on(MouseEvent::CLICK, [&](MouseEvent& e) { seen.push_back(e.localX); });
    d->on(MouseEvent::CLICK, [&] { ++plain; });
    d->dispatchEvent(std::make_shared<MouseEvent>(MouseEvent::CLICK, true, false, 7.5));
    // A plain Event under the same type reaches only the listener that takes any event.
    d->dispatchEvent(std::make_shared<Event>(MouseEvent::CLICK));
    EXPECT_EQ(seen, std::vector<double>{7.5});
    EXPECT_EQ(plain, 2);

    EXPECT_TRUE(typed.active());
    typed.remove();
    typed.remove();
    EXPECT_FALSE(typed.active());
    d->dispatchEvent(std::make_shared<MouseEvent>(MouseEvent::CLICK, true, false, 1.0));
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(plain, 3) << "removing one listener leaves the other";
}

TEST(EventDispatcherOn, AHandleOutlivingItsDispatcherDoesNothing) {
    auto d = std::make_shared<EventDispatcher>();
    auto handle = d->on(Event::COMPLETE, [](Event&) {});
    d.reset();
    EXPECT_FALSE(handle.active());
    handle.remove();
}

}  // namespace
