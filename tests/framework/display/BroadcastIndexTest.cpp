#include <gtest/gtest.h>

#include <random>

#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

// The type name an object was labelled with (by name: the field is the object's own).
std::string labelOf(DisplayObject& object) {
    return object.get("limnName").asString();
}

// The broadcast as a walk over every object, children first, with the live
// index rule: the reference the listener-only walk must match.
void walkAll(DisplayObject& object, const std::shared_ptr<events::Event>& event) {
    auto keep = object.weak_from_this().lock();
    if (auto* c = dynamic_cast<DisplayObjectContainer*>(&object)) {
        std::size_t i = 0;
        while (i < c->children().size()) {
            auto child = c->children()[i];
            walkAll(*child, event);
            if (i >= c->children().size()) break;
            if (c->children()[i] == child) ++i;
        }
    }
    object.dispatchEvent(event);
}

// A pool of objects in random trees whose listeners log what they hear and
// change the trees, the listeners and the event at random. Two worlds made
// from one seed behave alike as long as their walks call the same listeners
// in the same order.
class World {
public:
    World(unsigned seed, int size) : rng_(seed) {
        for (int i = 0; i < size; ++i) {
            std::shared_ptr<DisplayObject> o;
            if (i == 0 || pick(2) == 0) {
                o = std::make_shared<Sprite>();
            } else {
                o = std::make_shared<Shape>();
            }
            o->set("limnName", "o" + std::to_string(i));
            pool_.push_back(o);
            if (i > 0 && pick(5) > 0) tryAdd(*pool_[pick(i)], o);
        }
        for (int i = 0; i < size; ++i) {
            if (pick(3) == 0) listen(i, events::Event::ENTER_FRAME, pick(8) == 0);
            if (pick(6) == 0) listen(i, "click", false);
        }
    }

    [[nodiscard]] std::shared_ptr<DisplayObjectContainer> top() const {
        return std::static_pointer_cast<DisplayObjectContainer>(pool_[0]);
    }
    [[nodiscard]] std::shared_ptr<events::Event> event() {
        auto e = std::make_shared<events::Event>(pick(6) == 0 ? events::Event::RENDER
                                                              : events::Event::ENTER_FRAME);
        if (pick(8) == 0) e->target = pool_[0];
        return e;
    }
    // Every object's children, by name.
    [[nodiscard]] std::string shape() const {
        std::string text;
        for (const auto& o : pool_) {
            auto* c = dynamic_cast<DisplayObjectContainer*>(o.get());
            if (c == nullptr) continue;
            text += labelOf(*c) + "[";
            for (const auto& child : c->children()) text += labelOf(*child) + " ";
            text += "] ";
        }
        return text;
    }

    std::vector<std::string> log;

private:
    struct Registration {
        int object;
        std::string type;
        rt::Function listener;
        bool capture;
    };

    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    DisplayObject& any() { return *pool_[pick(static_cast<int>(pool_.size()))]; }
    DisplayObjectContainer* anyContainer() { return dynamic_cast<DisplayObjectContainer*>(&any()); }

    static void tryAdd(DisplayObject& parent, const std::shared_ptr<DisplayObject>& child) {
        auto* c = dynamic_cast<DisplayObjectContainer*>(&parent);
        if (c == nullptr) return;
        try {
            c->addChild(child);
        } catch (...) {
            // Cycles and self-adds are refused; the walk goes on.
        }
    }

    void listen(int object, const std::string& type, bool capture) {
        const int id = static_cast<int>(registrations_.size());
        auto f = rt::function(
            [this, id, object](const std::shared_ptr<events::Event>& e) { heard(id, object, *e); });
        registrations_.push_back({object, type, f, capture});
        pool_[object]->addEventListener(type, f, capture);
    }

    void heard(int id, int object, events::Event& e) {
        auto target = e.target.as<DisplayObject>();
        log.push_back("L" + std::to_string(id) + "@o" + std::to_string(object) + ":" + e.type +
                      "->" + (target ? labelOf(*target) : std::string("null")));
        act(object, e);
    }

