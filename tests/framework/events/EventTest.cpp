#include <gtest/gtest.h>

#include "framework/events/Event.h"
#include "framework/events/EventPhase.h"
#include "framework/events/FocusEvent.h"
#include "framework/events/IOErrorEvent.h"
#include "framework/events/KeyboardEvent.h"
#include "framework/events/MouseEvent.h"
#include "framework/events/TouchEvent.h"
#include "framework/ui/Keyboard.h"

namespace {

using namespace limn::events;

TEST(EventDefaults, PlainEventStartsAtTargetNotBubblingNotCancelable) {
    Event e("enterFrame");
    EXPECT_EQ(e.eventPhase, EventPhase::AT_TARGET);
    EXPECT_FALSE(e.bubbles);
    EXPECT_FALSE(e.cancelable);
    EXPECT_TRUE(e.target.isNull());
    EXPECT_TRUE(e.currentTarget.isNull());
    EXPECT_FALSE(e.limnGetIsCancelled());
    EXPECT_FALSE(e.limnGetIsCancelledNow());
}

TEST(EventDefaults, EachClassBubblesAsItsConstructorSays) {
    EXPECT_TRUE(MouseEvent("click").bubbles);
    EXPECT_TRUE(TouchEvent("touchTap").bubbles);
    EXPECT_TRUE(FocusEvent("focusIn").bubbles);
    EXPECT_TRUE(IOErrorEvent("ioError").bubbles);
    EXPECT_FALSE(KeyboardEvent("keyDown").bubbles);
}

TEST(EventDefaults, TouchEventIsPrimaryWithIdZero) {
    TouchEvent e("touchBegin");
    EXPECT_EQ(e.touchPointID, 0);
    EXPECT_TRUE(e.isPrimaryTouchPoint);
}

TEST(EventConstructors, KeyboardEventTakesCharCodeBeforeKeyCode) {
    KeyboardEvent e("keyDown", true, false, 65, 30);
    EXPECT_EQ(e.charCode, 65);
    EXPECT_EQ(e.keyCode, 30);
    EXPECT_EQ(e.keyLocation, 0);
}

TEST(EventConstructors, KeyboardEventModifiersInOrder) {
    KeyboardEvent e("keyUp", false, true, 0, 0, 1, true, false, true);
    EXPECT_EQ(e.keyLocation, 1);
    EXPECT_TRUE(e.ctrlKey);
    EXPECT_FALSE(e.altKey);
    EXPECT_TRUE(e.shiftKey);
}

TEST(EventConstructors, MouseEventTakesItsThirteenArgumentsInOrder) {
    auto related = std::make_shared<Event>("x");
    MouseEvent e("mouseDown", false, true, 1.5, 2.5, related, true, false, true, true, 3, true, 2);
    EXPECT_FALSE(e.bubbles);
    EXPECT_TRUE(e.cancelable);
    EXPECT_EQ(e.localX, 1.5);
    EXPECT_EQ(e.localY, 2.5);
    EXPECT_EQ(e.relatedObject.asObject(), related);
    EXPECT_TRUE(e.ctrlKey);
    EXPECT_FALSE(e.altKey);
    EXPECT_TRUE(e.shiftKey);
    EXPECT_TRUE(e.buttonDown);
    EXPECT_EQ(e.delta, 3);
    EXPECT_TRUE(e.commandKey);
    EXPECT_EQ(e.clickCount, 2);
    EXPECT_EQ(e.stageX, 0.0);
    EXPECT_EQ(e.stageY, 0.0);
}

TEST(EventConstructors, FocusEventKeepsRelatedShiftAndKeyCode) {
    auto related = std::make_shared<Event>("x");
    FocusEvent e("focusOut", false, false, related, true, 9, "forward");
    EXPECT_EQ(e.relatedObject.asObject(), related);
    EXPECT_TRUE(e.shiftKey);
    EXPECT_EQ(e.keyCode, 9);
}

TEST(EventConstructors, IOErrorEventKeepsItsTextAndPrintsIt) {
    IOErrorEvent e("ioError", true, false, "Could not load: a.png", 7);
    EXPECT_EQ(e.limnString, "Could not load: a.png");
    EXPECT_EQ(e.toString(), "Could not load: a.png");
    EXPECT_EQ(e.type, "ioError");
}

TEST(EventText, ToStringIsTheType) {
    EXPECT_EQ(Event("enterFrame").toString(), "enterFrame");
    EXPECT_EQ(rt::Dynamic(std::make_shared<MouseEvent>("click")).toString(), "click");
}

TEST(EventClone, CloneOfAMouseEventIsAPlainEventStartingFresh) {
    auto m = std::make_shared<MouseEvent>("mouseUp", true, true, 4, 5);
    m->target = std::make_shared<Event>("x");
    m->currentTarget = m->target;
    m->limnSetPhase(EventPhase::BUBBLING_PHASE);
    m->stopImmediatePropagation();
    std::shared_ptr<Event> c = m->clone();
    EXPECT_EQ(std::dynamic_pointer_cast<MouseEvent>(c), nullptr) << "clone should be a plain Event";
    EXPECT_EQ(&c->classInfo(), &Event::staticClass());
    EXPECT_EQ(c->type, "mouseUp");
    EXPECT_TRUE(c->bubbles);
    EXPECT_TRUE(c->cancelable);
    EXPECT_EQ(c->eventPhase, EventPhase::AT_TARGET);
    EXPECT_TRUE(c->target.isNull());
    EXPECT_TRUE(c->currentTarget.isNull());
    EXPECT_FALSE(c->limnGetIsCancelled());
    EXPECT_FALSE(c->limnGetIsCancelledNow());
}

TEST(EventStop, StopPropagationActsOnlyOnCancelableEvents) {
    Event plain("click", true, false);
    plain.stopPropagation();
    EXPECT_FALSE(plain.limnGetIsCancelled());
    Event cancelable("click", true, true);
    cancelable.stopPropagation();
    EXPECT_TRUE(cancelable.limnGetIsCancelled());
    EXPECT_FALSE(cancelable.limnGetIsCancelledNow());
}

TEST(EventStop, StopImmediatePropagationSetsBothFlagsOnlyWhenCancelable) {
    Event plain("click", true, false);
    plain.stopImmediatePropagation();
    EXPECT_FALSE(plain.limnGetIsCancelled());
    EXPECT_FALSE(plain.limnGetIsCancelledNow());
    Event cancelable("click", true, true);
    cancelable.stopImmediatePropagation();
    EXPECT_TRUE(cancelable.limnGetIsCancelled());
    EXPECT_TRUE(cancelable.limnGetIsCancelledNow());
}

TEST(EventByName, FieldsAreListedInDeclarationOrderWithSubclassFieldsAfter) {
    auto names = std::make_shared<TouchEvent>("touchTap")->fieldNames();
    std::vector<std::string> text;
    for (auto n : names) text.push_back(n.str());
    const std::vector<std::string> expected = {"bubbles",         "cancelable",
                                               "eventPhase",      "target",
                                               "currentTarget",   "type",
                                               "limnIsCancelled", "limnIsCancelledNow",
                                               "localX",          "localY",
                                               "relatedObject",   "ctrlKey",
                                               "altKey",          "shiftKey",
                                               "buttonDown",      "delta",
                                               "commandKey",      "clickCount",
                                               "stageX",          "stageY",
                                               "touchPointID",    "isPrimaryTouchPoint"};
    EXPECT_EQ(text, expected);
}

TEST(EventByName, FieldsAreWritableAndMethodsCallable) {
    auto e = std::make_shared<KeyboardEvent>("keyDown", true, true);
    auto owner = std::make_shared<Event>("owner");
    e->set("target", owner);
    e->set("keyCode", 27);
    e->set("eventPhase", 2);
    e->callMethod("stopPropagation");
    EXPECT_EQ(e->target.asObject(), owner);
    EXPECT_EQ(e->keyCode, 27);
    EXPECT_EQ(e->get("eventPhase").asInt(), 2);
    EXPECT_TRUE(e->get("limnIsCancelled").asBool());
    EXPECT_EQ(e->callMethod("toString").asString(), "keyDown");
}

TEST(KeyboardCodes, RangesStartAndEndWhereTheyShould) {
    using limn::ui::Keyboard;
    EXPECT_EQ(Keyboard::A, 65);
    EXPECT_EQ(Keyboard::Z, 90);
    EXPECT_EQ(Keyboard::NUMBER_0, 48);
    EXPECT_EQ(Keyboard::NUMBER_9, 57);
    EXPECT_EQ(Keyboard::NUMPAD_0, 96);
    EXPECT_EQ(Keyboard::NUMPAD_9, 105);
    EXPECT_EQ(Keyboard::F1, 112);
    EXPECT_EQ(Keyboard::F15, 126);
    EXPECT_EQ(Keyboard::ESCAPE, 27);
}

}  // namespace
