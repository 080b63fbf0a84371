#include <gtest/gtest.h>

#include "framework/geom/Point.h"
#include "runtime/Error.h"
#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

using events::Event;
using recording::RecordingBackend;

std::string thrownText(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.what();
    }
    return "(nothing thrown)";
}

bool throwsRangeError(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::RangeError&) {
        return true;
    } catch (...) {
    }
    return false;
}

class Container : public DisplayTest {
protected:
    int id(const std::shared_ptr<DisplayObject>& o) {
        return RecordingBackend::idOf(o->limnHandle);
    }

    void SetUp() override {
        DisplayTest::SetUp();
        box = std::make_shared<Sprite>();
        a = std::make_shared<Shape>();
        b = std::make_shared<Shape>();
        c = std::make_shared<Shape>();
    }

    std::shared_ptr<Sprite> box;
    std::shared_ptr<Shape> a;
    std::shared_ptr<Shape> b;
    std::shared_ptr<Shape> c;
};

TEST_F(Container, AddingAChildAgainMovesItToTheTopWithoutNotification) {
    box->addChild(a);
    box->addChild(b);
    EventLog log;
    log.listen(*a, "a", Event::ADDED);
    backend.clearCalls();
    EXPECT_EQ(box->addChild(a), a);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{b, a}));
    ASSERT_EQ(backend.callNames(), std::vector<std::string>{"limn_doc_set_child_index"});
    EXPECT_EQ(backend.last("limn_doc_set_child_index")->args,
              (std::vector<rt::Dynamic>{box->limnHandle, a->limnHandle, 1}));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(nativeChildren(*box), arrayIds(*box));
}

TEST_F(Container, AddingToSelfThrowsAndChangesNothing) {
    EXPECT_EQ(thrownText([&] { box->addChild(box); }), "Adding to self");
    EXPECT_EQ(box->limnGetParent(), nullptr);
    EXPECT_EQ(backend.count("limn_doc_add_child"), 0);
}

TEST_F(Container, AddingAnAncestorIsRefusedBeforeAnyChange) {
    auto inner = std::make_shared<Sprite>();
    box->addChild(inner);
    backend.clearCalls();
    EXPECT_EQ(thrownText([&] { inner->addChild(box); }), "Adding an ancestor to its descendant");
    EXPECT_EQ(box->limnGetParent(), nullptr);
    EXPECT_EQ(inner->limnGetParent(), box);
    EXPECT_TRUE(backend.calls().empty());
}

TEST_F(Container, TreesDeeperThanTheLimitAreRefusedBeforeAnyChange) {
    const std::string tooDeep = "addChild: the display tree would be more than 1000 levels deep";
    std::vector<std::shared_ptr<Sprite>> chain{std::make_shared<Sprite>()};
    for (int level = 1; level <= DisplayObjectContainer::kMaxDepth; ++level) {
        chain.push_back(std::make_shared<Sprite>());
        chain[level - 1]->addChild(chain[level]);
    }
    auto extra = std::make_shared<Sprite>();
    EXPECT_EQ(thrownText([&] { chain.back()->addChild(extra); }), tooDeep);
    EXPECT_EQ(extra->limnGetParent(), nullptr);
    EXPECT_EQ(chain.back()->limnGetNumChildren(), 0);
    // A subtree that fits alone but not below its new parent.
    EXPECT_EQ(thrownText([&] { extra->addChild(chain.front()); }), tooDeep);
    EXPECT_EQ(chain.front()->limnGetParent(), nullptr);
    chain[1]->removeChild(chain[2]);
    EXPECT_EQ(extra->addChild(chain.front()), chain.front());
}

TEST_F(Container, AddingNullIsRefused) {
    EXPECT_THROW(box->addChild(nullptr), rt::Error);
    EXPECT_EQ(box->limnGetNumChildren(), 0);
}

