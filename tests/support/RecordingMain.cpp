// Test main: every test program runs against the recording backend, installed
// before any test so that all primitives resolve to it. Where the desktop backend
// is built, the recording backend is held to its exports: a primitive name or
// argument count that the real backend does not have fails the program.
#include <gtest/gtest.h>

#include <string>

#include "backend/recording/RecordingBackend.h"
#if defined(LIMN_HAVE_DESKTOP_BACKEND)
#include "backend/primitives/Primitives.h"
#endif

namespace {

class ContractCheck final : public ::testing::Environment {
public:
    void TearDown() override {
        const auto& refused = limn::recording::RecordingBackend::instance().refused();
        std::string names;
        for (const auto& name : refused) names += "\n  " + name;
        EXPECT_TRUE(refused.empty())
            << "primitives that the real backend does not export were asked for:" << names;
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#if defined(LIMN_HAVE_DESKTOP_BACKEND)
    const auto exports = limn::sdl::makeModule()->exportNames();
    limn::recording::RecordingBackend::instance().restrictTo({exports.begin(), exports.end()});
#endif
    limn::recording::RecordingBackend::install();
    ::testing::AddGlobalTestEnvironment(new ContractCheck);
    return RUN_ALL_TESTS();
}
