#include <gtest/gtest.h>

#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/filters/BitmapFilter.h"
#include "framework/filters/DropShadowFilter.h"
#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

using display::BlendMode;
using recording::RecordingBackend;

class DisplayObjectProperties : public DisplayTest {};

TEST_F(DisplayObjectProperties, ConstructionReadsOnlyTheId) {
    backend.answerOnce("limn_display_object_get_id", 12);
    auto shape = std::make_shared<Shape>();
    EXPECT_EQ(backend.callNames(), (std::vector<std::string>{"limn_create_display_object",
                                                             "limn_display_object_get_id"}));
    EXPECT_EQ(shape->limnID, 12);
    EXPECT_EQ(shape->toString(), "DisplayObject 12");
}

TEST_F(DisplayObjectProperties, NullIdReadsAsZero) {
    backend.clearAnswers("limn_display_object_get_id");
    EXPECT_EQ(std::make_shared<Shape>()->limnID, 0);
}

TEST_F(DisplayObjectProperties, SpritesAndClipsKeepTheContainerTypeName) {
    backend.clearAnswers("limn_display_object_get_id");
    backend.answer("limn_display_object_get_id", 7);
    EXPECT_EQ(std::make_shared<Sprite>()->toString(), "DisplayObjectContainer 7");
    EXPECT_EQ(std::make_shared<display::MovieClip>()->toString(), "DisplayObjectContainer 7");
    EXPECT_EQ(backend.count("limn_create_display_object_container"), 2);
}

TEST_F(DisplayObjectProperties, SetterReturnsItsValueWithOneCallAndGetterReadsEachTime) {
    auto shape = std::make_shared<Shape>();
    backend.clearCalls();
    EXPECT_EQ(shape->limnSetX(5), 5);
    ASSERT_EQ(backend.count("limn_display_object_set_x"), 1);
    EXPECT_EQ(backend.last("limn_display_object_set_x")->args[1], rt::Dynamic(5.0));
    EXPECT_EQ(shape->limnGetX(), 5);
    EXPECT_EQ(shape->limnGetX(), 5);
    EXPECT_EQ(backend.count("limn_display_object_get_x"), 2);
}

TEST_F(DisplayObjectProperties, AccessorsMakeTheSameSingleCallsAsTheNamesTheyWrap) {
    auto shape = std::make_shared<Shape>();
    backend.clearCalls();
    shape->setX(5);
    shape->set("x", 5.0);
    shape->setAlpha(0.5);
    shape->setVisible(false);
    EXPECT_EQ(backend.callNames(),
              (std::vector<std::string>{"limn_display_object_set_x", "limn_display_object_set_x",
                                        "limn_display_object_set_alpha",
                                        "limn_display_object_set_visible"}));
    EXPECT_EQ(backend.calls()[0].args, backend.calls()[1].args);
    backend.clearCalls();
    EXPECT_EQ(shape->x(), 5);
    EXPECT_EQ(shape->mouseX(), 0);
    EXPECT_EQ(backend.callNames(), (std::vector<std::string>{"limn_display_object_get_x",
                                                             "limn_display_object_get_mouse_x"}));
    shape->set("mouseX", 3.0);
    EXPECT_EQ(backend.count("limn_display_object_set_mouse_x"), 0) << "read-only by name too";
}

TEST_F(DisplayObjectProperties, NullBackendAnswersReadAsZeroFalseOrEmpty) {
    auto shape = std::make_shared<Shape>();
    EXPECT_EQ(shape->limnGetY(), 0);
    EXPECT_EQ(shape->limnGetAlpha(), 0);
    EXPECT_FALSE(shape->limnGetVisible());
    EXPECT_EQ(shape->limnGetName(), "");
    EXPECT_EQ(shape->limnGetBlendMode(), BlendMode::NORMAL);
    EXPECT_FALSE(shape->limnGetBG().has_value());
}

