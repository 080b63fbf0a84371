#include "framework/geom/Transform.h"

#include <gtest/gtest.h>

#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Rectangle.h"
#include "runtime/Error.h"
#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

// The backend model keeps one matrix per object: set stores it, get fills from it.
class TransformView : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        backend.answerWith("limn_display_object_set_matrix", [this](rt::Args args) {
            stored = args[1].as<geom::Matrix>()->clone();
            return rt::Dynamic();
        });
        backend.answerWith("limn_display_object_get_matrix", [this](rt::Args args) {
            auto m = args[1].as<geom::Matrix>();
            m->tx = stored->tx;
            m->ty = args[2].asBool() ? stored->ty + 100 : stored->ty;
            return rt::Dynamic();
        });
        shape = std::make_shared<Shape>();
    }

    std::shared_ptr<geom::Matrix> stored = std::make_shared<geom::Matrix>();
    std::shared_ptr<Shape> shape;
};

TEST_F(TransformView, MatrixReadsAreFreshCopies) {
    auto t = shape->limnGetTransform();
    auto first = t->limnGetMatrix();
    auto second = t->limnGetMatrix();
    EXPECT_NE(first, second);
    EXPECT_EQ(first->tx, second->tx);
    first->tx = 40;
    EXPECT_EQ(t->limnGetMatrix()->tx, 0) << "a read copy changes nothing until assigned";
    EXPECT_EQ(backend.count("limn_display_object_set_matrix"), 0);
}

TEST_F(TransformView, AssigningAMatrixReturnsItAndReachesTheObject) {
    auto t = shape->limnGetTransform();
    auto m = std::make_shared<geom::Matrix>(1, 0, 0, 1, 7, 8);
    EXPECT_EQ(t->limnSetMatrix(m), m);
    EXPECT_EQ(shape->limnGetMatrix()->tx, 7);
    EXPECT_EQ(t->limnGetConcatenatedMatrix()->ty, 108);
}

TEST_F(TransformView, PropertiesAreReachableByName) {
    auto t = shape->limnGetTransform();
    t->set("matrix", std::make_shared<geom::Matrix>(1, 0, 0, 1, 3, 4));
    EXPECT_EQ(t->get("matrix").as<geom::Matrix>()->tx, 3);
    EXPECT_NE(t->get("colorTransform").as<geom::ColorTransform>(), nullptr);
    EXPECT_NE(t->get("pixelBounds").as<geom::Rectangle>(), nullptr);
    EXPECT_EQ(backend.last("limn_display_object_get_pixel_bounds")->args[0], shape->limnHandle);
}

TEST_F(TransformView, EachReadOfTransformIsANewView) {
    EXPECT_NE(shape->limnGetTransform(), shape->limnGetTransform());
    static_cast<void>(shape->limnGetTransform()->limnGetPixelBounds());
    EXPECT_EQ(backend.last("limn_display_object_get_pixel_bounds")->args[0], shape->limnHandle)
        << "a view reads the object it was made from";
}

TEST_F(TransformView, AssigningATransformCopiesMatrixThenColourTransform) {
    auto source = std::make_shared<Shape>();
    stored->tx = 12;
    backend.clearCalls();
    shape->limnSetTransform(source->limnGetTransform());
    std::vector<std::string> order;
    for (const auto& name : backend.callNames()) {
        if (name.find("matrix") != std::string::npos || name.find("color") != std::string::npos) {
            order.push_back(name);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"limn_display_object_get_matrix",
                                               "limn_display_object_set_matrix",
                                               "limn_display_object_get_color_transform",
                                               "limn_display_object_set_color_transform"}));
    EXPECT_EQ(backend.last("limn_display_object_set_matrix")->args[0], shape->limnHandle);
}

TEST_F(TransformView, ViewsNeedAnObject) {
    EXPECT_THROW(geom::Transform(nullptr), rt::Error);
    EXPECT_THROW(shape->limnSetTransform(nullptr), rt::Error);
}

}  // namespace
}  // namespace limn::testing
