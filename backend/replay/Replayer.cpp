#include "backend/replay/Replayer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "backend/base/Clock.h"
#include "runtime/Log.h"
#include "runtime/Random.h"

namespace limn::sdl {

namespace {

const char* inputName(InputCall::Kind kind) {
    static const char* const names[] = {"mouse move", "mouse down", "mouse up", "touch begin",
                                        "touch move", "touch end",  "key",      "text",
                                        "resize",     "quit",       "poll",     "redraw"};
    return names[static_cast<int>(kind)];
}

std::string describe(const RecordEntry& e) {
    switch (e.tag) {
        case EntryTag::Open:
            return "the main frame opening";
        case EntryTag::Input:
            return std::string("input (") + inputName(e.input.kind) + ")";
        case EntryTag::Clock:
            return "a clock reading";
        case EntryTag::Frame:
            return "a frame";
        case EntryTag::Scale:
            return "a scale change";
        case EntryTag::Sound:
            return "a sound request (" + e.sound.name + ")";
        case EntryTag::Query:
            return "a sound channel query";
        case EntryTag::End:
            return "its end";
    }
    return "an entry";
}

std::string describe(const SoundRequest& s) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " from %g ms, %d loops, volume %g, pan %g", s.start,
                  s.loops, s.volume, s.pan);
    return "\"" + s.name + "\"" + numbers;
}

// Reads the whole recording once: every fault is found before anything runs.
std::string check(RecordReader& reader, bool& cutShort) {
    if (!reader.start()) return reader.error();
    RecordEntry entry;
    while (reader.next(entry)) {
    }
    if (!reader.error().empty()) return reader.error();
    cutShort = !reader.sawEnd();
    return {};
}

}  // namespace

Replayer::Replayer(SessionOptions options) : Session(std::move(options)) {
    std::string bytes;
    if (!readRecordFile(options_.path, bytes, report_.error)) {
        finished_ = true;
        return;
    }
    RecordReader checker(bytes);
    report_.error = check(checker, report_.cutShort);
    if (!report_.error.empty()) {
        finished_ = true;
        return;
    }
    reader_ = RecordReader(std::move(bytes));
    (void)reader_.start();
    rt::seedRandom(reader_.header().seed);
    samePixels_ = reader_.header().raster() == kThisRaster;
    report_.pixelsChecked = samePixels_;
    if (options_.speed <= 0) {
        // As fast as it goes, with nothing to see or hear (unless asked for).
        useDriver("SDL_VIDEODRIVER", "offscreen");
        useDriver("SDL_AUDIODRIVER", "dummy");
    }
}

void Replayer::useDriver(const char* name, const char* driver) {
    if (std::getenv(name)) return;
    setenv(name, driver, 0);
    driversSet_.emplace_back(name);
}

void Replayer::restoreDrivers() {
    for (const std::string& name : driversSet_) unsetenv(name.c_str());
    driversSet_.clear();
}

Replayer::~Replayer() {
    if (!finished_) finish();
    restoreDrivers();
}

const RecordEntry* Replayer::peek() {
    if (!hasNext_ && !exhausted_) {
        hasNext_ = reader_.next(next_);
        exhausted_ = !hasNext_;
        // A program that ends the process itself may never come back to say so.
        if (exhausted_) announce();
    }
    return hasNext_ ? &next_ : nullptr;
}

const RecordEntry* Replayer::take(EntryTag tag) {
    const RecordEntry* entry = peek();
    if (!entry || entry->tag != tag) return nullptr;
    hasNext_ = false;
    return entry;
}

std::string Replayer::whereRecordingHas() {
    const RecordEntry* entry = peek();
    return "where the recording has " + (entry ? describe(*entry) : std::string("nothing more"));
}

void Replayer::diverge(const std::string& what, std::int64_t frame) {
    if (report_.divergedAt >= 0) return;
    report_.divergedAt = frame >= 0 ? frame : report_.frames + 1;
    report_.divergence = what;
    if (options_.announce) {
        rt::log::warn("replay: diverged at frame " + std::to_string(report_.divergedAt) + ": " +
                      what);
    }
}

void Replayer::frameOpened(MainFrame& frame, int, const std::string&) {
    if (finished_) return;
    stage_ = frame.stage().get();
    const RecordEntry* open = take(EntryTag::Open);
    if (!open) return diverge("the main frame opened " + whereRecordingHas());
    if (open->stageWidth != stage_->stageWidth() || open->stageHeight != stage_->stageHeight()) {
        diverge("the stage is " + std::to_string(stage_->stageWidth()) + "x" +
                std::to_string(stage_->stageHeight()) + " where the recording has " +
                std::to_string(open->stageWidth) + "x" + std::to_string(open->stageHeight));
    }
    stage_->setOutputScale(open->scale);
}

void Replayer::pace(MainFrame& frame, std::int64_t realMicros) const {
    if (options_.speed <= 0) return;
    const double due = startReal_ + static_cast<double>(realMicros) / 1e6 / options_.speed;
    // In short naps, so that the window can be closed during a long pause.
    for (double wait = due - Clock::realNow(); wait > 0 && frame.isOpen();
         wait = due - Clock::realNow()) {
        std::this_thread::sleep_for(std::chrono::duration<double>(std::min(wait, 0.05)));
        serveWindow(frame);
    }
}

