#include "backend/replay/FrameCapture.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace limn::sdl {

std::uint64_t frameChecksum(const Surface& surface, int firstRow, int rowStep) {
    // Four independent lanes, each adding a multiply of a pixel pair to a
    // running sum that is rotated between rows: the multiplies overlap and
    // only one add waits on the previous one, so this runs near memory speed.
    constexpr std::uint64_t kOdd[4] = {0xFF51AFD7ED558CCDull, 0xC4CEB9FE1A85EC53ull,
                                       0x9E3779B97F4A7C15ull, 0xD6E8FEB86659FD93ull};
    std::uint64_t a = surface.width(), b = surface.height(), c = 1, d = 2;
    const int w = surface.width();
    for (int y = std::max(0, firstRow); y < surface.height(); y += std::max(1, rowStep)) {
        const std::uint32_t* row = surface.row(y);
        int x = 0;
        for (; x + 8 <= w; x += 8) {
            std::uint64_t word[4];
            std::memcpy(word, row + x, sizeof word);
            a += (word[0] ^ (word[0] >> 29)) * kOdd[0];
            b += (word[1] ^ (word[1] >> 29)) * kOdd[1];
            c += (word[2] ^ (word[2] >> 29)) * kOdd[2];
            d += (word[3] ^ (word[3] >> 29)) * kOdd[3];
        }
        for (; x < w; ++x) a += (row[x] + 1ull) * kOdd[3];
        // Rows in another order give another sum.
        a = std::rotl(a, 7) ^ d;
        b = std::rotl(b, 13) ^ a;
        c = std::rotl(c, 19) ^ b;
        d = std::rotl(d, 29) ^ c;
    }
    std::uint64_t hash = a;
    for (std::uint64_t lane : {b, c, d}) hash = (hash ^ (hash >> 31)) * kOdd[0] + lane;
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