TEST_F(Container, AddChildAtPlacesTheChildAtTheIndex) {
    box->addChild(a);
    box->addChild(b);
    box->addChildAt(c, 0);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{c, a, b}));
    EXPECT_EQ(nativeChildren(*box), arrayIds(*box));
}

TEST_F(Container, AddChildAtABadIndexChangesNothing) {
    box->addChild(a);
    EventLog log;
    log.listen(*b, "b", Event::ADDED);
    backend.clearCalls();
    EXPECT_EQ(thrownText([&] { box->addChildAt(b, 2); }), "Invalid index position 2");
    EXPECT_EQ(thrownText([&] { box->addChildAt(b, -1); }), "Invalid index position -1");
    EXPECT_EQ(thrownText([&] { box->addChildAt(a, 1); }), "Invalid index position 1");
    EXPECT_EQ(box->children(), DisplayObject::ObjectArray{a});
    EXPECT_EQ(b->limnGetParent(), nullptr);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(backend.calls().empty());
    box->addChildAt(b, 1);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{a, b}));
}

TEST_F(Container, RemovingANonChildReturnsNullAndCallsNothing) {
    backend.clearCalls();
    EXPECT_EQ(box->removeChild(a), nullptr);
    EXPECT_EQ(box->removeChild(nullptr), nullptr);
    EXPECT_EQ(box->removeChildAt(0), nullptr);
    EXPECT_EQ(box->removeChildAt(-1), nullptr);
    EXPECT_TRUE(backend.calls().empty());
}

TEST_F(Container, RemoveChildAtDetachesNativelyFirst) {
    box->addChild(a);
    box->addChild(b);
    backend.clearCalls();
    EXPECT_EQ(box->removeChildAt(0), a);
    EXPECT_EQ(backend.last("limn_doc_remove_child")->args,
              (std::vector<rt::Dynamic>{box->limnHandle, 0}));
    EXPECT_EQ(a->limnGetParent(), nullptr);
    EXPECT_EQ(box->children(), DisplayObject::ObjectArray{b});
    EXPECT_EQ(nativeChildren(*box), arrayIds(*box));
}

TEST_F(Container, GetChildAtOutOfBoundsIsARangeErrorWithIndexAndCount) {
    box->addChild(a);
    box->addChild(b);
    box->addChild(c);
    EXPECT_EQ(thrownText([&] { (void)box->getChildAt(3); }),
              "getChildAt : index out of bounds 3/3");
    EXPECT_EQ(thrownText([&] { (void)box->getChildAt(-1); }),
              "getChildAt : index out of bounds -1/3");
    EXPECT_TRUE(throwsRangeError([&] { (void)box->getChildAt(3); }));
    EXPECT_EQ(box->getChildAt(2), c);
}

TEST_F(Container, SetChildIndexMovesOneChildAndKeepsTheOthersInOrder) {
    box->addChild(a);
    box->addChild(b);
    box->addChild(c);
    box->setChildIndex(a, 2);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{b, c, a}));
    box->setChildIndex(a, 0);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{a, b, c}));
    backend.clearCalls();
    box->setChildIndex(b, 1);
    EXPECT_EQ(backend.count("limn_doc_set_child_index"), 1) << "an unchanged index is still sent";
    EXPECT_EQ(nativeChildren(*box), arrayIds(*box));
}

TEST_F(Container, SetChildIndexErrorsNameTheProblem) {
    box->addChild(a);
    backend.clearCalls();
    EXPECT_EQ(thrownText([&] { box->setChildIndex(a, 1); }), "Invalid index position 1");
    EXPECT_EQ(thrownText([&] { box->setChildIndex(a, -1); }), "Invalid index position -1");
    EXPECT_EQ(thrownText([&] { box->setChildIndex(b, 0); }),
              "setChildIndex : object " + b->toString() + " not found.");
    EXPECT_TRUE(backend.calls().empty());
    EXPECT_FALSE(throwsRangeError([&] { box->setChildIndex(a, 1); }));
}

