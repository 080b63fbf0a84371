// Thousands of random container operations, valid and invalid, over a few
// nested containers, each checked against a plain model of the tree: the
// child arrays, the backend's child lists and the parent links must agree
// after every step, and a failed operation must change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "runtime/Error.h"
#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

constexpr int kContainers = 4;
constexpr int kShapes = 8;
constexpr int kObjects = kContainers + kShapes;
constexpr int kSteps = 6000;

// The tree as plain indices: objects 0..3 are containers, 4..11 shapes.
struct Model {
    std::vector<std::vector<int>> children = std::vector<std::vector<int>>(kContainers);
    std::vector<int> parent = std::vector<int>(kObjects, -1);

    [[nodiscard]] int indexIn(int c, int o) const {
        auto& list = children[c];
        auto it = std::find(list.begin(), list.end(), o);
        return it == list.end() ? -1 : static_cast<int>(it - list.begin());
    }
    [[nodiscard]] bool isAncestor(int o, int c) const {
        for (int p = parent[c]; p >= 0; p = parent[p]) {
            if (p == o) return true;
        }
        return false;
    }
    [[nodiscard]] bool addable(int c, int o) const { return o != c && !isAncestor(o, c); }
    void detach(int o) {
        if (parent[o] < 0) return;
        auto& list = children[parent[o]];
        list.erase(list.begin() + indexIn(parent[o], o));
        parent[o] = -1;
    }
    void move(int c, int o, int to) {
        auto& list = children[c];
        list.erase(list.begin() + indexIn(c, o));
        list.insert(list.begin() + to, o);
    }
    // Returns false where the operation must throw (and then changes nothing).
    bool add(int c, int o) {
        if (!addable(c, o)) return false;
        if (parent[o] == c) {
            move(c, o, static_cast<int>(children[c].size()) - 1);
        } else {
            detach(o);
            children[c].push_back(o);
            parent[o] = c;
        }
        return true;
    }
    bool addAt(int c, int o, int i) {
        if (!addable(c, o)) return false;
        int after = static_cast<int>(children[c].size()) + (parent[o] == c ? 0 : 1);
        if (i < 0 || i >= after) return false;
        add(c, o);
        move(c, o, i);
        return true;
    }
    void remove(int c, int o) {
        if (indexIn(c, o) >= 0) detach(o);
    }
    void removeAt(int c, int i) {
        if (i >= 0 && i < static_cast<int>(children[c].size())) detach(children[c][i]);
    }
    bool setIndex(int c, int o, int i) {
        if (i < 0 || i >= static_cast<int>(children[c].size()) || indexIn(c, o) < 0) return false;
        move(c, o, i);
        return true;
    }
    bool swapAt(int c, int i, int j) {
        int n = static_cast<int>(children[c].size());
        if (i < 0 || i >= n || j < 0 || j >= n) return false;
        std::swap(children[c][i], children[c][j]);
        return true;
    }
    bool swap(int c, int o1, int o2) {
        int i = indexIn(c, o1);
        int j = indexIn(c, o2);
        if (i < 0 || j < 0) return false;
        return swapAt(c, i, j);
    }
};

// What a search of the child arrays answers; the index must agree with it.
std::shared_ptr<DisplayObject> searchTree(const std::shared_ptr<DisplayObject>& o, int id) {
    if (o->limnID == id) return o;
    if (auto c = std::dynamic_pointer_cast<DisplayObjectContainer>(o)) {
        for (const auto& child : c->children()) {
            if (auto found = searchTree(child, id)) return found;
        }
    }
    return nullptr;
}