TEST_F(DisplayObjectProperties, WritesByNameGoThroughTheSetterPrimitive) {
    auto sprite = std::make_shared<Sprite>();
    const std::vector<std::pair<std::string, std::string>> props = {
        {"x", "limn_display_object_set_x"},
        {"y", "limn_display_object_set_y"},
        {"alpha", "limn_display_object_set_alpha"},
        {"scaleX", "limn_display_object_set_scale_x"},
        {"scaleY", "limn_display_object_set_scale_y"},
        {"rotation", "limn_display_object_set_rotation"},
        {"width", "limn_display_object_set_width"},
        {"height", "limn_display_object_set_height"},
        {"visible", "limn_display_object_set_visible"},
        {"cacheAsBitmap", "limn_display_object_set_cache_as_bitmap"},
        {"mouseEnabled", "limn_display_object_set_mouse_enabled"},
    };
    for (const auto& [name, primitive] : props) {
        backend.clearCalls();
        sprite->set(name, 1);
        EXPECT_EQ(backend.count(primitive), 1) << name;
    }
    sprite->set("name", "hero");
    EXPECT_EQ(sprite->get("name"), rt::Dynamic("hero"));
    sprite->set("x", 42.5);
    EXPECT_EQ(sprite->get("x"), rt::Dynamic(42.5));
}

TEST_F(DisplayObjectProperties, MouseEnabledIsKeptHereAndSentOnlyWhenSet) {
    auto sprite = std::make_shared<Sprite>();
    EXPECT_TRUE(sprite->limnGetMouseEnabled());
    EXPECT_EQ(backend.count("limn_display_object_set_mouse_enabled"), 0);
    EXPECT_FALSE(sprite->limnSetMouseEnabled(false));
    EXPECT_FALSE(sprite->limnGetMouseEnabled());
    EXPECT_EQ(backend.last("limn_display_object_set_mouse_enabled")->args[1], rt::Dynamic(false));
}

TEST_F(DisplayObjectProperties, BlendModeTravelsAsItsIndex) {
    auto shape = std::make_shared<Shape>();
    shape->limnSetBlendMode(BlendMode::HARDLIGHT);
    EXPECT_EQ(backend.last("limn_display_object_set_blend_mode")->args[1], rt::Dynamic(13));
    EXPECT_EQ(shape->limnGetBlendMode(), BlendMode::HARDLIGHT);
    backend.answer("limn_display_object_get_blend_mode", 99);
    EXPECT_EQ(shape->limnGetBlendMode(), BlendMode::NORMAL);
}

TEST_F(DisplayObjectProperties, OpaqueBackgroundUsesTheInUseBit) {
    auto shape = std::make_shared<Shape>();
    shape->limnSetBG(std::nullopt);
    EXPECT_EQ(backend.last("limn_display_object_set_bg")->args[1], rt::Dynamic(0));
    backend.answer("limn_display_object_get_bg", 0x1FF0000);
    EXPECT_EQ(shape->limnGetBG(), 0xFF0000);
    backend.answer("limn_display_object_get_bg", 0xFF0000);
    EXPECT_FALSE(shape->limnGetBG().has_value());
    EXPECT_TRUE(shape->get("opaqueBackground").isNull());
}

TEST_F(DisplayObjectProperties, ScrollRectIsCopiedInAndOut) {
    auto shape = std::make_shared<Shape>();
    EXPECT_EQ(shape->limnGetScrollRect(), nullptr);
    auto r = std::make_shared<geom::Rectangle>(0, 0, 10, 20);
    EXPECT_EQ(shape->limnSetScrollRect(r), r);
    auto sent = backend.last("limn_display_object_set_scroll_rect")->args[1].as<geom::Rectangle>();
    ASSERT_NE(sent, nullptr);
    EXPECT_NE(sent, r) << "the backend gets the private copy";
    r->width = 99;
    auto first = shape->limnGetScrollRect();
    EXPECT_EQ(first->width, 10);
    first->width = 50;
    EXPECT_NE(shape->limnGetScrollRect(), first);
    EXPECT_EQ(shape->limnGetScrollRect()->width, 10);
    shape->limnSetScrollRect(nullptr);
    EXPECT_TRUE(backend.last("limn_display_object_set_scroll_rect")->args[1].isNull());
}

TEST_F(DisplayObjectProperties, Scale9GridIsCopiedInAndOut) {
    auto shape = std::make_shared<Shape>();
    auto r = std::make_shared<geom::Rectangle>(1, 2, 3, 4);
    shape->set("scale9Grid", r);
    r->x = 100;
    auto read = shape->get("scale9Grid").as<geom::Rectangle>();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->x, 1);
}