TEST_F(Container, SwapChildrenAtExchangesBothLists) {
    box->addChild(a);
    box->addChild(b);
    box->addChild(c);
    box->swapChildrenAt(0, 2);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{c, b, a}));
    EXPECT_EQ(nativeChildren(*box), arrayIds(*box));
    backend.clearCalls();
    box->swapChildrenAt(1, 1);
    EXPECT_EQ(backend.count("limn_doc_swap_children"), 0);
}

TEST_F(Container, SwapChildrenAtOutOfBoundsIsARangeError) {
    box->addChild(a);
    box->addChild(b);
    EXPECT_EQ(thrownText([&] { box->swapChildrenAt(0, 2); }),
              "swapChildrenAt : index out of bounds");
    EXPECT_TRUE(throwsRangeError([&] { box->swapChildrenAt(-1, 0); }));
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{a, b}));
}

TEST_F(Container, SwapChildrenNeedsBothToBeChildren) {
    box->addChild(a);
    box->addChild(b);
    EXPECT_EQ(thrownText([&] { box->swapChildren(a, c); }), "swapChildren:Could not find children");
    EXPECT_FALSE(throwsRangeError([&] { box->swapChildren(c, a); }));
    box->swapChildren(b, a);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{b, a}));
}

TEST_F(Container, ContainsIsShallow) {
    auto inner = std::make_shared<Sprite>();
    box->addChild(inner);
    inner->addChild(a);
    EXPECT_TRUE(box->contains(box));
    EXPECT_TRUE(box->contains(inner));
    EXPECT_FALSE(box->contains(a));
    EXPECT_FALSE(box->contains(nullptr));
}

TEST_F(Container, ChildrenFlagsAlwaysReadFalse) {
    EXPECT_FALSE(box->limnSetMouseChildren(true));
    EXPECT_FALSE(box->limnGetMouseChildren());
    box->set("tabChildren", true);
    EXPECT_EQ(box->get("tabChildren"), rt::Dynamic(false));
}

TEST_F(Container, GetChildByNameAsksTheBackendForNames) {
    box->addChild(a);
    box->addChild(b);
    b->limnSetName("bee");
    EXPECT_EQ(box->getChildByName("bee"), b);
    EXPECT_EQ(box->getChildByName("none"), nullptr);
}

TEST_F(Container, ObjectsUnderPointListContainersBeforeDescendants) {
    auto inner = std::make_shared<Sprite>();
    box->addChild(inner);
    inner->addChild(a);
    box->addChild(b);
    backend.answer("limn_display_object_hit_test_point", true);
    auto found = box->getObjectsUnderPoint(geom::Point(1, 1));
    EXPECT_EQ(found, (DisplayObject::ObjectArray{box, inner, a, b}));
    EXPECT_FALSE(box->areInaccessibleObjectsUnderPoint(geom::Point()));
}

TEST_F(Container, OperationsAreReachableByName) {
    box->callMethod("addChild", std::vector<rt::Dynamic>{a});
    EXPECT_EQ(box->get("numChildren"), rt::Dynamic(1));
    EXPECT_EQ(box->callMethod("getChildAt", std::vector<rt::Dynamic>{0}), rt::Dynamic(a));
    EXPECT_THROW(box->callMethod("getChildAt", std::vector<rt::Dynamic>{1}), rt::RangeError);
}

// Where a listener or the backend fails in the middle of an operation.
class ContainerFailure : public Container {};

TEST_F(ContainerFailure, AddedListenerThatThrowsUndoesTheAttachment) {
    box->addChild(a);
    b->addEventListener(Event::ADDED, rt::function([](const std::shared_ptr<Event>&) {
                            throw rt::Error("listener failed");
                        }));
    EXPECT_EQ(thrownText([&] { box->addChild(b); }), "listener failed");
    EXPECT_EQ(b->limnGetParent(), nullptr);
    EXPECT_EQ(box->children(), DisplayObject::ObjectArray{a});
    EXPECT_EQ(nativeChildren(*box), arrayIds(*box));
    EXPECT_EQ(box->limnFindByID(b->limnID), nullptr);
}

