#include <gtest/gtest.h>

#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

using events::Event;

class FindById : public DisplayTest {
protected:
    template <class T>
    std::shared_ptr<T> withId(int id) {
        backend.answerOnce("limn_display_object_get_id", id);
        return std::make_shared<T>();
    }
};

TEST_F(FindById, FindsItselfAGrandchildOrNothing) {
    auto root = std::make_shared<Sprite>();
    auto mid = std::make_shared<Sprite>();
    auto leaf = std::make_shared<Shape>();
    root->addChild(mid);
    mid->addChild(leaf);
    EXPECT_EQ(root->limnFindByID(root->limnID), root);
    EXPECT_EQ(root->limnFindByID(leaf->limnID), leaf);
    EXPECT_EQ(mid->limnFindByID(leaf->limnID), leaf);
    EXPECT_EQ(root->limnFindByID(9999), nullptr);
    EXPECT_EQ(leaf->limnFindByID(leaf->limnID), leaf);
    EXPECT_EQ(leaf->limnFindByID(mid->limnID), nullptr);
}

TEST_F(FindById, IgnoresObjectsOutsideTheSubtree) {
    auto root = std::make_shared<Sprite>();
    auto mid = std::make_shared<Sprite>();
    auto elsewhere = std::make_shared<Sprite>();
    auto stray = std::make_shared<Shape>();
    root->addChild(mid);
    elsewhere->addChild(stray);
    EXPECT_EQ(root->limnFindByID(stray->limnID), nullptr);
    EXPECT_EQ(mid->limnFindByID(root->limnID), nullptr) << "an ancestor is not in the subtree";
}

TEST_F(FindById, ForgetsRemovedAndDestroyedObjects) {
    auto root = std::make_shared<Sprite>();
    auto leaf = std::make_shared<Shape>();
    int id = leaf->limnID;
    root->addChild(leaf);
    root->removeChild(leaf);
    EXPECT_EQ(root->limnFindByID(id), nullptr);
    root->addChild(leaf);
    root->removeChildAt(0);
    leaf.reset();
    EXPECT_EQ(root->limnFindByID(id), nullptr);
}

TEST_F(FindById, ChildInsideItsAddedListenerIsNotYetFound) {
    auto root = std::make_shared<Sprite>();
    auto leaf = std::make_shared<Shape>();
    std::shared_ptr<DisplayObject> seen = root;
    leaf->addEventListener(Event::ADDED, rt::function([&](const std::shared_ptr<Event>&) {
                               seen = root->limnFindByID(leaf->limnID);
                           }));
    root->addChild(leaf);
    EXPECT_EQ(seen, nullptr) << "a search of the child arrays would not find it yet";
    EXPECT_EQ(root->limnFindByID(leaf->limnID), leaf);
}

TEST_F(FindById, RepeatedIdsGiveTheFirstInDepthFirstOrder) {
    auto root = withId<Sprite>(1);
    auto p = withId<Sprite>(2);
    auto q = withId<Shape>(5);
    auto p1 = withId<Shape>(5);
    root->addChild(p);
    root->addChild(q);
    p->addChild(p1);
    EXPECT_EQ(root->limnFindByID(5), p1);
    root->setChildIndex(q, 0);
    EXPECT_EQ(root->limnFindByID(5), q);
}

TEST_F(FindById, RepeatedIdOnAnAncestorAndItsDescendantGivesTheAncestor) {
    auto root = withId<Sprite>(1);
    auto p = withId<Sprite>(7);
    auto p1 = withId<Shape>(7);
    root->addChild(p);
    p->addChild(p1);
    EXPECT_EQ(root->limnFindByID(7), p);
    EXPECT_EQ(p->limnFindByID(7), p);
}

TEST_F(FindById, ContainerLeftBehindByItsParentIsNotFound) {
    auto root = std::make_shared<Sprite>();
    auto leaf = std::make_shared<Shape>();
    {
        auto mid = std::make_shared<Sprite>();
        root->addChild(mid);
        mid->addChild(leaf);
        root->removeChild(mid);
    }
    EXPECT_EQ(leaf->limnGetParent(), nullptr) << "its container is gone";
    EXPECT_EQ(root->limnFindByID(leaf->limnID), nullptr);
    root->addChild(leaf);
    EXPECT_EQ(root->limnFindByID(leaf->limnID), leaf);
}

}  // namespace
}  // namespace limn::testing
