#include "backend/replay/RecordFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

namespace limn::sdl {
namespace {

double randomNumber(std::mt19937_64& rng) {
    static const double odd[] = {0.0,
                                 -0.0,
                                 0.5,
                                 -1.25,
                                 1e300,
                                 -1e-300,
                                 2147483647.0,
                                 -2147483648.0,
                                 2147483648.0,
                                 std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN()};
    switch (rng() % 3) {
        case 0:
            return odd[rng() % std::size(odd)];
        case 1:
            return static_cast<double>(static_cast<int>(rng() % 2000) - 1000);
        default:
            return std::bit_cast<double>(rng());
    }
}

RecordEntry randomEntry(std::mt19937_64& rng, std::int64_t& clock, std::int64_t& real) {
    RecordEntry e;
    e.tag = static_cast<EntryTag>(1 + rng() % 8);
    switch (e.tag) {
        case EntryTag::Open:
            e.stageWidth = static_cast<int>(rng() % 4000);
            e.stageHeight = -static_cast<int>(rng() % 4000);
            e.flags = static_cast<int>(rng());
            e.scale = 0.25 + static_cast<double>(rng() % 100) / 7;
            e.title = std::string(rng() % 40, static_cast<char>(rng()));
            break;
        case EntryTag::Input:
            e.realMicros = real += static_cast<std::int64_t>(rng() % 100000);
            e.input.kind = static_cast<InputCall::Kind>(rng() % InputCall::kKindCount);
            if (e.input.kind <= InputCall::Kind::TouchEnd) {
                e.input.x = randomNumber(rng);
                e.input.y = randomNumber(rng);
                e.input.flags = static_cast<int>(rng());
                if (e.input.kind >= InputCall::Kind::TouchBegin) {
                    e.input.finger = static_cast<std::int64_t>(rng());
                }
            } else if (e.input.kind == InputCall::Kind::Key) {
                e.input.keyCode = static_cast<int>(rng());
                e.input.charCode = static_cast<int>(rng() % 0x110000);
                e.input.down = rng() % 2 == 1;
                e.input.flags = static_cast<int>(rng() % 0x10000);
            } else if (e.input.kind == InputCall::Kind::Text) {
                e.input.flags = 2;
                e.input.text = "\xC3\xA9t\xC3\xA9";
            }
            break;
        case EntryTag::Clock:
            e.clockMicros = clock += static_cast<std::int64_t>(rng() % 40000) - 100;
            break;
        case EntryTag::Frame:
            e.realMicros = real += static_cast<std::int64_t>(rng() % 40000);
            e.hasChecksum = rng() % 4 != 0;
            if (e.hasChecksum) e.checksum = rng();
            break;
        case EntryTag::Scale:
            e.scale = rng() % 2 ? 1.75 : 0.1 + 1.0 / static_cast<double>(1 + rng() % 9);
            break;
        case EntryTag::Sound:
            e.sound = {"sound/hit" + std::to_string(rng() % 9) + ".ogg", randomNumber(rng),
                       static_cast<int>(rng() % 5), randomNumber(rng), randomNumber(rng)};
            break;
        case EntryTag::Query:
            e.query = static_cast<QueryKind>(rng() % 4);
            e.value = randomNumber(rng);
            break;
        case EntryTag::End:
            e.frames = static_cast<std::int64_t>(rng() % 100000);
            break;
    }
    return e;
}

bool sameNumber(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void expectSame(const RecordEntry& a, const RecordEntry& b, int i) {
    ASSERT_EQ(a.tag, b.tag) << "entry " << i;
    EXPECT_TRUE(sameNumber(a.scale, b.scale)) << "entry " << i;
    EXPECT_TRUE(sameNumber(a.input.x, b.input.x) && sameNumber(a.input.y, b.input.y));
    EXPECT_EQ(a.input.kind, b.input.kind);
    EXPECT_EQ(a.input.flags, b.input.flags);
    EXPECT_EQ(a.input.finger, b.input.finger);
    EXPECT_EQ(a.input.keyCode, b.input.keyCode);
    EXPECT_EQ(a.input.charCode, b.input.charCode);
    EXPECT_EQ(a.input.down, b.input.down);
    EXPECT_EQ(a.input.text, b.input.text);
    EXPECT_EQ(a.realMicros, b.realMicros);
    EXPECT_EQ(a.clockMicros, b.clockMicros);
    EXPECT_EQ(a.hasChecksum, b.hasChecksum);
    EXPECT_EQ(a.checksum, b.checksum);
    EXPECT_EQ(a.sound.name, b.sound.name);
    EXPECT_TRUE(sameNumber(a.sound.start, b.sound.start) && sameNumber(a.sound.pan, b.sound.pan) &&
                sameNumber(a.sound.volume, b.sound.volume));
    EXPECT_EQ(a.sound.loops, b.sound.loops);
    EXPECT_EQ(a.query, b.query);
    EXPECT_TRUE(sameNumber(a.value, b.value));
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ(a.stageWidth, b.stageWidth);
    EXPECT_EQ(a.stageHeight, b.stageHeight);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.title, b.title);
}

// A recording of `count` random entries (the last one the end mark), and the entries.
std::string randomRecording(std::uint64_t seed, int count, std::vector<RecordEntry>* entries) {
    std::mt19937_64 rng(seed);
    RecordWriter writer({kRecordVersion, 0, rng()});
    std::int64_t clock = 0, real = 0;
    std::string bytes = writer.take();
    for (int i = 0; i < count; ++i) {
        RecordEntry e = randomEntry(rng, clock, real);
        if (e.tag == EntryTag::End || i == count - 1) {
            e = RecordEntry();
            e.tag = i == count - 1 ? EntryTag::End : EntryTag::Scale;
            e.frames = e.tag == EntryTag::End ? count : 0;
        }
        writer.write(e);
        // Taken in pieces, as the recorder flushes.
        if (rng() % 8 == 0) bytes += writer.take();
        if (entries) entries->push_back(e);
    }
    return bytes + writer.take();
}

TEST(RecordFormat, RandomEntriesReadBackBitForBit) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        std::vector<RecordEntry> written;
        RecordReader reader(randomRecording(seed, 400, &written));
        ASSERT_TRUE(reader.start()) << reader.error();
        std::vector<RecordEntry> read;
        for (RecordEntry e; reader.next(e);) read.push_back(e);
        EXPECT_EQ(reader.error(), "");
        EXPECT_TRUE(reader.sawEnd());
        EXPECT_FALSE(reader.truncated());
        ASSERT_EQ(read.size(), written.size()) << "seed " << seed;
        for (std::size_t i = 0; i < read.size(); ++i) {
            expectSame(read[i], written[i], static_cast<int>(i));
        }
    }
}

