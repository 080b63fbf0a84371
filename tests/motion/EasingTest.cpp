#include <gtest/gtest.h>

#include "motion/easing/Expo.h"
#include "motion/easing/Quad.h"

namespace {

using namespace com::quillfern::motion::easing;

TEST(QuadCurves, HitTheirKnownValues) {
    EXPECT_DOUBLE_EQ(QuadEaseIn().calculate(0.5), 0.25);
    EXPECT_DOUBLE_EQ(QuadEaseOut().calculate(0.5), 0.75);
    EXPECT_DOUBLE_EQ(QuadEaseInOut().calculate(0.25), 0.125);
    EXPECT_DOUBLE_EQ(QuadEaseInOut().calculate(0.75), 0.875);
    EXPECT_DOUBLE_EQ(QuadEaseInOut().calculate(0.5), 0.5);
}

TEST(ExpoCurves, GuardedEndpointsAreExact) {
    EXPECT_EQ(ExpoEaseOut().calculate(1), 1.0);
    EXPECT_EQ(ExpoEaseOut().calculate(0), 0.0);
    EXPECT_EQ(ExpoEaseIn().calculate(0), 0.0);
    EXPECT_EQ(ExpoEaseIn().calculate(1), 1.0);
    EXPECT_EQ(ExpoEaseInOut().calculate(0), 0.0);
    EXPECT_EQ(ExpoEaseInOut().calculate(1), 1.0);
}

TEST(ExpoCurves, JumpAtTheGuards) {
    EXPECT_NEAR(ExpoEaseIn().calculate(1e-12), 1.0 / 1024, 1e-9);
    EXPECT_NEAR(ExpoEaseOut().calculate(1 - 1e-12), 1 - 1.0 / 1024, 1e-9);
}

TEST(ExpoCurves, HitTheirKnownValues) {
    EXPECT_DOUBLE_EQ(ExpoEaseOut().calculate(0.5), 0.96875);
    EXPECT_DOUBLE_EQ(ExpoEaseIn().calculate(0.5), 0.03125);
    EXPECT_DOUBLE_EQ(ExpoEaseInOut().calculate(0.25), 0.015625);
    EXPECT_DOUBLE_EQ(ExpoEaseInOut().calculate(0.5), 0.5);
    EXPECT_DOUBLE_EQ(ExpoEaseInOut().calculate(0.75), 0.984375);
}

TEST(Curves, EaseMatchesCalculateIncludingGuards) {
    EXPECT_EQ(ExpoEaseOut().ease(2, 10, 5, 2), 15.0);
    EXPECT_EQ(ExpoEaseIn().ease(0, 10, 5, 2), 10.0);
    const std::shared_ptr<IEasing> curves[] = {Quad::easeIn(),  Quad::easeOut(), Quad::easeInOut(),
                                               Expo::easeIn(), Expo::easeOut(), Expo::easeInOut()};
    for (const auto& curve : curves) {
        for (double t : {0.0, 0.3, 1.0, 1.7, 2.0}) {
            EXPECT_NEAR(curve->ease(t, 10, 5, 2), 10 + 5 * curve->calculate(t / 2), 1e-12)
                << curve->toString() << " at t=" << t;
        }
    }
}

TEST(CurveHolders, EveryReadMakesANewEquivalentCurve) {
    auto a = Quad::easeOut();
    auto b = Quad::getEaseOut();
    EXPECT_NE(a, b);
    EXPECT_EQ(a->calculate(0.3), b->calculate(0.3));
    EXPECT_EQ(Expo::easeInOut()->toString(), "[object ExpoEaseInOut]");
}

TEST(Curves, CalculateIsReachableByName) {
    auto curve = Quad::easeIn();
    const rt::Dynamic args[] = {0.5};
    EXPECT_DOUBLE_EQ(curve->callMethod("calculate", args).asFloat(), 0.25);
}

}  // namespace
