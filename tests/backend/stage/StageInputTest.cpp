#include <iterator>
#include <random>
#include <tuple>
#include <vector>

#include "backend/desktop/stage/KeyMap.h"
#include "backend/stage/StageInput.h"
#include "native/EventRecord.h"
#include "runtime/Function.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {

// Event type codes and flag bits of the native event record.
using namespace native::codes;
namespace {

struct Seen {
    int type, id, flags, value, code;
};

class Input : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        stage = makeStage(100, 100);
        call("limn_set_stage_handler", stage, rt::function([this](rt::Dynamic r) {
                 seen.push_back({field(r, "type").asInt(), field(r, "id").asInt(),
                                 field(r, "flags").asInt(), field(r, "value").asInt(),
                                 field(r, "code").asInt()});
             }),
             100, 100);
        button = sprite();
        add(stage, button);
        fillRect(button, 0, 1.0, 0, 0, 50, 50);
        other = sprite();
        add(stage, other);
        fillRect(other, 0, 1.0, 60, 60, 30, 30);
        input = std::make_unique<StageInput>(*StageNode::from(stage));
    }
    std::vector<int> types() const {
        std::vector<int> t;
        for (const auto& s : seen) t.push_back(s.type);
        return t;
    }
    static int id(const rt::Dynamic& n) { return call("limn_display_object_get_id", n).asInt(); }

    rt::Dynamic stage, button, other;
    std::unique_ptr<StageInput> input;
    std::vector<Seen> seen;
};

TEST_F(Input, PressAndReleaseOnOneObjectMakeAClick) {
    input->mouseDown(10, 10, efLeftDown);
    input->mouseUp(12, 12, 0);
    EXPECT_EQ(types(), (std::vector<int>{etMouseDown, etMouseUp, etMouseClick}));
    EXPECT_EQ(seen[2].id, id(button));
}

TEST_F(Input, ReleaseOverAnotherObjectMakesNoClick) {
    input->mouseDown(10, 10, efLeftDown);
    input->mouseUp(70, 70, 0);
    EXPECT_EQ(types(), (std::vector<int>{etMouseDown, etMouseUp}));
    EXPECT_EQ(seen[1].id, id(other));
}

TEST_F(Input, MovesCarryTheObjectUnderThePointerAndTheFlags) {
    input->mouseMove(70, 70, efLeftDown | efShiftDown);
    input->mouseMove(55, 55, 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].id, id(other));
    EXPECT_EQ(seen[0].flags, efLeftDown | efShiftDown);
    EXPECT_EQ(seen[1].id, id(stage));
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_mouse_x", button).asFloat(), 55.0);
}

TEST_F(Input, FingersGetTheirOwnIdsAndTheFirstIsPrimary) {
    input->touchBegin(1001, 10, 10, 0);
    input->touchBegin(2002, 70, 70, 0);
    input->touchMove(2002, 71, 71, 0);
    input->touchEnd(1001, 10, 10, 0);
    input->touchEnd(2002, 71, 71, 0);
    input->touchMove(2002, 1, 1, 0);  // ended: ignored
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].type, etTouchBegin);
    EXPECT_NE(seen[0].value, seen[1].value);
    EXPECT_EQ(seen[2].value, seen[1].value);
    EXPECT_TRUE(seen[0].flags & efPrimaryTouch);
    EXPECT_FALSE(seen[1].flags & efPrimaryTouch);
    EXPECT_TRUE(seen[3].flags & efPrimaryTouch);
    EXPECT_EQ(seen[1].id, id(other));
}

TEST_F(Input, KeysGoToTheStageWithCodesAndResult) {
    call("limn_set_stage_handler", stage, rt::function([this](rt::Dynamic r) {
             seen.push_back({field(r, "type").asInt(), field(r, "id").asInt(), 0,
                             field(r, "value").asInt(), field(r, "code").asInt()});
             setField(r, "result", 1);
         }),
         100, 100);
    EXPECT_TRUE(input->key(true, 27, 27, 0));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, etKeyDown);
    EXPECT_EQ(seen[0].id, id(stage));
    EXPECT_EQ(seen[0].value, 27);
}

TEST_F(Input, TextArrivesAsOneCharacterEventPerCodePoint) {
    input->text("a\xC3\xA9", 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, etChar);
    EXPECT_EQ(seen[0].code, 'a');
    EXPECT_EQ(seen[1].code, 0xE9);
}