TEST(RecordFormat, WholeNumbersTakeFewBytes) {
    RecordWriter writer({});
    (void)writer.take();
    RecordEntry move;
    move.tag = EntryTag::Input;
    move.input.kind = InputCall::Kind::MouseMove;
    move.input.x = 160;
    move.input.y = 300;
    move.realMicros = 16667;
    writer.write(move);
    EXPECT_LE(writer.pending(), 10u) << "a mouse move at whole pixels";
    RecordEntry reading;
    reading.tag = EntryTag::Clock;
    reading.clockMicros = 16667;
    (void)writer.take();
    writer.write(reading);
    EXPECT_LE(writer.pending(), 4u) << "a clock reading a frame later";
}

TEST(RecordFormat, BadHeadersGiveClearErrors) {
    const std::string good = randomRecording(7, 10, nullptr);
    RecordReader empty("");
    EXPECT_FALSE(empty.start());
    EXPECT_EQ(empty.error(), "not a limn recording");
    RecordReader png("\x89PNG\r\n\x1a\n0123456789abcdef");
    EXPECT_FALSE(png.start());
    EXPECT_EQ(png.error(), "not a limn recording");
    RecordReader cut(good.substr(0, 12));
    EXPECT_FALSE(cut.start());
    EXPECT_EQ(cut.error(), "truncated recording: the header is cut short");
    std::string later = good;
    later[8] = 2;
    RecordReader newer(later);
    EXPECT_FALSE(newer.start());
    EXPECT_EQ(newer.error(), "recording version 2 is not supported (this build reads version 1)");
}

TEST(RecordFormat, CorruptEntryNamesItsByte) {
    std::string bytes = randomRecording(3, 5, nullptr);
    bytes.insert(kRecordHeaderSize, 1, '\x42');
    RecordReader reader(bytes);
    RecordEntry e;
    EXPECT_FALSE(reader.next(e));
    EXPECT_EQ(reader.error(), "corrupt recording at byte 20: unknown entry 66");

    RecordWriter writer({});
    RecordEntry huge;
    huge.tag = EntryTag::Scale;
    huge.scale = 1e9;
    writer.write(huge);
    RecordReader scaled(writer.take());
    EXPECT_FALSE(scaled.next(e));
    EXPECT_EQ(scaled.error(), "corrupt recording at byte 26: a bad scale");
}

TEST(RecordFormat, CutOffEntryIsDroppedAndTheRestStands) {
    std::vector<RecordEntry> written;
    const std::string bytes = randomRecording(5, 50, &written);
    for (std::size_t cut = kRecordHeaderSize; cut < bytes.size(); cut += 7) {
        RecordReader reader(bytes.substr(0, cut));
        std::size_t count = 0;
        for (RecordEntry e; reader.next(e);) ++count;
        EXPECT_EQ(reader.error(), "") << "cut at " << cut;
        EXPECT_LT(count, written.size());
        EXPECT_LE(reader.offset(), cut);
    }
}

