#include "backend/replay/FrameCapture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace limn::sdl {

std::uint64_t frameChecksum(const Surface& surface) {
    // Two words of pixels at a time through a multiply-xor mix: a fraction
    // of what rendering the frame costs.
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(surface.width()) << 32 ^
                         static_cast<std::uint64_t>(surface.height());
    const int w = surface.width();
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t* row = surface.row(y);
        int x = 0;
        for (; x + 1 < w; x += 2) {
            std::uint64_t word;
            std::memcpy(&word, row + x, sizeof word);
            hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
            hash ^= hash >> 29;
        }
        if (x < w) hash = (hash ^ row[x]) * 0xC4CEB9FE1A85EC53ull;
    }
    return hash ^ (hash >> 32);
}

FrameCapture::FrameCapture(std::string folder, int every, std::vector<double> times)
    : folder_(std::move(folder)), every_(std::max(0, every)), times_(std::move(times)) {
    std::sort(times_.begin(), times_.end());
}

void FrameCapture::frameRendered(const StageNode& stage, std::int64_t frame, double clockSeconds) {
    if (!enabled()) return;
    bool wanted = every_ > 0 && frame % every_ == 0;
    while (nextTime_ < times_.size() && times_[nextTime_] <= clockSeconds) {
        wanted = true;
        ++nextTime_;
    }
    if (!wanted) return;
    if (!folderMade_) {
        std::error_code ignored;
        std::filesystem::create_directories(folder_, ignored);
        folderMade_ = true;
    }
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06lld.png", static_cast<long long>(frame));
    const std::string path = (std::filesystem::path(folder_) / name).string();
    if (stage.saveFrame(path)) {
        written_.push_back(path);
    } else if (failed_.empty()) {
        failed_ = path;
    }
}

}  // namespace limn::sdl
