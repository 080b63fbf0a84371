#pragma once
// One sound file loaded as several copies, played round robin so that a new
// play never waits for an earlier one to end. With n copies, n plays in a row
// never reuse a copy. The channels made are not kept.
//
//   auto squeak = std::make_shared<SoundBank>("sounds/eep.wav", 3);
//   squeak->play();
//
// Loading throws "Could not load:<path>" when a copy cannot be opened. A bank
// with no copies, or whose currentIndex names no copy (negative, or set from
// outside to the number of copies or more), plays nothing.

#include <memory>
#include <string>
#include <vector>

namespace limn::media {
class Sound;
}

namespace com::quillfern::sound {

class SoundBank {
public:
    explicit SoundBank(std::string path, int samples = 1);

    void play(double startTime = 0, int loops = 0);

    std::string path;
    int samples;
    std::vector<std::shared_ptr<limn::media::Sound>> bank;
    int currentIndex = 0;  // the copy the next play uses
};

}  // namespace com::quillfern::sound