TEST(RecordFormat, ClockReadingsFarApartAreCorrupt) {
    // Two readings each a lifetime past the last: summed, they would leave
    // the clock's range.
    RecordWriter writer({});
    std::string bytes = writer.take();
    const std::int64_t far = std::numeric_limits<std::int64_t>::max() / 2 + 1;
    for (int i = 0; i < 2; ++i) {
        RecordWriter step({});
        RecordEntry reading;
        reading.tag = EntryTag::Clock;
        reading.clockMicros = far;
        (void)step.take();
        step.write(reading);
        bytes += step.take();
    }
    RecordReader reader(bytes);
    RecordEntry e;
    EXPECT_FALSE(reader.next(e));
    EXPECT_EQ(reader.error(), "corrupt recording at byte 31: a bad clock reading");

    // A day forward and back again reads; a step of more than a day doesn't.
    RecordWriter days({});
    for (const std::int64_t at : {86'400'000'000LL, 0LL, 86'400'000'001LL}) {
        RecordEntry reading;
        reading.tag = EntryTag::Clock;
        reading.clockMicros = at;
        days.write(reading);
    }
    RecordReader dayReader(days.take());
    ASSERT_TRUE(dayReader.next(e));
    EXPECT_EQ(e.clockMicros, 86'400'000'000LL);
    ASSERT_TRUE(dayReader.next(e));
    EXPECT_EQ(e.clockMicros, 0);
    EXPECT_FALSE(dayReader.next(e));
    EXPECT_NE(dayReader.error().find("a bad clock reading"), std::string::npos);
}

int fuzzMutants() {
    const char* wanted = std::getenv("LIMN_FUZZ_MUTANTS");
    const int count = wanted ? std::atoi(wanted) : 0;
    return count > 0 ? count : 4000;
}

// A varint of `value` zig-zagged, as the writer stores a signed delta.
std::string signedBytes(std::int64_t value) {
    auto raw = (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
    std::string out;
    do {
        out.push_back(static_cast<char>((raw & 0x7F) | (raw > 0x7F ? 0x80 : 0)));
        raw >>= 7;
    } while (raw != 0);
    return out;
}

// Mutated recordings: every one reads to an error, a clean end or a cut;
// none reads outside its bytes or overflows a sum (the sanitizer build checks
// that). LIMN_FUZZ_MUTANTS sets how many (tools/fuzz-recordings.sh runs
// 100,000); LIMN_FUZZ_LAST names a file that holds the one being read.
TEST(RecordFormat, FuzzedRecordingsNeverCrashTheReader) {
    const std::string good = randomRecording(11, 300, nullptr);
    const char* last = std::getenv("LIMN_FUZZ_LAST");
    std::mt19937_64 rng(2026);
    const int mutants = fuzzMutants();
    int errors = 0;
    for (int round = 0; round < mutants; ++round) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(rng() % 6);
        for (int k = 0; k < edits; ++k) {
            const std::size_t at = rng() % bytes.size();
            switch (rng() % 5) {
                case 0:
                    bytes[at] = static_cast<char>(rng());
                    break;
                case 1:
                    bytes[at] = static_cast<char>(bytes[at] ^ (1 << (rng() % 8)));
                    break;
                case 2:
                    bytes.resize(at);
                    break;
                case 3: {
                    // Times at the edges: a clock or real-time entry with an extreme delta.
                    static const std::int64_t edges[] = {std::numeric_limits<std::int64_t>::max(),
                                                         std::numeric_limits<std::int64_t>::min(),
                                                         86'400'000'000,
                                                         -86'400'000'000,
                                                         std::int64_t{1} << 53,
                                                         -1};
                    const std::int64_t delta = edges[rng() % std::size(edges)];
                    const char tag = rng() % 2 ? '\x03' : '\x04';
                    std::string entry = tag + signedBytes(delta);
                    if (tag == '\x04') entry.push_back('\0');
                    for (int copies = 1 + static_cast<int>(rng() % 3); copies > 0; --copies) {
                        bytes.insert(std::min(std::max(at, kRecordHeaderSize), bytes.size()),
                                     entry);
                    }
                    break;
                }
                default:
                    bytes.insert(at, std::string(rng() % 12, static_cast<char>(rng())));
                    break;
            }
            if (bytes.empty()) bytes = "L";
        }
        if (last) {
            if (std::FILE* f = std::fopen(last, "wb")) {
                std::fwrite(bytes.data(), 1, bytes.size(), f);
                std::fclose(f);
            }
        }
        RecordReader reader(bytes);
        std::size_t count = 0;
        for (RecordEntry e; reader.next(e) && count < bytes.size();) ++count;
        ASSERT_LE(count, bytes.size()) << "an entry takes at least one byte";
        ASSERT_LE(reader.offset(), bytes.size());
        if (!reader.error().empty()) ++errors;
    }
    EXPECT_GT(errors, mutants / 40) << "mutations were caught";
}

}  // namespace
}  // namespace limn::sdl
