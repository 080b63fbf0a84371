#include <gtest/gtest.h>

#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Rectangle.h"
#include "runtime/Error.h"

namespace limn::geom {
namespace {

std::vector<std::string> names(const rt::Object& o) {
    std::vector<std::string> out;
    for (const auto& n : o.fieldNames()) out.push_back(n.str());
    return out;
}

TEST(GeometryByName, FieldsAreListedInDeclarationOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(names(Matrix()), (V{"a", "b", "c", "d", "tx", "ty"}));
    EXPECT_EQ(names(Point()), (V{"x", "y"}));
    EXPECT_EQ(names(Rectangle()), (V{"x", "y", "width", "height"}));
    EXPECT_EQ(names(ColorTransform()),
              (V{"alphaMultiplier", "redMultiplier", "greenMultiplier", "blueMultiplier",
                 "alphaOffset", "redOffset", "greenOffset", "blueOffset"}));
}

TEST(GeometryByName, BackendStyleFillAndRead) {
    auto m = std::make_shared<Matrix>();
    m->set("a", 2);
    m->set("ty", 7.5);
    EXPECT_EQ(m->a, 2);
    EXPECT_EQ(m->ty, 7.5);
    EXPECT_EQ(m->get("d").asFloat(), 1);

    auto ct = std::make_shared<ColorTransform>();
    ct->set("alphaOffset", -255);
    EXPECT_EQ(ct->alphaOffset, -255);
    EXPECT_EQ(ct->get("redMultiplier").asFloat(), 1);
}

TEST(GeometryByName, ClassNamesAreDotted) {
    EXPECT_EQ(Matrix::staticClass().name(), "limn.geom.Matrix");
    EXPECT_EQ(Point::staticClass().name(), "limn.geom.Point");
    EXPECT_EQ(Rectangle::staticClass().name(), "limn.geom.Rectangle");
    EXPECT_EQ(ColorTransform::staticClass().name(), "limn.geom.ColorTransform");
    EXPECT_EQ(Rectangle().toString(), "[object Rectangle]");
}

TEST(GeometryByName, RectanglePropertiesGoThroughAccessors) {
    auto r = std::make_shared<Rectangle>(0, 0, 10, 10);
    r->set("left", 2);
    EXPECT_EQ(r->width, 8) << "left keeps the right edge";
    EXPECT_EQ(r->get("right").asFloat(), 10);
    r->set("topLeft", std::make_shared<Point>(5, 5));
    EXPECT_TRUE(r->equals(Rectangle(5, 5, 8, 10)));
    auto br = r->get("bottomRight").as<Point>();
    ASSERT_TRUE(br);
    EXPECT_TRUE(br->equals(Point(13, 15)));
    EXPECT_EQ(std::make_shared<Point>(3, 4)->get("length").asFloat(), 5);
}

TEST(GeometryByName, MethodsAreCallableWithObjectArguments) {
    auto r = std::make_shared<Rectangle>(0, 0, 10, 10);
    const rt::Dynamic other[] = {std::make_shared<Rectangle>(100, 100, 0, 0)};
    auto u = r->callMethod("union", other).as<Rectangle>();
    ASSERT_TRUE(u);
    EXPECT_TRUE(u->equals(Rectangle(0, 0, 100, 100)));

    auto m = std::make_shared<Matrix>(1, 2, 3, 4, 5, 6);
    const rt::Dynamic arg[] = {std::make_shared<Matrix>(0, 1, -1, 0, 10, 20)};
    auto product = m->callMethod("mult", arg).as<Matrix>();
    m->callMethod("concat", arg);
    ASSERT_TRUE(product);
    EXPECT_EQ(product->tx, m->tx);

    auto ct = std::make_shared<ColorTransform>();
    const rt::Dynamic second[] = {std::make_shared<ColorTransform>()};
    ct->get("concat").asFunction().call(second);
    EXPECT_EQ(ct->blueMultiplier, 2);
}

TEST(GeometryByName, MissingOptionalArgumentsTakeTheirDefaults) {
    auto m = std::make_shared<Matrix>();
    const rt::Dynamic box[] = {1638.4, 819.2, nullptr, 10.0};
    m->callMethod("createGradientBox", box);
    EXPECT_NEAR(m->tx, 829.2, 1e-9);
    EXPECT_NEAR(m->ty, 409.6, 1e-9);
    EXPECT_EQ(m->b, 0);

    const rt::Dynamic angle[] = {0.0};
    m->callMethod("setRotation", angle);
    EXPECT_EQ(m->a, 1) << "scale defaults to 1";
}

TEST(GeometryByName, NullObjectArgumentIsAnErrorNotACrash) {
    auto r = std::make_shared<Rectangle>(0, 0, 10, 10);
    const rt::Dynamic none[] = {nullptr};
    EXPECT_THROW(r->callMethod("containsRect", none), rt::Error);
    const rt::Dynamic wrongType[] = {std::make_shared<Point>(1, 1)};
    EXPECT_THROW(r->callMethod("intersects", wrongType), rt::Error);
    EXPECT_THROW(r->set("size", nullptr), rt::Error);
}

}  // namespace
}  // namespace limn::geom
