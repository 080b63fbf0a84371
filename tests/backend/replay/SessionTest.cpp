#include "backend/replay/Session.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "backend/base/Clock.h"
#include "runtime/Function.h"
#include "runtime/Random.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

// A small program on the primitives alone: every poll it reads the clock,
// draws a random number and paints the stage with a colour made of both and
// of the clicks so far; it closes after a second of its clock.
struct Program {
    std::vector<int> colours;
    int clicks = 0;
    // A program that changed: renders twice on this poll, paints from this poll on.
    int extraFrameAt = -1;
    int repaintFrom = 1 << 30;

    static rt::Dynamic call(const std::string& name, auto&&... args) {
        native::Primitive p{name, static_cast<int>(sizeof...(args))};
        return p(args...);
    }

    void run() {
        rt::Dynamic stage;
        auto handler = rt::function([&](rt::Dynamic record) {
            const int type = field(record, "type").asInt();
            if (type == 5) ++clicks;
            if (type != 9) return;
            const double t = call("limn_time_stamp").asFloat();
            const int colour = (static_cast<int>(t * 1000) * 7919 +
                                static_cast<int>(rt::random() * 255) + clicks * 0x10000) &
                               0xFFFFFF;
            colours.push_back(colour);
            const bool repaint = static_cast<int>(colours.size()) >= repaintFrom;
            call("limn_display_object_set_bg", stage, repaint ? colour ^ 0x808080 : colour);
            call("limn_render_stage", stage);
            if (static_cast<int>(colours.size()) == extraFrameAt) {
                call("limn_render_stage", stage);
            }
            if (t >= 1.0) {
                call("limn_close");
            } else {
                call("limn_stage_set_next_wake", stage, 0.0);
            }
        });
        auto created = rt::function([&](rt::Dynamic frame) {
            stage = call("limn_get_frame_stage", frame);
            call("limn_set_stage_handler", stage, handler, 64, 48);
            call("limn_stage_set_next_wake", stage, 0.0);
        });
        native::Primitive create{"limn_create_main_frame", native::kVariableArgs};
        create(created, 64, 48, 0, "session", "");
    }
};

// Plays the program: 60 polls a second on a hand-driven clock, a click at poll 10.
void script(MainFrame& frame) {
    Clock::set(0);
    for (int i = 0; frame.isOpen() && i < 1000; ++i) {
        Clock::advance(1.0 / 60.0);
        if (i == 10) {
            frame.input().mouseMove(20, 20, 0);
            frame.input().mouseDown(20, 20, 1);
            frame.input().mouseUp(20, 20, 0);
        }
        frame.input().poll();
    }
}

class SessionTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        folder_ = std::filesystem::temp_directory_path() /
                  ("limn-session-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "run.limnrec").string();
    }
    void TearDown() override {
        (void)Session::end();
        registerModule();
        Clock::useReal();
        std::filesystem::remove_all(folder_);
    }

    SessionReport record(Program& program, SessionOptions options = {}) {
        options.path = path_;
        options.driver = script;
        Session::record(std::move(options));
        registerModule();
        program.run();
        return Session::end();
    }
    SessionReport replay(Program& program, SessionOptions options = {}) {
        options.path = path_;
        Session::replay(std::move(options));
        registerModule();
        program.run();
        return Session::end();
    }

    std::filesystem::path folder_;
    std::string path_;
    SessionOptions options_;
};

TEST_F(SessionTest, ReplayReproducesClockRandomAndInput) {
    Program live;
    const SessionReport recorded = record(live);
    ASSERT_EQ(recorded.error, "");
    EXPECT_EQ(recorded.frames, 60);
    EXPECT_EQ(live.clicks, 1);
    rt::seedRandom(12345);  // a replay takes the seed from the recording
    Program again;
    const SessionReport replayed = replay(again);
    EXPECT_TRUE(replayed.ok()) << replayed.error << replayed.divergence;
    EXPECT_TRUE(replayed.pixelsChecked);
    EXPECT_FALSE(replayed.cutShort);
    EXPECT_EQ(replayed.frames, recorded.frames);
    EXPECT_EQ(again.colours, live.colours);
    EXPECT_EQ(again.clicks, 1);
}