TEST_F(ContainerFailure, AddedToStageListenerThatThrowsUndoesTheAttachment) {
    auto stage = makeStage();
    auto inner = std::make_shared<Sprite>();
    inner->addChild(a);
    a->addEventListener(Event::ADDED_TO_STAGE, rt::function([](const std::shared_ptr<Event>&) {
                            throw rt::Error("no stage for me");
                        }));
    EXPECT_THROW(stage->addChild(inner), rt::Error);
    EXPECT_EQ(inner->limnGetParent(), nullptr);
    EXPECT_EQ(stage->limnGetNumChildren(), 0);
    EXPECT_EQ(a->limnGetStage(), nullptr);
    EXPECT_EQ(nativeChildren(*stage), std::vector<int>{});
    stage->addChild(b);
    EXPECT_EQ(arrayIds(*stage), nativeChildren(*stage));
}

TEST_F(ContainerFailure, ReAddingFromTheAddedListenerThrowsTheInternalErrorText) {
    std::string inner;
    b->addEventListener(Event::ADDED, rt::function([&](const std::shared_ptr<Event>&) {
                            inner = thrownText([&] { box->addChild(b); });
                        }));
    box->addChild(b);
    EXPECT_EQ(inner, "setChildIndex : object " + b->toString() +
                         " not found.Internal error: Child was not in limnChildren array!");
    EXPECT_EQ(box->children(), DisplayObject::ObjectArray{b});
    EXPECT_EQ(nativeChildren(*box), arrayIds(*box));
}

TEST_F(ContainerFailure, AddedListenerThatMovesTheChildElsewhereWins) {
    auto other = std::make_shared<Sprite>();
    b->addEventListener(Event::ADDED, rt::function([&](const std::shared_ptr<Event>&) {
                            if (b->limnGetParent() == box) other->addChild(b);
                        }));
    box->addChild(b);
    EXPECT_EQ(b->limnGetParent(), other);
    EXPECT_EQ(box->limnGetNumChildren(), 0);
    EXPECT_EQ(other->children(), DisplayObject::ObjectArray{b});
    EXPECT_EQ(nativeChildren(*box), std::vector<int>{});
    EXPECT_EQ(nativeChildren(*other), arrayIds(*other));
}

TEST_F(ContainerFailure, FailingNativeAddLeavesEverythingAsItWas) {
    backend.answerWith("limn_doc_add_child",
                       [](rt::Args) -> rt::Dynamic { throw rt::Error("backend down"); });
    EXPECT_THROW(box->addChild(a), rt::Error);
    EXPECT_EQ(box->limnGetNumChildren(), 0);
    EXPECT_EQ(a->limnGetParent(), nullptr);
}

TEST_F(ContainerFailure, FailingNativeSwapLeavesTheArrayAsItWas) {
    box->addChild(a);
    box->addChild(b);
    backend.answerWith("limn_doc_swap_children",
                       [](rt::Args) -> rt::Dynamic { throw rt::Error("backend down"); });
    EXPECT_THROW(box->swapChildrenAt(0, 1), rt::Error);
    EXPECT_EQ(box->children(), (DisplayObject::ObjectArray{a, b}));
}

TEST_F(ContainerFailure, RemovedListenerThatThrowsLeavesTheChildDetached) {
    box->addChild(a);
    a->addEventListener(Event::REMOVED, rt::function([](const std::shared_ptr<Event>&) {
                            throw rt::Error("removed failed");
                        }));
    EXPECT_THROW(box->removeChild(a), rt::Error);
    EXPECT_EQ(a->limnGetParent(), nullptr);
    EXPECT_EQ(box->limnGetNumChildren(), 0);
    EXPECT_EQ(nativeChildren(*box), std::vector<int>{});
}

}  // namespace
}  // namespace limn::testing
