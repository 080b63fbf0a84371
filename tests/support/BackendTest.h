#pragma once
// Fixture for framework tests: a fresh recording backend for every test.

#include <gtest/gtest.h>

#include "backend/recording/RecordingBackend.h"

namespace limn::testing {

class BackendTest : public ::testing::Test {
protected:
    void SetUp() override { backend.reset(); }

    recording::RecordingBackend& backend = recording::RecordingBackend::instance();
};

}  // namespace limn::testing
