// Test main: every test program runs against the recording backend, installed
// before any test so that all primitives resolve to it.
#include <gtest/gtest.h>

#include "backend/recording/RecordingBackend.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    limn::recording::RecordingBackend::install();
    return RUN_ALL_TESTS();
}
