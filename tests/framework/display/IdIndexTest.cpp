// The id index against a plain record of what was added and removed, over
// random sequences in which ids repeat often (as they do when a backend gives
// every object the same id).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "framework/display/IdIndex.h"

namespace limn::display {
namespace {

TEST(IdIndex, MatchesARecordOfAddsAndRemovesWithRepeatedIds) {
    std::mt19937 rng(7);
    // Distinct fake addresses; the index never dereferences them.
    std::vector<char> storage(64);
    std::map<int, std::vector<DisplayObject*>> record;
    auto object = [&](int i) { return reinterpret_cast<DisplayObject*>(&storage[i]); };
    for (int step = 0; step < 4000; ++step) {
        const int id = 1000 + static_cast<int>(rng() % 4);
        DisplayObject* target = object(static_cast<int>(rng() % storage.size()));
        auto& live = record[id];
        const bool present = std::find(live.begin(), live.end(), target) != live.end();
        if (rng() % 2) {
            IdIndex::add(id, target);
            if (!present) live.push_back(target);
        } else {
            IdIndex::remove(id, target);
            std::erase(live, target);
        }
        for (const auto& [key, objects] : record) {
            std::vector<DisplayObject*> found;
            for (DisplayObject* o : IdIndex::find(key)) found.push_back(o);
            std::vector<DisplayObject*> expected = objects;
            std::sort(found.begin(), found.end());
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(found, expected) << "id " << key << " at step " << step;
            ASSERT_EQ(IdIndex::find(key).size(), expected.size());
            ASSERT_EQ(IdIndex::find(key).empty(), expected.empty());
        }
    }
    for (auto& [key, objects] : record) {
        for (DisplayObject* o : objects) IdIndex::remove(key, o);
        EXPECT_TRUE(IdIndex::find(key).empty());
    }
}

}  // namespace
}  // namespace limn::display
