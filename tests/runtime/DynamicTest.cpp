#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "runtime/Dynamic.h"
#include "runtime/Name.h"
#include "runtime/Object.h"
#include "runtime/Random.h"

namespace {

struct Probe : rt::Object {
    int field = 0;
};

// A pointer never becomes a dynamic value (it would read as a bool); text still does.
static_assert(!std::is_constructible_v<rt::Dynamic, int*>);
static_assert(!std::is_constructible_v<rt::Dynamic, const Probe*>);
static_assert(!std::is_constructible_v<rt::Dynamic, void (*)()>);
static_assert(!std::is_constructible_v<rt::Dynamic, int Probe::*>);
static_assert(std::is_convertible_v<const char*, rt::Dynamic>);
static_assert(std::is_convertible_v<char*, rt::Dynamic>);
static_assert(std::is_convertible_v<const char (&)[4], rt::Dynamic>);
static_assert(std::is_convertible_v<std::nullptr_t, rt::Dynamic>);
// Integers other than int convert only when asked to.
static_assert(!std::is_convertible_v<std::int64_t, rt::Dynamic>);
static_assert(!std::is_convertible_v<std::size_t, rt::Dynamic>);
static_assert(!std::is_convertible_v<unsigned, rt::Dynamic>);
static_assert(std::is_constructible_v<rt::Dynamic, std::int64_t>);
static_assert(std::is_constructible_v<rt::Dynamic, std::size_t>);
// The everyday values stay implicit.
static_assert(std::is_convertible_v<int, rt::Dynamic>);
static_assert(std::is_convertible_v<bool, rt::Dynamic>);
static_assert(std::is_convertible_v<double, rt::Dynamic>);
static_assert(std::is_convertible_v<std::string_view, rt::Dynamic>);
static_assert(std::is_convertible_v<std::shared_ptr<Probe>, rt::Dynamic>);

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

TEST(Dynamic, NullPointersAreNull) {
    std::shared_ptr<rt::DynObject> none;
    EXPECT_TRUE(rt::Dynamic(none).isNull());
    EXPECT_TRUE(rt::Dynamic(rt::ArrayPtr()).isNull());
    const char* noText = nullptr;
    EXPECT_TRUE(rt::Dynamic(noText).isNull());
    EXPECT_EQ(rt::Dynamic(static_cast<const char*>("")), rt::Dynamic(std::string()));
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