TEST_F(SessionTest, ChangedProgramIsReportedAtTheFrameWhereItDiverged) {
    Program live;
    ASSERT_EQ(record(live).error, "");
    Program changed;
    changed.extraFrameAt = 20;
    const SessionReport replayed = replay(changed);
    EXPECT_FALSE(replayed.ok());
    EXPECT_EQ(replayed.divergedAt, 21) << "the second frame of poll 20";
    EXPECT_EQ(replayed.divergence,
              "the program rendered a frame where the recording has input (poll)");
    Program repainted;
    repainted.repaintFrom = 33;
    const SessionReport painted = replay(repainted);
    EXPECT_EQ(painted.divergedAt, 33);
    EXPECT_EQ(painted.divergence, "the frame's pixels differ from the recording's");
}

TEST_F(SessionTest, CutShortRecordingReplaysWhatItHolds) {
    Program live;
    ASSERT_EQ(record(live).error, "");
    const auto size = std::filesystem::file_size(path_);
    std::filesystem::resize_file(path_, size / 2);
    Program again;
    const SessionReport replayed = replay(again);
    EXPECT_TRUE(replayed.ok()) << replayed.divergence;
    EXPECT_TRUE(replayed.cutShort);
    EXPECT_GT(replayed.frames, 10);
    ASSERT_LE(again.colours.size(), live.colours.size());
    EXPECT_TRUE(std::equal(again.colours.begin(), again.colours.end() - 1, live.colours.begin()));
}

// A recording whose frames another raster drew: its pixels go unchecked, all
// else is checked as usual, and the host sees every frame.
TEST_F(SessionTest, RecordingOfAnotherRasterIsCheckedInAllButItsPixels) {
    Program live;
    const SessionReport recorded = record(live);
    ASSERT_EQ(recorded.error, "");
    {
        std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(10);  // the header's options: the raster
        file.put(
            static_cast<char>(kThisRaster == Raster::Desktop ? Raster::Page : Raster::Desktop));
    }
    std::vector<std::int64_t> seen;
    SessionOptions options;
    options.path = path_;
    Session::replay(std::move(options));
    Session::active()->setFrameObserver([&](std::int64_t frame) { seen.push_back(frame); });
    registerModule();
    Program repainted;
    repainted.repaintFrom = 33;
    repainted.run();
    const SessionReport painted = Session::end();
    EXPECT_TRUE(painted.ok()) << painted.divergence;
    EXPECT_FALSE(painted.pixelsChecked);
    ASSERT_EQ(static_cast<std::int64_t>(seen.size()), recorded.frames);
    for (std::size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], std::int64_t(i + 1));
    Program changed;
    changed.extraFrameAt = 20;
    const SessionReport extra = replay(changed);
    EXPECT_EQ(extra.divergedAt, 21) << "frames are still counted";
}

SessionOptions replayOf(const std::string& path) {
    SessionOptions options;
    options.path = path;
    return options;
}

// A program ending after a replay learns whether it failed, for its exit status.
TEST_F(SessionTest, FailedReplayEndsTheProcessWithStatusOne) {
    Program live;
    options_.path = path_;
    options_.driver = script;
    Session::record(options_);
    registerModule();
    live.run();
    EXPECT_EQ(Session::endProcess(3), 3) << "a recording keeps the program's status";
    auto replayEnding = [this](Program program) {
        Session::replay(replayOf(path_));
        registerModule();
        program.run();
        return Session::endProcess(0);
    };
    EXPECT_EQ(replayEnding(Program{}), 0) << "as recorded";
    Program changed;
    changed.repaintFrom = 33;
    EXPECT_EQ(replayEnding(changed), 1) << "diverged";
    std::filesystem::resize_file(path_, std::filesystem::file_size(path_) / 2);
    EXPECT_EQ(replayEnding(Program{}), 1) << "cut short";
    std::ofstream(path_) << "LIMNREC?";
    EXPECT_EQ(replayEnding(Program{}), 1) << "unreadable";
    EXPECT_EQ(Session::endProcess(5), 5) << "no session";
}

