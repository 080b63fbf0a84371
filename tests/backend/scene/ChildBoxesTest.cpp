// A node's children's boxes, kept entry by entry, against the boxes computed
// afresh after any mix of moves, drawing, filters and child-list changes.

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "backend/scene/SceneNode.h"
#include "runtime/Object.h"

namespace limn::sdl {
namespace {

using Node = std::shared_ptr<SceneNode>;

bool sameBox(const Bounds& a, const Bounds& b) {
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

void expectFresh(SceneNode& parent) {
    const auto& boxes = parent.childBoxes();
    ASSERT_EQ(boxes.size(), parent.children().size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SceneNode& child = *parent.children()[i];
        constexpr double kAll = std::numeric_limits<double>::infinity();
        const Bounds want =
            child.filters().empty() ? child.boundsInParent() : Bounds{-kAll, -kAll, kAll, kAll};
        ASSERT_TRUE(sameBox(boxes[i], want)) << "child " << i;
    }
}

TEST(ChildBoxes, KeptEntriesEqualFreshBoxesAfterRandomChanges) {
    std::mt19937 rng(5);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto root = std::make_shared<SceneNode>(NodeKind::Container);
    std::vector<Node> nodes{root};
    for (int step = 0; step < 4000; ++step) {
        Node n = nodes[static_cast<std::size_t>(pick(static_cast<int>(nodes.size())))];
        switch (pick(7)) {
            case 0: {
                auto child = std::make_shared<SceneNode>(NodeKind::Container);
                child->graphics().beginFill(0xFF0000, 1);
                child->graphics().drawRect(pick(20), pick(20), 1 + pick(9), 1 + pick(9));
                n->addChild(child);
                nodes.push_back(child);
                break;
            }
            case 1:
                n->setX(pick(100) - 50);
                break;
            case 2:
                n->setRotation(pick(360));
                break;
            case 3:
                n->graphics().drawRect(pick(40) - 20, pick(40) - 20, 3, 3);
                break;
            case 4:
                if (SceneNode* p = n->parent()) {
                    p->setChildIndex(n.get(), pick(static_cast<int>(p->children().size())));
                }
                break;
            case 5:
                if (SceneNode* p = n->parent(); p && pick(2) == 0) p->removeChild(n.get());
                break;
            case 6:
                n->setFilters(pick(2) ? std::vector<rt::ObjectPtr>{rt::props({{"type", "X"}})}
                                      : std::vector<rt::ObjectPtr>{});
                break;
        }
        // Read some boxes now and then, so later changes meet kept entries.
        if (pick(3) == 0) {
            for (const Node& each : nodes) ASSERT_NO_FATAL_FAILURE(expectFresh(*each)) << step;
        }
    }
}

}  // namespace
}  // namespace limn::sdl