class ContainerSequence : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        // Ids 0..4 only, so that the lookups meet repeated ids too.
        for (int i = 0; i < kObjects; ++i) {
            backend.answerOnce("limn_display_object_get_id", i % 5);
            if (i < kContainers) {
                auto c = std::make_shared<Sprite>();
                containers.push_back(c);
                objects.push_back(c);
            } else {
                objects.push_back(std::make_shared<Shape>());
            }
        }
    }

    int indexOf(const std::shared_ptr<DisplayObject>& o) const {
        auto it = std::find(objects.begin(), objects.end(), o);
        return it == objects.end() ? -2 : static_cast<int>(it - objects.begin());
    }

    // The framework's tree in model form.
    Model observed() const {
        Model m;
        for (int c = 0; c < kContainers; ++c) {
            for (const auto& child : containers[c]->children())
                m.children[c].push_back(indexOf(child));
        }
        for (int o = 0; o < kObjects; ++o) {
            auto p = objects[o]->limnGetParent();
            m.parent[o] = p ? indexOf(p) : -1;
        }
        return m;
    }

    std::string describe(const Model& m) const {
        std::ostringstream out;
        for (int c = 0; c < kContainers; ++c) {
            out << "c" << c << ":[";
            for (int o : m.children[c]) out << o << " ";
            out << "] ";
        }
        return out.str();
    }

    void expectConsistent(const Model& model, const std::string& step) {
        Model seen = observed();
        ASSERT_EQ(seen.children, model.children)
            << step << "\n  framework " << describe(seen) << "\n  model     " << describe(model);
        ASSERT_EQ(seen.parent, model.parent) << step;
        for (int c = 0; c < kContainers; ++c) {
            ASSERT_EQ(arrayIds(*containers[c]), nativeChildren(*containers[c]))
                << step << ": native list of c" << c;
        }
        ASSERT_TRUE(backend.modelFaults().empty()) << step << ": " << backend.modelFaults()[0];
    }

    std::vector<std::shared_ptr<Sprite>> containers;
    std::vector<std::shared_ptr<DisplayObject>> objects;
};

TEST_F(ContainerSequence, RandomOperationsKeepArraysNativeListsAndParentsInStep) {
    std::mt19937 rng(20240611);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Model model;
    int failures = 0;

    for (int step = 0; step < kSteps; ++step) {
        int c = pick(0, kContainers - 1);
        int o = pick(0, kObjects - 1);
        int o2 = pick(0, kObjects - 1);
        int n = static_cast<int>(model.children[c].size());
        int i = pick(-1, n + 1);
        int j = pick(-1, n);
        auto& box = *containers[c];
        const auto& obj = objects[o];
        std::ostringstream what;
        bool expectOk = true;
        std::function<void()> run;
        switch (pick(0, 6)) {
            case 0:
                what << "c" << c << ".addChild(" << o << ")";
                expectOk = model.add(c, o);
                run = [&] { box.addChild(obj); };
                break;
            case 1:
                what << "c" << c << ".addChildAt(" << o << ", " << i << ")";
                expectOk = model.addAt(c, o, i);
                run = [&] { box.addChildAt(obj, i); };
                break;
            case 2:
                what << "c" << c << ".removeChild(" << o << ")";
                model.remove(c, o);
                run = [&] { box.removeChild(obj); };
                break;
            case 3:
                what << "c" << c << ".removeChildAt(" << j << ")";
                model.removeAt(c, j);
                run = [&] { box.removeChildAt(j); };
                break;
            case 4:
                what << "c" << c << ".setChildIndex(" << o << ", " << j << ")";
                expectOk = model.setIndex(c, o, j);
                run = [&] { box.setChildIndex(obj, j); };
                break;
            case 5:
                what << "c" << c << ".swapChildren(" << o << ", " << o2 << ")";
                expectOk = model.swap(c, o, o2);
                run = [&] { box.swapChildren(obj, objects[o2]); };
                break;
            default:
                what << "c" << c << ".swapChildrenAt(" << i << ", " << j << ")";
                expectOk = model.swapAt(c, i, j);
                run = [&] { box.swapChildrenAt(i, j); };
                break;
        }
        std::string label = "step " + std::to_string(step) + " " + what.str();
        bool threw = false;
        try {
            run();
        } catch (const rt::Error&) {
            threw = true;
        }
        failures += threw ? 1 : 0;
        ASSERT_EQ(threw, !expectOk) << label;
        expectConsistent(model, label);
        if (HasFatalFailure()) return;

        int id = pick(0, 5);
        for (const auto& root : containers) {
            ASSERT_EQ(root->limnFindByID(id), searchTree(root, id))
                << label << ": limnFindByID(" << id << ") on " << root->toString();
        }
    }
    EXPECT_GT(failures, kSteps / 20) << "the sequence should include plenty of invalid operations";
}

}  // namespace
}  // namespace limn::testing
