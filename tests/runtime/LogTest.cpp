// The level comes from LIMN_LOG; a value that is no level is said once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/Log.h"

namespace {

class LogLevel : public ::testing::Test {
protected:
    void TearDown() override {
        unsetenv("LIMN_LOG");
        rt::log::setLevel(rt::log::Level::Warn);
    }
};

TEST_F(LogLevel, NamedLevelsAreTakenAsTheySay) {
    setenv("LIMN_LOG", "debug", 1);
    rt::log::readEnvironment();
    EXPECT_EQ(rt::log::level(), rt::log::Level::Debug);
    setenv("LIMN_LOG", "off", 1);
    rt::log::readEnvironment();
    EXPECT_EQ(rt::log::level(), rt::log::Level::Off);
    unsetenv("LIMN_LOG");
    rt::log::readEnvironment();
    EXPECT_EQ(rt::log::level(), rt::log::Level::Warn);
}

TEST_F(LogLevel, AMisspelledLevelMeansWarningsAndSaysSoOnce) {
    setenv("LIMN_LOG", "Info", 1);
    ::testing::internal::CaptureStderr();
    rt::log::readEnvironment();
    rt::log::readEnvironment();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(rt::log::level(), rt::log::Level::Warn);
    EXPECT_EQ(said,
              "limn: LIMN_LOG=\"Info\" is not a level (off, error, warn, info or debug): "
              "warnings only\n");
}

}  // namespace
