#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "motion/easing/Back.h"
#include "motion/easing/Bounce.h"
#include "motion/easing/Cubic.h"
#include "motion/easing/Elastic.h"
#include "motion/easing/Expo.h"
#include "motion/easing/Linear.h"
#include "motion/easing/Quad.h"
#include "motion/easing/Quart.h"
#include "motion/easing/Quint.h"
#include "motion/easing/Sine.h"

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
    const std::shared_ptr<IEasing> curves[] = {Quad::easeIn(), Quad::easeOut(), Quad::easeInOut(),
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

struct Family {
    std::string name;
    std::function<std::shared_ptr<IEasing>()> in, out, inOut;
};

template <class F>
Family family(const char* name) {
    return {name, [] { return F::easeIn(); }, [] { return F::easeOut(); },
            [] { return F::easeInOut(); }};
}

std::vector<Family> newFamilies() {
    return {family<Linear>("Linear"),   family<Sine>("Sine"),    family<Cubic>("Cubic"),
            family<Quart>("Quart"),     family<Quint>("Quint"),  family<Back>("Back"),
            family<Elastic>("Elastic"), family<Bounce>("Bounce")};
}

// Every family: exact guarded endpoints, out mirrors in, in-out is symmetric
// about its middle, and ease() agrees with calculate().
TEST(CurveFamilies, KeepTheirShapeLaws) {
    for (const Family& f : newFamilies()) {
        SCOPED_TRACE(f.name);
        auto in = f.in(), out = f.out(), inOut = f.inOut();
        for (const auto& curve : {in, out, inOut}) {
            EXPECT_EQ(curve->calculate(0), 0.0) << curve->toString();
            EXPECT_EQ(curve->calculate(1), 1.0) << curve->toString();
            EXPECT_EQ(curve->ease(0, 10, 5, 2), 10.0) << curve->toString();
            EXPECT_EQ(curve->ease(2, 10, 5, 2), 15.0) << curve->toString();
        }
        for (int i = 1; i < 100; ++i) {
            const double k = i / 100.0;
            EXPECT_NEAR(out->calculate(k), 1 - in->calculate(1 - k), 1e-12) << k;
            EXPECT_NEAR(inOut->calculate(k), 1 - inOut->calculate(1 - k), 1e-12) << k;
            EXPECT_NEAR(in->ease(k * 2, 10, 5, 2), 10 + 5 * in->calculate(k), 1e-12) << k;
        }
    }
}

TEST(CurveFamilies, HitTheirKnownValues) {
    EXPECT_DOUBLE_EQ(Linear::easeNone()->calculate(0.3), 0.3);
    EXPECT_NEAR(SineEaseIn().calculate(0.5), 1 - std::sqrt(0.5), 1e-15);
    EXPECT_DOUBLE_EQ(CubicEaseIn().calculate(0.5), 0.125);
    EXPECT_DOUBLE_EQ(QuartEaseOut().calculate(0.5), 0.9375);
    EXPECT_DOUBLE_EQ(QuintEaseInOut().calculate(0.25), 0.5 * std::pow(0.5, 5));
    EXPECT_LT(BackEaseIn().calculate(0.3), 0.0);                 // pulls back first
    EXPECT_GT(ElasticEaseOut().calculate(0.1), 1.0);             // swings past the end
    EXPECT_DOUBLE_EQ(BounceEaseOut().calculate(1 / 2.75), 1.0);  // the first landing
    EXPECT_EQ(Bounce::easeInOut()->toString(), "[object BounceEaseInOut]");
}

}  // namespace
