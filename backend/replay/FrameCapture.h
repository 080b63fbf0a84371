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
#include "backend/replay/RecordFormat.h"
#include "backend/stage/StageNode.h"

namespace limn::sdl {

// A 64-bit hash of the visible pixels of rows firstRow, firstRow + rowStep, ...
// of `surface` (padding ignored).
[[nodiscard]] std::uint64_t frameChecksum(const Surface& surface, int firstRow = 0,
                                          int rowStep = 1);
// The rows a recording's checksum of frame `frame` (from 1) covers: one in
// kChecksumRowStep, a different one each frame, so that a few frames in a
// row cover the whole picture for a fraction of the cost of each.
[[nodiscard]] inline std::uint64_t recordedChecksum(const Surface& surface, std::int64_t frame) {
    return frameChecksum(surface, static_cast<int>(frame % kChecksumRowStep), kChecksumRowStep);
}

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
