#include "game/control/KeyBinding.h"

#include <gtest/gtest.h>

#include "framework/events/EventDispatcher.h"
#include "framework/events/KeyboardEvent.h"
#include "runtime/Function.h"
#include "tests/game/KeyBindingProbe.h"

namespace {

using com::quillfern::control::KeyBinding;
using com::quillfern::control::KeyBindingProbe;
using limn::events::EventDispatcher;
using limn::events::KeyboardEvent;

class KeyBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        KeyBindingProbe::initialized() = false;
        KeyBinding::initialize(stage);
    }

    void key(const char* type, int code) {
        stage->dispatchEvent(std::make_shared<KeyboardEvent>(type, true, false, 0, code));
    }
    void down(int code) { key(KeyboardEvent::KEY_DOWN, code); }
    void up(int code) { key(KeyboardEvent::KEY_UP, code); }

    rt::Function counter(int& calls) {
        return rt::function([&calls] { ++calls; });
    }

    std::shared_ptr<EventDispatcher> stage = std::make_shared<EventDispatcher>();
};

TEST_F(KeyBindingTest, PressWithoutRepeatFiresOncePerPhysicalPress) {
    int calls = 0;
    KeyBinding::addOnPress(27, counter(calls));
    down(27);
    down(27);
    down(27);
    up(27);
    down(27);
    EXPECT_EQ(calls, 2) << "fires on the first key-down and again after the key-up";
}

TEST_F(KeyBindingTest, PressWithRepeatFiresOnEveryKeyDown) {
    int calls = 0;
    KeyBinding::addOnPress(27, counter(calls), true);
    down(27);
    down(27);
    down(27);
    up(27);
    down(27);
    EXPECT_EQ(calls, 4);
}

TEST_F(KeyBindingTest, ReleaseOnlyBindingFiresOnKeyUpAlone) {
    int calls = 0;
    KeyBinding::addOnRelease(65, counter(calls));
    down(65);
    EXPECT_EQ(calls, 0);
    up(65);
    EXPECT_EQ(calls, 1);
}

TEST_F(KeyBindingTest, RemovedKeyCallsNothing) {
    int presses = 0;
    int releases = 0;
    KeyBinding::addOnPress(27, counter(presses));
    KeyBinding::addOnRelease(27, counter(releases));
    KeyBinding::remove(27);
    down(27);
    up(27);
    EXPECT_EQ(presses + releases, 0);
}

TEST_F(KeyBindingTest, SecondInitializeKeepsBindingsAndListensOnce) {
    int calls = 0;
    KeyBinding::addOnPress(27, counter(calls), true);
    KeyBinding::initialize(stage);
    down(27);
    EXPECT_EQ(calls, 1) << "a second registration would fire the handler twice";
}

TEST_F(KeyBindingTest, NewerPressBindingReplacesOlder) {
    int first = 0;
    int second = 0;
    KeyBinding::addOnPress(27, counter(first));
    KeyBinding::addOnPress(27, counter(second));
    down(27);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST_F(KeyBindingTest, UnboundKeyDownLeavesKeyNotPressed) {
    down(40);
    EXPECT_LE(KeyBindingProbe::keyPressed().size(), 40u)
        << "an unbound key-down must not mark the key";
    int calls = 0;
    KeyBinding::addOnPress(40, counter(calls));
    down(40);
    EXPECT_EQ(calls, 1);
}

TEST_F(KeyBindingTest, KeyUpClearsPressedWithoutReleaseBinding) {
    int calls = 0;
    KeyBinding::addOnPress(229, counter(calls));
    down(229);
    up(229);
    down(229);
    EXPECT_EQ(calls, 2);
}

TEST_F(KeyBindingTest, NegativeAndHugeCodesAreHarmless) {
    int calls = 0;
    KeyBinding::addOnPress(-1, counter(calls));
    KeyBinding::addOnRelease(-5, counter(calls));
    KeyBinding::remove(-1);
    down(-1);
    up(-1);
    down(100000);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(KeyBindingProbe::pressBindings().empty());
}

TEST_F(KeyBindingTest, HandlerRemovingItsOwnBindingIsSafe) {
    int calls = 0;
    KeyBinding::addOnPress(27, rt::function([&calls] {
                               ++calls;
                               KeyBinding::remove(27);
                           }));
    down(27);
    up(27);
    down(27);
    EXPECT_EQ(calls, 1);
}

TEST(KeyBindingGetKeyCode, LettersGiveTheirUpperCaseCode) {
    EXPECT_EQ(KeyBinding::getKeyCode("q"), 81);
    EXPECT_EQ(KeyBinding::getKeyCode("a"), 65);
    EXPECT_EQ(KeyBinding::getKeyCode("A"), 65);
    EXPECT_EQ(KeyBinding::getKeyCode("quit"), 81);
    EXPECT_EQ(KeyBinding::getKeyCode(""), 0);
    EXPECT_EQ(KeyBinding::getKeyCode("7"), 55);
}

}  // namespace