// A replay runs offscreen and silent; what starts after it does not.
TEST_F(SessionTest, ReplayLeavesTheDriversAsItFoundThem) {
    Program live;
    ASSERT_EQ(record(live).error, "");
    const std::string video = std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : "";
    const char* audio = std::getenv("SDL_AUDIODRIVER");
    const std::string savedAudio = audio ? audio : "";
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_AUDIODRIVER");
    Session::replay(replayOf(path_));
    const bool setDuring = std::getenv("SDL_VIDEODRIVER") && std::getenv("SDL_AUDIODRIVER");
    (void)Session::end();
    const bool videoAfter = std::getenv("SDL_VIDEODRIVER") != nullptr;
    const bool audioAfter = std::getenv("SDL_AUDIODRIVER") != nullptr;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Session::replay(replayOf(path_));
    (void)Session::end();
    const std::string audioKept = std::getenv("SDL_AUDIODRIVER");
    setenv("SDL_VIDEODRIVER", video.c_str(), 1);
    if (savedAudio.empty()) {
        unsetenv("SDL_AUDIODRIVER");
    } else {
        setenv("SDL_AUDIODRIVER", savedAudio.c_str(), 1);
    }
    EXPECT_TRUE(setDuring);
    EXPECT_FALSE(videoAfter);
    EXPECT_FALSE(audioAfter);
    EXPECT_EQ(audioKept, "dummy") << "a driver the environment chose stays";
}

TEST_F(SessionTest, UnreadableRecordingRunsNothing) {
    std::ofstream(path_) << "LIMNREC?";
    Program program;
    const SessionReport replayed = replay(program);
    EXPECT_EQ(replayed.error, "not a limn recording");
    EXPECT_TRUE(program.colours.empty());
    std::filesystem::remove(path_);
    EXPECT_EQ(replay(program).error, "cannot open recording " + path_);
}

// Replays of mutated recordings: each one is refused, replayed or reported
// as different; none crashes the program (the sanitizer build checks memory).
TEST_F(SessionTest, FuzzedRecordingsNeverCrashTheReplay) {
    Program live;
    ASSERT_EQ(record(live).error, "");
    std::ifstream in(path_, std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(in), {}};
    std::mt19937 rng(17);
    int refused = 0, replayed = 0;
    for (int round = 0; round < 150; ++round) {
        std::string bytes = good;
        for (int k = 0, n = 1 + static_cast<int>(rng() % 4); k < n; ++k) {
            const std::size_t at = kRecordHeaderSize + rng() % (bytes.size() - kRecordHeaderSize);
            bytes[at] = static_cast<char>(rng() % 3 == 0 ? rng() : bytes[at] ^ (1 << (rng() % 8)));
        }
        if (rng() % 4 == 0)
            bytes.resize(kRecordHeaderSize + rng() % (bytes.size() - kRecordHeaderSize));
        std::ofstream(path_, std::ios::binary) << bytes;
        Program program;
        const SessionReport report = replay(program);
        (report.error.empty() ? replayed : refused) += 1;
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(replayed, 0);
}

TEST_F(SessionTest, CapturedFramesAreWrittenInBothModes) {
    Program live;
    SessionOptions options;
    options.captureFolder = (folder_ / "recorded").string();
    options.captureEvery = 25;
    options.captureTimes = {0.1};
    const SessionReport recorded = record(live, options);
    ASSERT_EQ(recorded.captured.size(), 3u);
    EXPECT_EQ(recorded.captured[0], (folder_ / "recorded" / "frame-000006.png").string());
    options.captureFolder = (folder_ / "replayed").string();
    Program again;
    const SessionReport replayed = replay(again, options);
    ASSERT_EQ(replayed.captured.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        std::ifstream a(recorded.captured[i], std::ios::binary),
            b(replayed.captured[i], std::ios::binary);
        const std::string pa{std::istreambuf_iterator<char>(a), {}};
        const std::string pb{std::istreambuf_iterator<char>(b), {}};
        EXPECT_FALSE(pa.empty());
        EXPECT_EQ(pa, pb) << "frame file " << i;
    }
}

}  // namespace
}  // namespace limn::sdl::testing
