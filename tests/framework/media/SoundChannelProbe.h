#pragma once
// The channels waiting for completion, for tests: private to SoundChannel.

#include <memory>
#include <vector>

#include "framework/media/SoundChannel.h"

namespace limn::media {

struct SoundChannelProbe {
    static std::vector<std::shared_ptr<SoundChannel>>& incomplete() {
        return SoundChannel::limnIncompleteList;
    }
};

}  // namespace limn::media
