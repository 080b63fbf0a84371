// Test main: every test program runs against the recording backend, installed
// before any test so that all primitives resolve to it. The recording backend
// is held to the real backend's exports: a primitive name or argument count
// that the real backend does not have fails the program.
#include <gtest/gtest.h>

#include <string>

#include "backend/primitives/Primitives.h"
#include "backend/recording/RecordingBackend.h"

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
    const auto exports = limn::sdl::makeModule()->exportNames();
    limn::recording::RecordingBackend::instance().restrictTo({exports.begin(), exports.end()});
    limn::recording::RecordingBackend::install();
    ::testing::AddGlobalTestEnvironment(new ContractCheck);
    return RUN_ALL_TESTS();
}
