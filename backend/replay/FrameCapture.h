#pragma once
// Frames of a session written as PNG files: every N-th frame, and the first
// frame rendered at or after each of a list of clock times. Also the frame
// checksum a recording keeps to prove a replay drew the same pixels.
//
//   FrameCapture capture("shots/", 0, {5.0, 12.5});
//   capture.frameRendered(stage, frameNumber, clockSeconds);

#include <cstdint>
#include <string>
#include <vector>

#include "backend/image/Surface.h"
#include "backend/stage/StageNode.h"

namespace limn::sdl {

// A 64-bit hash of the visible pixels of `surface` (padding ignored).
[[nodiscard]] std::uint64_t frameChecksum(const Surface& surface);

class FrameCapture {
public:
    FrameCapture() = default;
    // `every` 0 and no `times`: nothing is written. The folder is made when needed.
    FrameCapture(std::string folder, int every, std::vector<double> times);

    // Writes the stage's last frame when it is one of those asked for; the
    // file is `folder`/frame-NNNNNN.png (the frame number, from 1).
    void frameRendered(const StageNode& stage, std::int64_t frame, double clockSeconds);

    [[nodiscard]] bool enabled() const {
        return !folder_.empty() && (every_ > 0 || !times_.empty());
    }
    // Every file written so far, in order.
    [[nodiscard]] const std::vector<std::string>& written() const { return written_; }
    // The first file that could not be written, or "".
    [[nodiscard]] const std::string& failed() const { return failed_; }

private:
    std::string folder_;
    int every_ = 0;
    std::vector<double> times_;  // sorted
    std::size_t nextTime_ = 0;
    bool folderMade_ = false;
    std::vector<std::string> written_;
    std::string failed_;
};

}  // namespace limn::sdl
