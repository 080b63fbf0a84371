#include <gtest/gtest.h>

#include "runtime/Dynamic.h"
#include "runtime/Name.h"
#include "runtime/Object.h"
#include "runtime/Random.h"

namespace {

TEST(Name, EqualTextsShareOneInternedString) {
    rt::Name a("alpha");
    rt::Name b(std::string("alp") + "ha");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.id(), b.id());
    EXPECT_FALSE(a == rt::Name("alphA"));
}

TEST(Dynamic, NullConvertsToZeroFalseAndText) {
    rt::Dynamic d;
    EXPECT_TRUE(d.isNull());
    EXPECT_EQ(d.asFloat(), 0.0);
    EXPECT_EQ(d.asInt(), 0);
    EXPECT_FALSE(d.asBool());
    EXPECT_EQ(d.toString(), "null");
}

TEST(Dynamic, NumbersCompareByValueAcrossIntAndFloat) {
    EXPECT_EQ(rt::Dynamic(1), rt::Dynamic(1.0));
    EXPECT_FALSE(rt::Dynamic(1) == rt::Dynamic("1"));
    EXPECT_EQ(rt::Dynamic("abc"), rt::Dynamic(std::string("abc")));
}

TEST(Dynamic, FloatToIntTruncatesTowardZero) {
    EXPECT_EQ(rt::Dynamic(2.9).asInt(), 2);
    EXPECT_EQ(rt::Dynamic(-2.9).asInt(), -2);
    EXPECT_EQ(rt::Dynamic(std::numeric_limits<double>::quiet_NaN()).asInt(), 0);
}

TEST(Dynamic, WideColoursWrapLikeThirtyTwoBitInts) {
    rt::Dynamic d(0xFF000000u);
    EXPECT_TRUE(d.isInt());
    EXPECT_EQ(static_cast<unsigned>(d.asInt()), 0xFF000000u);
    rt::Dynamic big(static_cast<long long>(1) << 40);
    EXPECT_TRUE(big.isFloat());
}

TEST(Dynamic, FloatTextDropsTrailingZeros) {
    EXPECT_EQ(rt::Dynamic(100.0).toString(), "100");
    EXPECT_EQ(rt::Dynamic(0.5).toString(), "0.5");
    EXPECT_EQ(rt::Dynamic(rt::array({1, "a", 2.5})).toString(), "[1,a,2.5]");
}

TEST(Dynamic, ObjectsAndArraysCompareByIdentity) {
    auto a = rt::props({{"x", 1}});
    auto b = rt::props({{"x", 1}});
    EXPECT_EQ(rt::Dynamic(a), rt::Dynamic(a));
    EXPECT_FALSE(rt::Dynamic(a) == rt::Dynamic(b));
    EXPECT_EQ(rt::Dynamic(a).as<rt::DynObject>(), a);
    EXPECT_EQ(rt::Dynamic(1).as<rt::DynObject>(), nullptr);
}

TEST(Dynamic, NullSharedPointerIsNull) {
    std::shared_ptr<rt::DynObject> none;
    EXPECT_TRUE(rt::Dynamic(none).isNull());
    EXPECT_TRUE(rt::Dynamic(rt::ArrayPtr()).isNull());
}

TEST(PropertySet, ListsNamesInInsertionOrder) {
    auto set = rt::props({{"y", 1}, {"x", 2}});
    set->set("alpha", 0);
    set->set("y", 5);
    auto names = set->fieldNames();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].str(), "y");
    EXPECT_EQ(names[1].str(), "x");
    EXPECT_EQ(names[2].str(), "alpha");
    EXPECT_EQ(set->get("y").asInt(), 5);
    EXPECT_TRUE(set->hasField("alpha"));
    EXPECT_FALSE(set->hasField("beta"));
    EXPECT_TRUE(set->get("beta").isNull());
}

TEST(Random, SameSeedReplaysTheSameSequence) {
    rt::seedRandom(42);
    std::vector<double> first;
    for (int i = 0; i < 5; ++i) first.push_back(rt::random());
    rt::seedRandom(42);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rt::random(), first[i]);
    for (int i = 0; i < 1000; ++i) {
        double r = rt::random();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        int n = rt::randomInt(23);
        ASSERT_GE(n, 0);
        ASSERT_LT(n, 23);
    }
}

}  // namespace
