#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ProcessState.h"

namespace {

std::vector<std::string> ran;

[[maybe_unused]] const bool registered =
    rt::registerReset(rt::ResetLayer::Framework, [] { ran.push_back("framework 1"); }) &&
    rt::registerReset(rt::ResetLayer::Game, [] { ran.push_back("game"); }) &&
    rt::registerReset(rt::ResetLayer::Framework, [] { ran.push_back("framework 2"); }) &&
    rt::registerReset(rt::ResetLayer::Motion, [] { ran.push_back("motion"); });

TEST(ProcessState, OuterLayersResetFirstAndALayerInRegistrationOrder) {
    ran.clear();
    rt::resetProcessState();
    EXPECT_EQ(ran, (std::vector<std::string>{"game", "motion", "framework 1", "framework 2"}));
}

}  // namespace
