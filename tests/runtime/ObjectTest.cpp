#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/Error.h"
#include "runtime/Function.h"
#include "runtime/Log.h"
#include "runtime/Object.h"

namespace {

class Ball : public rt::Object {
public:
    RT_DECLARE_CLASS
    double speed = 0;
    std::string label;
    int bounces = 0;

    double getX() const { return x_; }
    double setX(double v) {
        ++setterCalls;
        x_ = v;
        return v;
    }
    int add(int a, int b) { return a + b; }
    void bounce() { ++bounces; }

    int setterCalls = 0;

private:
    double x_ = 0;
};

const rt::ClassInfo& Ball::staticClass() {
    static const rt::ClassInfo info = rt::ClassInfo("test.Ball", &rt::Object::staticClass())
                                          .field<&Ball::speed>("speed")
                                          .field<&Ball::label>("label")
                                          .property<&Ball::getX, &Ball::setX>("x")
                                          .method<&Ball::add>("add")
                                          .method<&Ball::bounce>("bounce");
    return info;
}

class HeavyBall : public Ball {
public:
    RT_DECLARE_CLASS
    double mass = 1;
};

class Numbered : public rt::Object {
public:
    RT_DECLARE_CLASS
    int serial = 7;
};

const rt::ClassInfo& Numbered::staticClass() {
    static const rt::ClassInfo info = rt::ClassInfo("test.Numbered", &rt::Object::staticClass())
                                          .readOnly<&Numbered::serial>("serial");
    return info;
}

const rt::ClassInfo& HeavyBall::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("test.HeavyBall", &Ball::staticClass()).field<&HeavyBall::mass>("mass");
    return info;
}

TEST(ObjectByName, FieldsAndPropertiesGoThroughTheClassTable) {
    auto ball = std::make_shared<Ball>();
    ball->set("speed", 3);
    ball->set("x", 12.5);
    ball->set("label", "red");
    EXPECT_EQ(ball->speed, 3.0);
    EXPECT_EQ(ball->getX(), 12.5);
    EXPECT_EQ(ball->setterCalls, 1);
    EXPECT_EQ(ball->get("x").asFloat(), 12.5);
    EXPECT_EQ(ball->get("label").asString(), "red");
}

TEST(ObjectByName, UnknownNamesReadNullAndWritesAreIgnoredOnClasses) {
    auto ball = std::make_shared<Ball>();
    ball->set("colour", 5);
    EXPECT_TRUE(ball->get("colour").isNull());
    EXPECT_FALSE(ball->hasField("colour"));
}

TEST(ObjectByName, ReadOnlyFieldsAreListedAndReadButNotWritten) {
    auto ball = std::make_shared<Numbered>();
    EXPECT_EQ(ball->get("serial").asInt(), 7);
    ball->set("serial", 9);
    EXPECT_EQ(ball->serial, 7);
    const auto names = ball->fieldNames();
    EXPECT_NE(std::find(names.begin(), names.end(), rt::Name("serial")), names.end());
}

TEST(ObjectByName, SubclassesInheritTheBaseTable) {
    auto ball = std::make_shared<HeavyBall>();
    ball->set("x", 4);
    ball->set("mass", 9);
    EXPECT_EQ(ball->getX(), 4.0);
    EXPECT_EQ(ball->mass, 9.0);
    auto names = ball->fieldNames();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].str(), "speed");
    EXPECT_EQ(names[2].str(), "mass");
    EXPECT_TRUE(ball->isA(Ball::staticClass()));
    EXPECT_FALSE(std::make_shared<Ball>()->isA(HeavyBall::staticClass()));
    EXPECT_EQ(ball->toString(), "[object HeavyBall]");
}

TEST(ObjectByName, MethodsAreCalledByNameWithConvertedArguments) {
    auto ball = std::make_shared<Ball>();
    const rt::Dynamic args[] = {2, 3.0};
    EXPECT_EQ(ball->callMethod("add", args).asInt(), 5);
    ball->callMethod("bounce");
    auto bounce = ball->get("bounce").asFunction();
    ASSERT_TRUE(bounce);
    bounce();
    EXPECT_EQ(ball->bounces, 2);
}

TEST(Function, BoundMethodsCompareAsMethodReferences) {
    auto a = std::make_shared<Ball>();
    auto b = std::make_shared<Ball>();
    EXPECT_TRUE(rt::bind<&Ball::bounce>(a).sameAs(rt::bind<&Ball::bounce>(a)));
    EXPECT_FALSE(rt::bind<&Ball::bounce>(a).sameAs(rt::bind<&Ball::bounce>(b)));
    EXPECT_FALSE(rt::bind<&Ball::bounce>(a).sameAs(rt::bind<&Ball::add>(a)));
    // The same method reached by name is the same reference.
    EXPECT_TRUE(a->get("bounce").asFunction().sameAs(a->get("bounce").asFunction()));
}

TEST(Function, LambdasAreEqualOnlyToCopiesOfThemselves) {
    auto f = rt::function([] {});
    auto g = rt::function([] {});
    rt::Function copy = f;
    EXPECT_TRUE(f.sameAs(copy));
    EXPECT_FALSE(f.sameAs(g));
}

TEST(Function, BoundMethodDoesNotKeepItsObjectAlive) {
    std::weak_ptr<Ball> watch;
    rt::Function f;
    {
        auto ball = std::make_shared<Ball>();
        watch = ball;
        f = rt::bind<&Ball::bounce>(ball);
        f();
        EXPECT_EQ(ball->bounces, 1);
    }
    EXPECT_TRUE(watch.expired());
    EXPECT_NO_THROW(f());  // receiver gone: the call does nothing
}

TEST(Function, ArgumentsConvertAndMissingOnesAreNull) {
    double seen = -1;
    std::string text = "unset";
    auto f = rt::function([&](double v, const std::string& s) {
        seen = v;
        text = s;
    });
    f(3);
    EXPECT_EQ(seen, 3.0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(rt::function([](int a, int b) { return a * b; })(6, 7).asInt(), 42);
}

TEST(Function, CallingNullThrows) {
    rt::Function none;
    EXPECT_THROW(none(), rt::NullCallError);
}

void freeHandler() {}

TEST(Function, FreeFunctionsAreEqualWhenRemade) {
    EXPECT_TRUE(rt::function<&freeHandler>().sameAs(rt::function<&freeHandler>()));
}

// A write a class cannot take is ignored, but said once per class and name on
// standard error; plain objects take any name without a word.
TEST(ObjectByName, IgnoredWritesAreReportedOncePerClassAndName) {
    rt::log::setLevel(rt::log::Level::Warn);
    auto ball = std::make_shared<HeavyBall>();
    ::testing::internal::CaptureStderr();
    ball->set("xx", 1);
    ball->set("xx", 2);
    ball->set("speed", 3);
    ball->set("add", 4);
    rt::props({{"xx", 1}})->set("yy", 2);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "limn: test.HeavyBall has no property \"xx\"; the write is ignored (a typo, or a "
              "member missing from its class table?)\n"
              "limn: \"add\" of test.HeavyBall cannot be written (read-only); the write is "
              "ignored\n");
}

}  // namespace