TEST_F(DisplayObjectProperties, FiltersAreClonedAndNoneReadsAsEmpty) {
    auto shape = std::make_shared<Shape>();
    EXPECT_TRUE(shape->limnGetFilters().empty());
    auto shadow = std::make_shared<filters::DropShadowFilter>();
    shape->limnSetFilters(display::DisplayObject::FilterArray{shadow});
    auto sent = backend.last("limn_display_object_set_filters")->args[1].asArray();
    ASSERT_EQ(sent->size(), 1u);
    EXPECT_NE((*sent)[0].as<filters::DropShadowFilter>(), shadow);
    shadow->color = 0xFF0000;
    auto read = shape->limnGetFilters();
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(std::static_pointer_cast<filters::DropShadowFilter>(read[0])->color, 0);
    EXPECT_NE(shape->limnGetFilters()[0], read[0]);
    shape->limnSetFilters(std::nullopt);
    EXPECT_TRUE(backend.last("limn_display_object_set_filters")->args[1].isNull());
    EXPECT_TRUE(shape->limnGetFilters().empty());
}

TEST_F(DisplayObjectProperties, FilterWithoutCloneIsRefused) {
    auto shape = std::make_shared<Shape>();
    auto bare = std::make_shared<filters::BitmapFilter>("Bare");
    EXPECT_THROW(shape->limnSetFilters(display::DisplayObject::FilterArray{bare}), rt::Error);
    EXPECT_THROW(shape->set("filters", rt::array({1})), rt::Error);
}

TEST_F(DisplayObjectProperties, MaskIsKeptByReferenceAndSentAsHandle) {
    auto shape = std::make_shared<Shape>();
    auto mask = std::make_shared<Shape>();
    shape->limnSetMask(mask);
    EXPECT_EQ(shape->limnGetMask(), mask);
    EXPECT_EQ(backend.last("limn_display_object_set_mask")->args[1], mask->limnHandle);
    shape->set("mask", nullptr);
    EXPECT_EQ(shape->limnGetMask(), nullptr);
    EXPECT_TRUE(backend.last("limn_display_object_set_mask")->args[1].isNull());
}

TEST_F(DisplayObjectProperties, GraphicsIsMadeOnceOnFirstRead) {
    auto shape = std::make_shared<Shape>();
    EXPECT_EQ(backend.count("limn_display_object_get_graphics"), 0);
    auto first = shape->limnGetGraphics();
    auto second = shape->get("graphics").as<display::Graphics>();
    EXPECT_EQ(first, second);
    EXPECT_EQ(backend.count("limn_display_object_get_graphics"), 1);
}

TEST_F(DisplayObjectProperties, PointConversionsReturnARewrittenCopy) {
    auto shape = std::make_shared<Shape>();
    backend.answerWith("limn_display_object_global_to_local", [](rt::Args args) {
        args[1].as<geom::Point>()->x -= 10;
        return rt::Dynamic();
    });
    geom::Point p(15, 3);
    auto local = shape->globalToLocal(p);
    EXPECT_EQ(p.x, 15);
    EXPECT_EQ(local->x, 5);
    EXPECT_EQ(local->y, 3);
    auto global = shape->localToGlobal(p);
    EXPECT_NE(global.get(), &p);
}

TEST_F(DisplayObjectProperties, HitTestsPassTheirFlagsInOrder) {
    auto shape = std::make_shared<Shape>();
    shape->hitTestPoint(1, 2);
    auto args = backend.last("limn_display_object_hit_test_point")->args;
    EXPECT_EQ(args, (std::vector<rt::Dynamic>{shape->limnHandle, 1.0, 2.0, false, true}));

    backend.answer("limn_display_object_hit_test_point", true);
    display::DisplayObject::ObjectArray found;
    shape->limnGetObjectsUnderPoint(geom::Point(3, 4), found);
    args = backend.last("limn_display_object_hit_test_point")->args;
    EXPECT_EQ(args, (std::vector<rt::Dynamic>{shape->limnHandle, 3.0, 4.0, true, false}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], shape);
}

TEST_F(DisplayObjectProperties, MatrixReadsFillAFreshMatrixWithTheOwnOrConcatenatedFlag) {
    auto shape = std::make_shared<Shape>();
    backend.answerWith("limn_display_object_get_matrix", [](rt::Args args) {
        args[1].as<geom::Matrix>()->tx = args[2].asBool() ? 30 : 3;
        return rt::Dynamic();
    });
    EXPECT_EQ(shape->limnGetMatrix()->tx, 3);
    EXPECT_EQ(shape->limnGetConcatenatedMatrix()->tx, 30);
    EXPECT_NE(shape->limnGetMatrix(), shape->limnGetMatrix());
}

}  // namespace
}  // namespace limn::testing
