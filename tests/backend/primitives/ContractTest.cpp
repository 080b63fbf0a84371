// The contract between the framework and the backend is the wire
// (native/WirePrimitives.h): the compiler checks each call and each handler
// against it. This program checks what the compiler cannot: that the real
// backend registers a handler for every primitive the wire declares, and that
// every primitive the linked framework, tween engine and game call resolves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/primitives/Primitives.h"
#include "backend/recording/RecordingBackend.h"
#include "native/Primitive.h"
#include "native/WirePrimitives.h"

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

TEST(BackendContract, TheRealBackendHandlesEveryPrimitiveOfTheWire) {
    const auto module = makeModule();
    std::vector<std::string> declared;
#define LIMN_DECLARED(id, ...) declared.push_back(native::exportName(#id, native::wire::id::arity));
#define LIMN_DECLARED_MANY(id, ...) \
    declared.push_back(native::exportName(#id, native::kVariableArgs));
    LIMN_WIRE_PRIMITIVES(LIMN_DECLARED, LIMN_DECLARED_MANY)
#undef LIMN_DECLARED
#undef LIMN_DECLARED_MANY
    std::vector<std::string> missing;
    for (const auto& name : declared) {
        if (!module->find(name)) missing.push_back(name);
    }
    EXPECT_TRUE(missing.empty()) << "declared but not handled: "
                                 << ::testing::PrintToString(missing);
    EXPECT_EQ(module->size(), declared.size()) << "the backend exports a primitive the wire lacks";
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
