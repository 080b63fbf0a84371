#include "runtime/TwoEndedArray.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

// Random pushes, pops, erasures and insertions anywhere, checked against
// std::vector after every step; shared pointers also check that nothing is
// kept alive in the gap.
TEST(TwoEndedArray, RandomEditsMatchAVector) {
    std::mt19937 random(7);
    rt::TwoEndedArray<std::shared_ptr<int>> array;
    std::vector<std::shared_ptr<int>> model;
    for (int step = 0; step < 5000; ++step) {
        const auto size = static_cast<std::ptrdiff_t>(model.size());
        switch (random() % 5) {
            case 0:
            case 1: {
                auto value = std::make_shared<int>(step);
                array.push_back(value);
                model.push_back(value);
                break;
            }
            case 2:
                if (size == 0) break;
                array.pop_back();
                model.pop_back();
                break;
            case 3: {
                if (size == 0) break;
                // Favour the ends, where display lists lose their children.
                std::ptrdiff_t at = random() % 2 ? 0 : static_cast<std::ptrdiff_t>(random() % size);
                auto gone = model[at];
                auto next = array.erase(array.begin() + at);
                model.erase(model.begin() + at);
                EXPECT_EQ(next - array.begin(), at);
                EXPECT_EQ(gone.use_count(), 1) << "an erased element is still held";
                break;
            }
            default: {
                std::ptrdiff_t at = static_cast<std::ptrdiff_t>(random() % (size + 1));
                auto value = std::make_shared<int>(-step);
                array.insert(array.begin() + at, value);
                model.insert(model.begin() + at, value);
            }
        }
        ASSERT_TRUE(array == model) << "step " << step;
        ASSERT_EQ(array.size(), model.size());
        for (const auto& value : model) ASSERT_EQ(value.use_count(), 2) << "step " << step;
    }
}

}  // namespace