TEST_F(Input, PumpedPointerRecordsGetTheirTarget) {
    auto record = std::make_shared<native::EventRecord>();
    record->type = etMouseDown;
    record->x = 70;
    record->y = 70;
    call("limn_managed_stage_pump_event", stage, record);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, id(other));
}

// The page's input arrives as records: fed in, they make the calls a recorder sees,
// and those calls replayed make the same events again.
TEST_F(Input, FedRecordsReplayAsTheCallsTheyMade) {
    std::mt19937 random(23);
    const int kinds[] = {etMouseMove, etMouseDown, etMouseUp, etTouchBegin, etTouchMove,
                         etTouchEnd,  etKeyDown,   etKeyUp,   etChar,       etPoll};
    std::vector<InputCall> calls;
    input->setObserver([&](const InputCall& c) { calls.push_back(c); });
    for (int i = 0; i < 300; ++i) {
        native::EventRecord r;
        r.type = kinds[random() % std::size(kinds)];
        r.x = static_cast<double>(random() % 100);
        r.y = static_cast<double>(random() % 100);
        r.flags = static_cast<int>(random() % 2 ? efLeftDown | efShiftDown : efPrimaryTouch);
        r.value = static_cast<int>(random() % 3 + 1);
        r.code = static_cast<int>(random() % 128);
        r.charCode = static_cast<int>(random() % 3 == 0 ? 0xD800 : 0x41 + random() % 0x500);
        input->feed(r);
    }
    const auto fed = seen;
    ASSERT_GT(fed.size(), 200u);
    seen.clear();
    StageInput again(*StageNode::from(stage));
    for (const auto& c : calls) again.apply(c);
    ASSERT_EQ(seen.size(), fed.size());
    for (std::size_t i = 0; i < fed.size(); ++i) {
        const auto want = std::tie(fed[i].type, fed[i].id, fed[i].flags, fed[i].value, fed[i].code);
        EXPECT_EQ(std::tie(seen[i].type, seen[i].id, seen[i].flags, seen[i].value, seen[i].code),
                  want)
            << "event " << i;
    }
    // No record's own primary flag survives: the first finger down is primary.
    for (const auto& c : calls) EXPECT_EQ(c.flags & efPrimaryTouch, 0);

    seen.clear();
    native::EventRecord key;
    key.type = etKeyDown;
    key.value = 65;
    key.code = 97;
    input->feed(key);
    native::EventRecord typed;
    typed.type = etChar;
    typed.charCode = 0xE9;
    input->feed(typed);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(std::tie(seen[0].type, seen[0].value, seen[0].code),
              std::make_tuple(int{etKeyDown}, 65, 97));
    EXPECT_EQ(std::tie(seen[1].type, seen[1].code), std::make_tuple(int{etChar}, 0xE9));
}

TEST(KeyMap, KeysMapToTheFrameworkCodes) {
    EXPECT_EQ(KeyMap::keyCode(SDLK_ESCAPE), 27);
    EXPECT_EQ(KeyMap::keyCode(SDLK_a), 65);
    EXPECT_EQ(KeyMap::keyCode(SDLK_z), 90);
    EXPECT_EQ(KeyMap::keyCode(SDLK_0), 48);
    EXPECT_EQ(KeyMap::keyCode(SDLK_LEFT), 37);
    EXPECT_EQ(KeyMap::keyCode(SDLK_DOWN), 40);
    EXPECT_EQ(KeyMap::keyCode(SDLK_F1), 112);
    EXPECT_EQ(KeyMap::keyCode(SDLK_F15), 126);
    EXPECT_EQ(KeyMap::keyCode(SDLK_KP_0), 96);
    EXPECT_EQ(KeyMap::keyCode(SDLK_RETURN), 13);
    EXPECT_EQ(KeyMap::charCode(SDLK_a, KMOD_LSHIFT), 'A');
    EXPECT_EQ(KeyMap::charCode(SDLK_a, 0), 'a');
    EXPECT_TRUE(KeyMap::isRight(SDLK_RSHIFT));
    EXPECT_EQ(KeyMap::modifierFlags(KMOD_LCTRL | KMOD_RALT), efCtrlDown | efAltDown);
}

}  // namespace
}  // namespace limn::sdl::testing
