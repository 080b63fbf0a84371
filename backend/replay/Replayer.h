#pragma once
// The replaying side of a Session: reads a recording whole (checking every
// entry first), seeds the random numbers with its seed, then runs the main
// frame from it. The program's clock readings, channel states and output
// scale come from the recording in the order they were taken; its frames and
// sound requests are checked against it. The first difference is reported
// with the frame where it happened, and the replay goes on. A recording made
// on another raster (RecordHeader::raster()) is checked in all but its pixels.

#include <optional>
#include <string>
#include <vector>

#include "backend/replay/FramePicture.h"
#include "backend/replay/Session.h"

namespace limn::sdl {

class Replayer final : public Session {
public:
    // report().error when the recording can't be read (runFrame then closes
    // the frame at once).
    explicit Replayer(SessionOptions options);
    ~Replayer() override;

    void frameOpened(MainFrame& frame, int flags, const std::string& title) override;
    void runFrame(MainFrame& frame) override;
    double clock(double live) override;
    void beforeRender(StageNode& stage) override;
    double query(QueryKind kind, double live) override;

private:
    void frameRendered(StageNode& stage) override;
    void soundPlayed(const SoundRequest& request) override;
    void finish() override;
    // The next entry, left in place; nullptr at the end of the recording.
    const RecordEntry* peek();
    // Takes the next entry when it has `tag`.
    const RecordEntry* take(EntryTag tag);
    // Notes the first difference, at `frame` (by default the one being made).
    void diverge(const std::string& what, std::int64_t frame = -1);
    // "where the recording has ...", naming the next entry.
    [[nodiscard]] std::string whereRecordingHas();
    void pace(MainFrame& frame, std::int64_t realMicros) const;
    void serveWindow(MainFrame& frame) const;
    void announce();
    // Sets an SDL driver variable the environment leaves unset, until the end.
    void useDriver(const char* name, const char* driver);
    void restoreDrivers();
    // With a diff folder: the frame that diverged and its difference from the one before.
    void writeDivergedFrame(const Surface& frame);

    RecordReader reader_{std::string()};
    RecordEntry next_;
    bool hasNext_ = false;
    bool exhausted_ = false;
    bool announced_ = false;
    double startReal_ = 0;
    std::vector<std::string> driversSet_;
    FramePicture lastAsRecorded_;  // kept only with a diff folder
    bool samePixels_ = true;       // the recording's checksums are this raster's
};

}  // namespace limn::sdl