    void act(int object, events::Event& e) {
        const int r = pick(100);
        try {
            if (r < 35) return;
            if (r < 47) {
                // Often the listener's own object, else any.
                auto o = pool_[pick(2) == 0 ? object : pick(size())];
                if (auto p = o->limnGetParent()) p->removeChild(o);
            } else if (r < 60) {
                if (auto* c = anyContainer()) c->addChild(pool_[pick(size())]);
            } else if (r < 65) {
                if (auto* c = anyContainer(); c && c->limnGetNumChildren() > 0) {
                    const int n = c->limnGetNumChildren();
                    c->setChildIndex(c->getChildAt(pick(n)), pick(n));
                }
            } else if (r < 70) {
                if (auto* c = anyContainer(); c && c->limnGetNumChildren() > 0) {
                    const int n = c->limnGetNumChildren();
                    c->swapChildrenAt(pick(n), pick(n));
                }
            } else if (r < 78) {
                listen(pick(size()), events::Event::ENTER_FRAME, pick(8) == 0);
            } else if (r < 84) {
                const auto& reg = registrations_[pick(static_cast<int>(registrations_.size()))];
                pool_[reg.object]->removeEventListener(reg.type, reg.listener, reg.capture);
            } else if (r < 88) {
                listen(pick(size()), "click", false);
            } else if (r < 91) {
                if (auto* c = anyContainer(); c && c->limnGetNumChildren() > 0) {
                    c->addChildAt(pool_[pick(size())], pick(c->limnGetNumChildren()));
                }
            } else if (r < 93) {
                e.target = rt::Dynamic();
            } else if (r < 94) {
                e.type = pick(2) == 0 ? "click" : events::Event::ENTER_FRAME;
            } else if (r < 96) {
                e.stopImmediatePropagation();
            } else {
                // The container holds on to what it lists; a detached object
                // whose last holder was this pool goes when replaced.
                const int i = 1 + pick(size() - 1);
                if (!pool_[i]->limnGetParent()) {
                    auto fresh = std::make_shared<Shape>();
                    fresh->set("limnName", labelOf(*pool_[i]) + "'");
                    pool_[i] = fresh;
                }
            }
        } catch (...) {
            // Refused changes (cycles, bad indices) change nothing.
        }
    }

    [[nodiscard]] int size() const { return static_cast<int>(pool_.size()); }

    std::mt19937 rng_;
    std::vector<std::shared_ptr<DisplayObject>> pool_;
    std::vector<Registration> registrations_;
};

class BroadcastIndexTest : public DisplayTest {};

TEST_F(BroadcastIndexTest, VisitsWhatAWalkOverEveryObjectVisitsInTheSameOrder) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const int size = 4 + static_cast<int>(seed % 40);
        World indexed(seed, size), plain(seed, size);
        for (int frame = 0; frame < 12; ++frame) {
            indexed.top()->limnBroadcast(indexed.event());
            walkAll(*plain.top(), plain.event());
            ASSERT_EQ(indexed.log, plain.log) << "seed " << seed << " frame " << frame;
            ASSERT_EQ(indexed.shape(), plain.shape()) << "seed " << seed << " frame " << frame;
        }
    }
}

TEST_F(BroadcastIndexTest, AStillTreeReachesOnlyItsListenersInTreeOrder) {
    auto top = std::make_shared<Sprite>();
    std::vector<std::shared_ptr<Sprite>> rows;
    EventLog log;
    for (int i = 0; i < 3; ++i) {
        rows.push_back(std::make_shared<Sprite>());
        top->addChild(rows.back());
        for (int j = 0; j < 50; ++j) rows.back()->addChild(std::make_shared<Shape>());
    }
    log.listen(*rows[1]->getChildAt(7), "b7", events::Event::ENTER_FRAME);
    log.listen(*rows[0], "a", events::Event::ENTER_FRAME);
    log.listen(*top, "top", events::Event::ENTER_FRAME);
    log.listen(*rows[2]->getChildAt(0), "c0", events::Event::ENTER_FRAME);
    for (int frame = 0; frame < 2; ++frame) {
        top->limnBroadcast(std::make_shared<events::Event>(events::Event::ENTER_FRAME));
    }
    const std::vector<std::string> once = {"a:enterFrame", "b7:enterFrame", "c0:enterFrame",
                                           "top:enterFrame"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(log.lines, twice);
}

}  // namespace
}  // namespace limn::testing
