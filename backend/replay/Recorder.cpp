#include "backend/replay/Recorder.h"

#include <cmath>
#include <random>

#include "backend/base/Clock.h"
#include "runtime/Random.h"

namespace limn::sdl {

namespace {

RecordHeader freshHeader(const SessionOptions& options) {
    RecordHeader header;
    if (options.seed) {
        header.seed = *options.seed;
        return header;
    }
    std::random_device device;
    header.seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    return header;
}

}  // namespace

Recorder::Recorder(SessionOptions options) : Recorder(options, freshHeader(options)) {}

Recorder::Recorder(SessionOptions options, const RecordHeader& header)
    : Session(std::move(options)), writer_(header), startReal_(Clock::realNow()) {
    if (options_.hosted && options_.path.empty()) {
        // Nothing to keep: frames go unchecked, entries unwritten.
        options_.checksums = false;
        rt::seedRandom(header.seed);
        return;
    }
    file_.reset(std::fopen(options_.path.c_str(), "wb"));
    if (!file_) {
        report_.error = "cannot create recording " + options_.path;
        finished_ = true;
        return;
    }
    rt::seedRandom(header.seed);
    flush();
}

Recorder::~Recorder() {
    if (!finished_) finish();
}

std::int64_t Recorder::realMicros() const {
    return std::llround((Clock::realNow() - startReal_) * 1e6);
}

void Recorder::write(const RecordEntry& entry) {
    if (!finished_ && file_) writer_.write(entry);
}

void Recorder::flush() {
    if (!file_) return;
    const std::string bytes = writer_.take();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size() ||
        std::fflush(file_.get()) != 0) {
        report_.error = "cannot write recording " + options_.path;
        file_.reset();
        finished_ = true;
    }
}

void Recorder::frameOpened(MainFrame& frame, int flags, const std::string& title) {
    if (finished_) return;
    frame_ = &frame;
    stage_ = frame.stage().get();
    scale_ = stage_->outputScale();
    RecordEntry open;
    open.tag = EntryTag::Open;
    open.stageWidth = stage_->stageWidth();
    open.stageHeight = stage_->stageHeight();
    open.windowWidth = static_cast<int>(std::lround(open.stageWidth * scale_));
    open.windowHeight = static_cast<int>(std::lround(open.stageHeight * scale_));
    frame.platform().viewSize(open.windowWidth, open.windowHeight);
    open.flags = flags;
    open.title = title;
    open.scale = scale_;
    write(open);
    flush();
    frame.input().setObserver([this](const InputCall& call) { input(call); });
}

void Recorder::input(const InputCall& call) {
    if (finished_) return;
    RecordEntry entry;
    entry.tag = EntryTag::Input;
    entry.input = call;
    entry.realMicros = realMicros();
    write(entry);
    using enum InputCall::Kind;
    // Whatever the program does next may end the process: keep what led to it.
    if (call.kind != Poll && call.kind != MouseMove && call.kind != TouchMove) flush();
}

void Recorder::runFrame(MainFrame& frame) {
    if (options_.hosted) return;  // driven by the host until Session::end()
    if (options_.driver) {
        options_.driver(frame);
    } else {
        frame.run();
        // A page's loop runs on in the browser's frames (its first run() leaves main
        // for the browser and does not come back here): the session goes on until
        // Session::end().
        if (frame.isOpen()) return;
    }
    frame.input().setObserver(nullptr);
    finish();
}

double Recorder::clock(double live) {
    if (finished_) return live;
    // Whole microseconds: compact to store, and read back exactly.
    clockMicros_ = std::llround(live * 1e6);
    RecordEntry entry;
    entry.tag = EntryTag::Clock;
    entry.clockMicros = clockMicros_;
    write(entry);
    return static_cast<double>(clockMicros_) / 1e6;
}

void Recorder::beforeRender(StageNode& stage) {
    if (!watches(stage) || stage.outputScale() == scale_) return;
    scale_ = stage.outputScale();
    RecordEntry entry;
    entry.tag = EntryTag::Scale;
    entry.scale = scale_;
    write(entry);
}

void Recorder::frameRendered(StageNode& stage) {
    RecordEntry entry;
    entry.tag = EntryTag::Frame;
    entry.realMicros = realMicros();
    if (options_.checksums) {
        if (auto frame = stage.lastFrame()) {
            entry.hasChecksum = true;
            entry.checksum = recordedChecksum(*frame, report_.frames);
        }
    }
    write(entry);
    flush();
}

void Recorder::soundPlayed(const SoundRequest& request) {
    RecordEntry entry;
    entry.tag = EntryTag::Sound;
    entry.sound = request;
    write(entry);
}

double Recorder::query(QueryKind kind, double live) {
    RecordEntry entry;
    entry.tag = EntryTag::Query;
    entry.query = kind;
    entry.value = live;
    write(entry);
    return live;
}

void Recorder::finish() {
    if (finished_) return;
    RecordEntry end;
    end.tag = EntryTag::End;
    end.frames = report_.frames;
    write(end);
    flush();
    file_.reset();
    finished_ = true;
    if (frame_ && frame_ == MainFrame::running()) frame_->input().setObserver(nullptr);
    frame_ = nullptr;
    stage_ = nullptr;
    if (options_.announce) {
        std::fprintf(stderr, "limn: record: %lld frames written to %s\n",
                     static_cast<long long>(report_.frames), options_.path.c_str());
    }
}

}  // namespace limn::sdl
