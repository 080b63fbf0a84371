#include "game/sound/SoundBank.h"

#include "framework/media/Sound.h"
#include "framework/net/URLRequest.h"
#include "runtime/Trace.h"

namespace com::quillfern::sound {

SoundBank::SoundBank(std::string path, int samples) : path(std::move(path)), samples(samples) {
    for (int i = 0; i < samples; ++i) {
        rt::trace(this->path);
        bank.push_back(std::make_shared<limn::media::Sound>(
            std::make_shared<limn::net::URLRequest>(this->path)));
    }
}

void SoundBank::play(double startTime, int loops) {
    if (currentIndex < 0 || static_cast<std::size_t>(currentIndex) >= bank.size()) return;
    bank[static_cast<std::size_t>(currentIndex)]->play(startTime, loops);
    currentIndex += 1;
    if (static_cast<std::size_t>(currentIndex) == bank.size()) currentIndex = 0;
}

}  // namespace com::quillfern::sound
