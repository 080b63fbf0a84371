// The contract between the framework and the backend is a list of primitive
// names and argument counts. This program links every part that declares
// primitives (framework, tween engine, game) whole, registers the real
// backend, and fails on any declared primitive the backend does not export.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/primitives/Primitives.h"
#include "backend/recording/RecordingBackend.h"
#include "native/Primitive.h"

namespace limn::sdl::testing {
namespace {

TEST(BackendContract, EveryDeclaredPrimitiveResolvesOnTheRealBackend) {
    registerModule();
    std::vector<std::string> missing;
    std::size_t checked = 0;
    for (const native::Primitive* p : native::Primitive::declaredAll()) {
        if (p->moduleName() != "limn") continue;
        ++checked;
        if (p->isNull()) missing.push_back(native::exportName(p->name(), p->argCount()));
    }
    EXPECT_GT(checked, 150u) << "the framework's primitives were not linked in";
    EXPECT_TRUE(missing.empty()) << "not exported by the backend: "
                                 << ::testing::PrintToString(missing);
}

TEST(BackendContract, TheRecordingBackendRefusesWhatTheRealOneDoesNotExport) {
    recording::RecordingBackend backend;
    const auto exports = makeModule()->exportNames();
    backend.restrictTo({exports.begin(), exports.end()});
    EXPECT_TRUE(backend.find("limn_display_object_set_x__2").has_value());
    EXPECT_FALSE(backend.find("limn_display_object_set_x__3").has_value());  // arity drift
    EXPECT_FALSE(backend.find("limn_display_object_set_xx__2").has_value());
    EXPECT_FALSE(backend.find("limn_display_object_set_xx__2").has_value());
    EXPECT_EQ(backend.refused(), (std::vector<std::string>{"limn_display_object_set_x__3",
                                                           "limn_display_object_set_xx__2"}));
}

}  // namespace
}  // namespace limn::sdl::testing
