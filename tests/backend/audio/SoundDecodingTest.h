#pragma once
// Tests that decode sounds with the backend's decoder: the desktop's converts to
// the format of the open output, so the shared one is opened first (on SDL's
// silent driver; the page's is silent under Node anyway).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "backend/audio/AudioMixer.h"

namespace limn::sdl {

class SoundDecodingTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        output_ = AudioMixer::shared();
        ASSERT_TRUE(output_);
    }

    std::shared_ptr<AudioMixer> output_;
};

}  // namespace limn::sdl