void Replayer::serveWindow(MainFrame& frame) const {
    // The recording is the input; the window only answers to being closed.
    if (frame.platform().closeRequested()) frame.close();
}

void Replayer::runFrame(MainFrame& frame) {
    startReal_ = Clock::realNow();
    while (!finished_ && frame.isOpen()) {
        serveWindow(frame);
        const RecordEntry* entry = peek();
        if (!entry || entry->tag == EntryTag::End) break;
        hasNext_ = false;
        if (entry->tag != EntryTag::Input) {
            diverge("the recording has " + describe(*entry) + " the program did not take");
            continue;
        }
        const InputCall call = entry->input;
        const std::int64_t due = entry->realMicros;
        // Looking ahead says when this is the last input: the program may end
        // the process on it, before the replay gets control back.
        (void)peek();
        pace(frame, due);
        if (!frame.isOpen()) break;
        frame.input().apply(call);
        if (call.kind == InputCall::Kind::Quit) frame.close();
    }
    frame.close();
    finish();
}

double Replayer::clock(double live) {
    if (finished_) return live;
    if (const RecordEntry* reading = take(EntryTag::Clock)) {
        clockMicros_ = reading->clockMicros;
    } else if (!exhausted_) {
        diverge("the program read the clock " + whereRecordingHas());
    }
    return static_cast<double>(clockMicros_) / 1e6;
}

void Replayer::beforeRender(StageNode& stage) {
    if (!watches(stage)) return;
    if (const RecordEntry* scale = take(EntryTag::Scale)) stage.setOutputScale(scale->scale);
}

void Replayer::frameRendered(StageNode& stage) {
    const RecordEntry* recorded = take(EntryTag::Frame);
    if (!recorded) {
        if (!exhausted_) {
            diverge("the program rendered a frame " + whereRecordingHas(), report_.frames);
        }
        return;
    }
    if (!recorded->hasChecksum || !samePixels_) return;
    const auto frame = stage.lastFrame();
    if (!frame || recordedChecksum(*frame, report_.frames) != recorded->checksum) {
        const bool first = report_.divergedAt < 0;
        diverge("the frame's pixels differ from the recording's", report_.frames);
        if (first && frame) writeDivergedFrame(*frame);
        return;
    }
    if (!options_.diffFolder.empty() && report_.divergedAt < 0) {
        lastAsRecorded_ = FramePicture::of(*frame);
    }
}

void Replayer::writeDivergedFrame(const Surface& frame) {
    if (options_.diffFolder.empty()) return;
    std::error_code failed;
    std::filesystem::create_directories(options_.diffFolder, failed);
    const std::filesystem::path folder(options_.diffFolder);
    const std::string name = "frame-" + std::to_string(report_.frames);
    const FramePicture now = FramePicture::of(frame);
    const std::string drawn = (folder / (name + ".png")).string();
    const std::string diff = (folder / (name + "-diff.png")).string();
    if (!now.save(drawn)) {
        rt::log::warn("replay: cannot write " + drawn);
        return;
    }
    std::string message =
        "replay: frame " + std::to_string(report_.frames) + " as drawn now: " + drawn;
    if (lastAsRecorded_.width > 0 && differencePicture(now, lastAsRecorded_, 0).save(diff)) {
        message += "; what changed since frame " + std::to_string(report_.frames - 1) +
                   " (the last as recorded), in red: " + diff;
    }
    rt::log::warn(message);
}

void Replayer::soundPlayed(const SoundRequest& request) {
    const RecordEntry* recorded = take(EntryTag::Sound);
    if (!recorded) {
        if (!exhausted_)
            diverge("the program played " + describe(request) + " " + whereRecordingHas());
    } else if (!(recorded->sound == request)) {
        diverge("the program played " + describe(request) + " where the recording has " +
                describe(recorded->sound));
    }
}

double Replayer::query(QueryKind kind, double live) {
    if (finished_) return live;
    const RecordEntry* next = peek();
    if (next && next->tag == EntryTag::Query && next->query == kind) {
        hasNext_ = false;
        return next->value;
    }
    if (!exhausted_)
        diverge("the program asked a sound channel for its state " + whereRecordingHas());
    return live;
}

void Replayer::announce() {
    if (announced_ || !options_.announce) return;
    announced_ = true;
    if (report_.cutShort) {
        rt::log::warn(
            "replay: the recording ends without its end mark (the session was cut short); "
            "replayed what it holds");
    }
    if (report_.divergedAt < 0) {
        std::fprintf(stderr, "limn: replay: %lld frames, as recorded%s\n",
                     static_cast<long long>(report_.frames),
                     samePixels_ ? "" : " (pixels unchecked: drawn by another raster)");
    }
}

void Replayer::finish() {
    if (finished_) return;
    // Whatever the recording holds past this point, the program did not do.
    if (const RecordEntry* rest = peek(); rest && rest->tag != EntryTag::End) {
        diverge("the program ended where the recording has " + describe(*rest));
    }
    announce();
    finished_ = true;
    stage_ = nullptr;
    // What starts after the replay opens windows and plays sounds again.
    restoreDrivers();
}

}  // namespace limn::sdl
