#include <gtest/gtest.h>

#include "backend/recording/RecordingBackend.h"
#include "native/Primitive.h"
#include "runtime/Error.h"

namespace {

using limn::native::Primitive;
using limn::native::TableModule;

class PrimitiveResolution : public ::testing::Test {
protected:
    void TearDown() override { limn::native::unregisterModule("probe"); }
};

TEST_F(PrimitiveResolution, FindsExportByNameAndArgumentCount) {
    auto module = std::make_shared<TableModule>();
    module->add("probe_add", 2,
                [](rt::Args a) { return rt::Dynamic(a[0].asInt() + a[1].asInt()); });
    limn::native::registerModule("probe", module);
    Primitive add("probe_add", 2, "probe");
    EXPECT_EQ(add(2, 3).asInt(), 5);
}

TEST_F(PrimitiveResolution, VariableCountTravelsAsOneArray) {
    auto module = std::make_shared<TableModule>();
    module->add("probe_sum", limn::native::kVariableArgs, [](rt::Args a) {
        EXPECT_EQ(a.size(), 1u);
        int sum = 0;
        for (const auto& v : *a[0].asArray()) sum += v.asInt();
        return rt::Dynamic(sum);
    });
    limn::native::registerModule("probe", module);
    Primitive sum("probe_sum", limn::native::kVariableArgs, "probe");
    EXPECT_EQ(sum(1, 2, 3, 4, 5, 6).asInt(), 21);
}

TEST_F(PrimitiveResolution, MissingPrimitivePrintsAndThrowsOnCall) {
    limn::native::registerModule("probe", std::make_shared<TableModule>());
    ::testing::internal::CaptureStderr();
    Primitive missing("probe_nothing", 1, "probe");
    missing.resolve();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Could not find primitive probe_nothing__1.\n");
    EXPECT_TRUE(missing.isNull());
    EXPECT_THROW(missing(1), rt::NullCallError);
}

TEST_F(PrimitiveResolution, WrongArgumentCountIsAMissingPrimitive) {
    auto module = std::make_shared<TableModule>();
    module->add("probe_add", 2, [](rt::Args) { return rt::Dynamic(); });
    limn::native::registerModule("probe", module);
    ::testing::internal::CaptureStderr();
    Primitive add("probe_add", 3, "probe");
    add.resolve();
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(add.isNull());
}

TEST_F(PrimitiveResolution, ExportThatYieldsNothingIsReported) {
    auto module = std::make_shared<TableModule>();
    module->add("probe_empty", 0, nullptr);
    limn::native::registerModule("probe", module);
    ::testing::internal::CaptureStderr();
    Primitive empty("probe_empty", 0, "probe");
    empty.resolve();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Could not identify primitive probe_empty__0 in probe\n");
    EXPECT_TRUE(empty.isNull());
}

TEST_F(PrimitiveResolution, UnknownModuleFailsWithItsName) {
    Primitive lost("x_y", 0, "nowhere");
    try {
        lost.resolve();
        FAIL() << "expected an error";
    } catch (const rt::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Could not load module nowhere");
    }
}

TEST_F(PrimitiveResolution, ResolveAllRebindsToANewlyRegisteredModule) {
    auto first = std::make_shared<TableModule>();
    first->add("probe_v", 0, [](rt::Args) { return rt::Dynamic(1); });
    limn::native::registerModule("probe", first);
    Primitive v("probe_v", 0, "probe");
    EXPECT_EQ(v().asInt(), 1);
    auto second = std::make_shared<TableModule>();
    second->add("probe_v", 0, [](rt::Args) { return rt::Dynamic(2); });
    limn::native::registerModule("probe", second);
    Primitive::resolveAll();
    EXPECT_EQ(v().asInt(), 2);
}

class Recording : public ::testing::Test {
protected:
    void SetUp() override { backend.reset(); }
    limn::recording::RecordingBackend& backend = limn::recording::RecordingBackend::instance();
};

TEST_F(Recording, RecordsCallsAndModelsSettersAndGetters) {
    Primitive create("limn_create_display_object", 0);
    Primitive setX("limn_display_object_set_x", 2);
    Primitive getX("limn_display_object_get_x", 1);
    rt::Dynamic h = create();
    rt::Dynamic other = create();
    EXPECT_NE(limn::recording::RecordingBackend::idOf(h),
              limn::recording::RecordingBackend::idOf(other));
    EXPECT_EQ(setX(h, 10.5).asFloat(), 10.5);
    EXPECT_EQ(getX(h).asFloat(), 10.5);
    EXPECT_TRUE(getX(other).isNull());
    ASSERT_NE(backend.last("limn_display_object_set_x"), nullptr);
    EXPECT_EQ(backend.last("limn_display_object_set_x")->args[1].asFloat(), 10.5);
    EXPECT_EQ(backend.count("limn_display_object_get_x"), 2);
}

TEST_F(Recording, ScriptedAnswersWinInOrderOnceComputedFixed) {
    Primitive width("limn_display_object_get_width", 1);
    backend.answer("limn_display_object_get_width", 7);
    backend.answerWith("limn_display_object_get_width", [](rt::Args) { return rt::Dynamic(8); });
    backend.answerOnce("limn_display_object_get_width", 9);
    EXPECT_EQ(width(nullptr).asInt(), 9);
    EXPECT_EQ(width(nullptr).asInt(), 8);
    backend.clearAnswers("limn_display_object_get_width");
    EXPECT_TRUE(width(nullptr).isNull());
}

TEST_F(Recording, ClockIsScripted) {
    Primitive stamp("limn_time_stamp", 0);
    backend.setTime(1.5);
    backend.advance(0.25);
    EXPECT_EQ(stamp().asFloat(), 1.75);
}

TEST_F(PrimitiveResolution, OfferedModuleRegistersOnFirstNeedAndExplicitOneWins) {
    int offers = 0;
    auto offered = std::make_shared<TableModule>();
    offered->add("probe_which", 0, [](rt::Args) { return rt::Dynamic(1); });
    limn::native::offerModule("probe", [&] {
        ++offers;
        limn::native::registerModule("probe", offered);
    });
    Primitive which("probe_which", 0, "probe");
    EXPECT_EQ(which().asInt(), 1);
    EXPECT_EQ(offers, 1);

    auto explicitModule = std::make_shared<TableModule>();
    explicitModule->add("probe_which", 0, [](rt::Args) { return rt::Dynamic(2); });
    limn::native::registerModule("probe", explicitModule);
    which.resolve();
    EXPECT_EQ(which().asInt(), 2);
    EXPECT_EQ(offers, 1) << "a registered module is never replaced by the offer";
    limn::native::offerModule("probe", nullptr);
}

}  // namespace
