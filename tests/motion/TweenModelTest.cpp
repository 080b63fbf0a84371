#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/motion/KinetraProbe.h"
#include "tests/motion/TweenFixture.h"

namespace motion_test {
namespace {

// Random starts, stops, pauses, overwrites and finishes on a few plain objects
// (which all share one list) and sprites, checked after every step against a
// plain model: the facade lists in start order, and the frame walk updating
// each running tween once per frame, in start order.
class TweenModel : public TweenTest {
protected:
    struct Running {
        std::shared_ptr<GenericActuator> actuator;
        int target;
        std::string name;
        int endMs;
        bool paused = false;
        int pausedAt = 0;
    };

    std::vector<rt::ObjectPtr> targets;
    std::vector<Running> model;  // start order
    std::vector<std::pair<int, std::string>> walk;

    void SetUp() override {
        TweenTest::SetUp();
        for (int i = 0; i < 4; ++i) targets.push_back(rt::props({{"a", 0}, {"b", 0}}));
        for (int i = 0; i < 2; ++i) targets.push_back(sprite());
    }

    void start(int target, const std::string& name, int nowMs, int durationMs, bool overwrite) {
        if (overwrite) {
            std::erase_if(model,
                          [&](const Running& r) { return r.target == target && r.name == name; });
        }
        auto actuator = Kinetra::tween(targets[target], durationMs / 1000.0,
                                       rt::props({{rt::Name(name), 1}}), overwrite);
        int index = target;
        actuator->onUpdate(rt::function([this, index, name] { walk.emplace_back(index, name); }));
        model.push_back({actuator, target, name, nowMs + durationMs});
    }

    void checkLists() {
        std::map<std::string, std::vector<GenericActuator*>> expected;
        for (const Running& r : model) {
            expected[targets[r.target]->toString()].push_back(r.actuator.get());
        }
        // Lists that only a lookup created stay, empty; compare the others.
        std::size_t nonEmpty = 0;
        for (const auto& [key, list] : KinetraProbe::libraries()) nonEmpty += list.empty() ? 0 : 1;
        ASSERT_EQ(nonEmpty, expected.size());
        for (const auto& [key, list] : expected) {
            auto found = KinetraProbe::libraries().find(key);
            ASSERT_NE(found, KinetraProbe::libraries().end()) << key;
            std::vector<GenericActuator*> actual;
            for (const auto& a : found->second) actual.push_back(a.get());
            EXPECT_EQ(actual, list) << key;
        }
    }
};

TEST_F(TweenModel, RandomOperationsKeepListsAndWalkOrder) {
    std::mt19937 random(13);
    int now = 0;
    for (int step = 0; step < 400; ++step) {
        int target = static_cast<int>(random() % targets.size());
        std::string name = random() % 2 ? "a" : "b";
        switch (random() % 6) {
            case 0:
            case 1:
                // Never a multiple of the frame step: no end falls exactly on a frame.
                start(target, name, now, 16 * static_cast<int>(1 + random() % 12) + 8,
                      random() % 3 != 0);
                break;
            case 2:
                Kinetra::stop(targets[target], name);
                std::erase_if(
                    model, [&](const Running& r) { return r.target == target && r.name == name; });
                break;
            case 3:
                Kinetra::pause(targets[target]);
                for (Running& r : model) {
                    if (r.target != target) continue;
                    r.paused = true;
                    r.pausedAt = now;
                }
                break;
            case 4:
                Kinetra::resume(targets[target]);
                for (Running& r : model) {
                    if (r.target != target || !r.paused) continue;
                    r.paused = false;
                    r.endMs += now - r.pausedAt;
                }
                break;
            default: {
                now += 16;
                walk.clear();
                frameAt(now);
                std::vector<std::pair<int, std::string>> expected;
                for (const Running& r : model) {
                    if (!r.paused) expected.emplace_back(r.target, r.name);
                }
                EXPECT_EQ(walk, expected) << "frame at " << now;
                std::erase_if(model, [&](const Running& r) { return !r.paused && r.endMs <= now; });
                break;
            }
        }
        checkLists();
        if (HasFailure()) FAIL() << "at step " << step;
    }
    EXPECT_EQ(SimpleActuator::getActuators().size(),
              static_cast<std::size_t>(SimpleActuator::getActuatorsLength()));
}

}  // namespace
}  // namespace motion_test
