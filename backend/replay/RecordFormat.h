#pragma once
// The session recording file: a header, then a stream of entries, each a tag
// byte and its fields (docs/replay-format.md describes every byte). Integers
// are LEB128 varints (signed ones zig-zag encoded), numbers are stored as
// small integers when they are whole and as raw doubles otherwise, so every
// value reads back bit for bit.
//
//   RecordWriter writer(header);          RecordReader reader(bytes);
//   writer.clock(1'000);                  if (!reader.start()) show(reader.error());
//   file.write(writer.take());            for (Entry e; reader.next(e);) use(e);

#include <cstddef>
#include <cstdint>
#include <string>

#include "backend/stage/InputCall.h"

namespace limn::sdl {

inline constexpr char kRecordMagic[8] = {'L', 'I', 'M', 'N', 'R', 'E', 'C', '\x1a'};
inline constexpr std::uint16_t kRecordVersion = 1;
inline constexpr std::size_t kRecordHeaderSize = 20;
// A frame's checksum covers rows y with y % kChecksumRowStep == frame % kChecksumRowStep.
inline constexpr int kChecksumRowStep = 8;

// Which raster drew the frames a recording keeps checksums of (the header's options).
// Rasters differ in anti-aliasing and glyphs, so a replay on another raster checks
// everything but the pixels: input, clock readings, frames, sounds, channel states.
enum class Raster : std::uint16_t { Desktop = 0, Page = 1 };
#ifdef __EMSCRIPTEN__
inline constexpr Raster kThisRaster = Raster::Page;
#else
inline constexpr Raster kThisRaster = Raster::Desktop;
#endif
inline constexpr std::uint16_t kRasterMask = 0x000F;

struct RecordHeader {
    std::uint16_t version = kRecordVersion;
    std::uint16_t options = static_cast<std::uint16_t>(kThisRaster);  // bits 0-3: the raster
    std::uint64_t seed = 0;  // the random seed of the session

    [[nodiscard]] Raster raster() const { return static_cast<Raster>(options & kRasterMask); }
};

enum class EntryTag : std::uint8_t {
    Open = 1,   // the main frame opened
    Input = 2,  // a call into the stage's input
    Clock = 3,  // a clock reading the program took
    Frame = 4,  // a frame rendered (and flushed)
    Scale = 5,  // the stage's output scale changed
    Sound = 6,  // a sound was asked to play
    Query = 7,  // a sound channel was asked for its state
    End = 8,    // the session closed normally
};

enum class QueryKind : std::uint8_t { Complete, Position, Left, Right };

struct SoundRequest {
    std::string name;  // the file the sound was loaded from, or ""
    double start = 0;  // ms
    int loops = 0;
    double volume = 1;
    double pan = 0;

    bool operator==(const SoundRequest&) const = default;
};

// One entry; only the fields of its tag are meaningful.
struct RecordEntry {
    EntryTag tag = EntryTag::End;
    // Open
    int stageWidth = 0, stageHeight = 0, windowWidth = 0, windowHeight = 0, flags = 0;
    std::string title;
    // Open, Scale
    double scale = 1;
    // Input; realMicros is real time since the session started (Input, Frame)
    InputCall input;
    std::int64_t realMicros = 0;
    // Clock: the reading, in whole microseconds
    std::int64_t clockMicros = 0;
    // Frame
    bool hasChecksum = false;
    std::uint64_t checksum = 0;
    // Sound
    SoundRequest sound;
    // Query
    QueryKind query = QueryKind::Complete;
    double value = 0;
    // End: frames in the session
    std::int64_t frames = 0;
};

// Turns entries into bytes; take() hands over what was written so far.
class RecordWriter {
public:
    explicit RecordWriter(const RecordHeader& header);
    void write(const RecordEntry& entry);
    [[nodiscard]] std::string take();
    [[nodiscard]] std::size_t pending() const { return bytes_.size(); }

private:
    void input(const InputCall& call);

    std::string bytes_;
    std::int64_t lastClock_ = 0;
    std::int64_t lastReal_ = 0;
};

// Reads a recording held in memory. Bad data never reads past the end: it
// stops the reader with an error() naming the byte where it was found.
class RecordReader {
public:
    explicit RecordReader(std::string bytes) : bytes_(std::move(bytes)) {}

    // Reads the header; false (with error()) when this is not a recording
    // this build reads.
    bool start();
    // The next entry; false at the end of the data or at a fault (error()).
    bool next(RecordEntry& entry);

    [[nodiscard]] const RecordHeader& header() const { return header_; }
    [[nodiscard]] const std::string& error() const { return error_; }
    // The data stopped in the middle of an entry (a session cut short).
    [[nodiscard]] bool truncated() const { return truncated_; }
    [[nodiscard]] bool sawEnd() const { return sawEnd_; }
    [[nodiscard]] std::size_t offset() const { return pos_; }

private:
    bool fail(const std::string& what);
    bool varint(std::uint64_t& value);
    bool signedVarint(std::int64_t& value);
    bool integer(int& value);
    bool number(double& value);
    bool byte(std::uint8_t& value);
    bool fixed64(std::uint64_t& value);
    bool text(std::string& value);
    bool input(InputCall& call);
    bool scale(double& value);
    bool realTime(std::int64_t& micros);
    bool clockReading(std::int64_t& micros);
    bool body(RecordEntry& entry);

    std::string bytes_;
    std::size_t pos_ = 0;
    RecordHeader header_;
    std::string error_;
    bool truncated_ = false;
    bool sawEnd_ = false;
    bool started_ = false;
    std::int64_t lastClock_ = 0;
    std::int64_t lastReal_ = 0;
};

// Reads a whole file into memory; false (with `error`) when it can't.
bool readRecordFile(const std::string& path, std::string& bytes, std::string& error);

}  // namespace limn::sdl
