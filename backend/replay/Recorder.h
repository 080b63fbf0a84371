#pragma once
// The recording side of a Session: writes every input, clock reading, sound
// request, channel state and frame (with its checksum) as it happens. The
// file is flushed after every frame and every input other than a poll or a
// move, so a crash loses at most the last frame.

#include <cstdio>
#include <memory>

#include "backend/replay/Session.h"

namespace limn::sdl {

class Recorder final : public Session {
public:
    // Creates the file and seeds the random numbers; report().error when the
    // file can't be created (the session then records nothing).
    explicit Recorder(SessionOptions options);
    ~Recorder() override;

    void frameOpened(MainFrame& frame, int flags, const std::string& title) override;
    void runFrame(MainFrame& frame) override;
    double clock(double live) override;
    void beforeRender(StageNode& stage) override;
    double query(QueryKind kind, double live) override;

private:
    Recorder(SessionOptions options, const RecordHeader& header);
    void frameRendered(StageNode& stage) override;
    void soundPlayed(const SoundRequest& request) override;
    void finish() override;
    void input(const InputCall& call);
    [[nodiscard]] std::int64_t realMicros() const;
    void write(const RecordEntry& entry);
    void flush();

    struct CloseFile {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, CloseFile> file_;
    RecordWriter writer_;
    MainFrame* frame_ = nullptr;  // while it runs (not owned)
    double startReal_ = 0;
    double scale_ = 1;
};

}  // namespace limn::sdl
