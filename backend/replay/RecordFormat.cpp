#include "backend/replay/RecordFormat.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

namespace limn::sdl {

namespace {

// A double's bits (std::bit_cast, which the page's C++ library lacks).
std::uint64_t bitsOf(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// Nothing a session writes is larger: a bigger length is a corrupt one.
constexpr std::uint64_t kLongestText = 1 << 20;
// Whole numbers in this range are written as varints.
constexpr double kSmallest = -2147483648.0;
constexpr double kLargest = 2147483647.0;
constexpr double kLargestScale = 64;
// A day between two inputs: longer is not a pause but a corrupt time.
constexpr std::int64_t kLongestPause = 86'400'000'000;
// A time of more than 2^53 microseconds (285 years) is no session's: no sum of
// deltas goes past it, and every time reads back exactly as a double.
constexpr std::int64_t kLatestTime = std::int64_t{1} << 53;
// Recordings are read whole; anything bigger is not one a session wrote.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{1} << 31;

std::uint64_t zigzag(std::int64_t v) {
    return (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63);
}

std::int64_t unzigzag(std::uint64_t v) {
    return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1);
}

void putVarint(std::string& out, std::uint64_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<char>((v & 0x7F) | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<char>(v));
}

void putSigned(std::string& out, std::int64_t v) {
    putVarint(out, zigzag(v));
}

void putFixed(std::string& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A whole number as an even varint (its zig-zag value doubled); anything
// else (fractions, -0, NaN, huge values) as 1 and the raw double.
void putNumber(std::string& out, double v) {
    const bool whole =
        v >= kSmallest && v <= kLargest && std::trunc(v) == v && !(v == 0 && std::signbit(v));
    if (whole) {
        putVarint(out, zigzag(static_cast<std::int64_t>(v)) << 1);
    } else {
        putVarint(out, 1);
        putFixed(out, bitsOf(v), 8);
    }
}

void putText(std::string& out, const std::string& text) {
    putVarint(out, text.size());
    out += text;
}

bool isPointer(InputCall::Kind kind) {
    using enum InputCall::Kind;
    return kind == MouseMove || kind == MouseDown || kind == MouseUp || kind == TouchBegin ||
           kind == TouchMove || kind == TouchEnd;
}

bool isTouch(InputCall::Kind kind) {
    using enum InputCall::Kind;
    return kind == TouchBegin || kind == TouchMove || kind == TouchEnd;
}

}  // namespace

RecordWriter::RecordWriter(const RecordHeader& header) {
    bytes_.append(kRecordMagic, sizeof kRecordMagic);
    putFixed(bytes_, header.version, 2);
    putFixed(bytes_, header.options, 2);
    putFixed(bytes_, header.seed, 8);
}

std::string RecordWriter::take() {
    std::string out;
    out.swap(bytes_);
    return out;
}

void RecordWriter::input(const InputCall& call) {
    bytes_.push_back(static_cast<char>(call.kind));
    if (isPointer(call.kind)) {
        putNumber(bytes_, call.x);
        putNumber(bytes_, call.y);
        putSigned(bytes_, call.flags);
        if (isTouch(call.kind)) putSigned(bytes_, call.finger);
    } else if (call.kind == InputCall::Kind::Key) {
        putSigned(bytes_, call.keyCode);
        putSigned(bytes_, call.charCode);
        bytes_.push_back(call.down ? 1 : 0);
        putSigned(bytes_, call.flags);
    } else if (call.kind == InputCall::Kind::Text) {
        putSigned(bytes_, call.flags);
        putText(bytes_, call.text);
    }
}

void RecordWriter::write(const RecordEntry& e) {
    bytes_.push_back(static_cast<char>(e.tag));
    switch (e.tag) {
        case EntryTag::Open:
            for (int v : {e.stageWidth, e.stageHeight, e.windowWidth, e.windowHeight, e.flags})
                putSigned(bytes_, v);
            putNumber(bytes_, e.scale);
            putText(bytes_, e.title);
            break;
        case EntryTag::Input:
            putSigned(bytes_, e.realMicros - lastReal_);
            lastReal_ = e.realMicros;
            input(e.input);
            break;
        case EntryTag::Clock:
            putSigned(bytes_, e.clockMicros - lastClock_);
            lastClock_ = e.clockMicros;
            break;
        case EntryTag::Frame:
            putSigned(bytes_, e.realMicros - lastReal_);
            lastReal_ = e.realMicros;
            bytes_.push_back(e.hasChecksum ? 1 : 0);
            if (e.hasChecksum) putFixed(bytes_, e.checksum, 8);
            break;
        case EntryTag::Scale:
            putNumber(bytes_, e.scale);
            break;
        case EntryTag::Sound:
            putText(bytes_, e.sound.name);
            putNumber(bytes_, e.sound.start);
            putSigned(bytes_, e.sound.loops);
            putNumber(bytes_, e.sound.volume);
            putNumber(bytes_, e.sound.pan);
            break;
        case EntryTag::Query:
            bytes_.push_back(static_cast<char>(e.query));
            putNumber(bytes_, e.value);
            break;
        case EntryTag::End:
            putSigned(bytes_, e.frames);
            break;
    }
}

bool RecordReader::fail(const std::string& what) {
    if (error_.empty()) {
        error_ = "corrupt recording at byte " + std::to_string(pos_) + ": " + what;
    }
    return false;
}

bool RecordReader::byte(std::uint8_t& value) {
    if (pos_ >= bytes_.size()) {
        truncated_ = true;
        return false;
    }
    value = static_cast<std::uint8_t>(bytes_[pos_++]);
    return true;
}

bool RecordReader::varint(std::uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        std::uint8_t b = 0;
        if (!byte(b)) return false;
        if (shift == 63 && b > 1) return fail("a number too large");
        value |= static_cast<std::uint64_t>(b & 0x7F) << shift;
        if ((b & 0x80) == 0) return true;
    }
    return fail("a number too large");
}

bool RecordReader::signedVarint(std::int64_t& value) {
    std::uint64_t raw = 0;
    if (!varint(raw)) return false;
    value = unzigzag(raw);
    return true;
}

bool RecordReader::integer(int& value) {
    std::int64_t wide = 0;
    if (!signedVarint(wide)) return false;
    if (wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max()) {
        return fail("an integer out of range");
    }
    value = static_cast<int>(wide);
    return true;
}

bool RecordReader::fixed64(std::uint64_t& value) {
    value = 0;
    for (int i = 0; i < 8; ++i) {
        std::uint8_t b = 0;
        if (!byte(b)) return false;
        value |= static_cast<std::uint64_t>(b) << (8 * i);
    }
    return true;
}

bool RecordReader::number(double& value) {
    std::uint64_t raw = 0;
    if (!varint(raw)) return false;
    if ((raw & 1) == 0) {
        const std::int64_t whole = unzigzag(raw >> 1);
        const auto value64 = static_cast<double>(whole);
        if (value64 < kSmallest || value64 > kLargest) return fail("a number out of range");
        value = static_cast<double>(whole);
        return true;
    }
    if (raw != 1) return fail("a bad number mark");
    std::uint64_t bits = 0;
    if (!fixed64(bits)) return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool RecordReader::text(std::string& value) {
    std::uint64_t length = 0;
    if (!varint(length)) return false;
    if (length > kLongestText) return fail("a text too long");
    if (length > bytes_.size() - pos_) {
        truncated_ = true;
        return false;
    }
    value.assign(bytes_, pos_, length);
    pos_ += length;
    return true;
}

bool RecordReader::input(InputCall& call) {
    std::uint8_t kind = 0;
    if (!byte(kind)) return false;
    if (kind >= InputCall::kKindCount) return fail("an unknown input kind");
    call = InputCall();
    call.kind = static_cast<InputCall::Kind>(kind);
    if (isPointer(call.kind)) {
        if (!number(call.x) || !number(call.y) || !integer(call.flags)) return false;
        return !isTouch(call.kind) || signedVarint(call.finger);
    }
    if (call.kind == InputCall::Kind::Key) {
        std::uint8_t down = 0;
        if (!integer(call.keyCode) || !integer(call.charCode) || !byte(down)) return false;
        if (down > 1) return fail("a bad key flag");
        call.down = down == 1;
        return integer(call.flags);
    }
    if (call.kind == InputCall::Kind::Text) return integer(call.flags) && text(call.text);
    return true;
}

bool RecordReader::start() {
    started_ = true;
    if (bytes_.size() < sizeof kRecordMagic ||
        std::memcmp(bytes_.data(), kRecordMagic, sizeof kRecordMagic) != 0) {
        error_ = "not a limn recording";
        return false;
    }
    if (bytes_.size() < kRecordHeaderSize) {
        error_ = "truncated recording: the header is cut short";
        return false;
    }
    pos_ = sizeof kRecordMagic;
    std::uint8_t b[4] = {};
    for (auto& v : b) (void)byte(v);
    header_.version = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    header_.options = static_cast<std::uint16_t>(b[2] | (b[3] << 8));
    (void)fixed64(header_.seed);
    if (header_.version != kRecordVersion) {
        error_ = "recording version " + std::to_string(header_.version) +
                 " is not supported (this build reads version " + std::to_string(kRecordVersion) +
                 ")";
        return false;
    }
    return true;
}

bool RecordReader::scale(double& value) {
    if (!number(value)) return false;
    // What a window can show: anything else would make frames of absurd sizes.
    if (!(value > 0 && value <= kLargestScale)) return fail("a bad scale");
    return true;
}

bool RecordReader::realTime(std::int64_t& micros) {
    std::int64_t delta = 0;
    if (!signedVarint(delta)) return false;
    if (delta < 0 || delta > kLongestPause || lastReal_ + delta > kLatestTime) {
        return fail("a bad real time");
    }
    micros = lastReal_ += delta;
    return true;
}

bool RecordReader::clockReading(std::int64_t& micros) {
    std::int64_t delta = 0;
    if (!signedVarint(delta)) return false;
    // A clock may step back a little, never by more than it may step forward.
    if (delta < -kLongestPause || delta > kLongestPause) return fail("a bad clock reading");
    const std::int64_t reading = lastClock_ + delta;
    if (reading < -kLatestTime || reading > kLatestTime) return fail("a bad clock reading");
    micros = lastClock_ = reading;
    return true;
}

bool RecordReader::body(RecordEntry& e) {
    switch (e.tag) {
        case EntryTag::Open:
            return integer(e.stageWidth) && integer(e.stageHeight) && integer(e.windowWidth) &&
                   integer(e.windowHeight) && integer(e.flags) && scale(e.scale) && text(e.title);
        case EntryTag::Input:
            return realTime(e.realMicros) && input(e.input);
        case EntryTag::Clock:
            return clockReading(e.clockMicros);
        case EntryTag::Frame: {
            std::uint8_t has = 0;
            if (!realTime(e.realMicros) || !byte(has)) return false;
            if (has > 1) return fail("a bad checksum flag");
            e.hasChecksum = has == 1;
            return !e.hasChecksum || fixed64(e.checksum);
        }
        case EntryTag::Scale:
            return scale(e.scale);
        case EntryTag::Sound:
            return text(e.sound.name) && number(e.sound.start) && integer(e.sound.loops) &&
                   number(e.sound.volume) && number(e.sound.pan);
        case EntryTag::Query: {
            std::uint8_t kind = 0;
            if (!byte(kind)) return false;
            if (kind > static_cast<std::uint8_t>(QueryKind::Right)) {
                return fail("an unknown query kind");
            }
            e.query = static_cast<QueryKind>(kind);
            return number(e.value);
        }
        case EntryTag::End:
            return signedVarint(e.frames);
    }
    return false;
}

bool RecordReader::next(RecordEntry& entry) {
    if (!started_ && !start()) return false;
    if (!error_.empty() || truncated_ || sawEnd_ || pos_ >= bytes_.size()) return false;
    const std::size_t at = pos_;
    const auto tag = static_cast<std::uint8_t>(bytes_[pos_++]);
    if (tag < static_cast<std::uint8_t>(EntryTag::Open) ||
        tag > static_cast<std::uint8_t>(EntryTag::End)) {
        pos_ = at;
        return fail("unknown entry " + std::to_string(tag));
    }
    entry = RecordEntry();
    entry.tag = static_cast<EntryTag>(tag);
    if (!body(entry)) {
        // A cut-off last entry is dropped whole; the ones before it stand.
        if (truncated_) pos_ = at;
        return false;
    }
    sawEnd_ = entry.tag == EntryTag::End;
    return true;
}

bool readRecordFile(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open recording " + path;
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > kLargestFile) {
        error = "cannot read recording " + path;
        return false;
    }
    in.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(bytes.data(), size)) {
        error = "cannot read recording " + path;
        return false;
    }
    return true;
}

}  // namespace limn::sdl
