// What reaches the sound decoder: WAV and Ogg Vorbis within the length cap.
#include "backend/audio/SoundFormat.h"

#include <gtest/gtest.h>

#include "backend/audio/AudioSound.h"
#include "tests/backend/MediaFiles.h"

namespace limn::sdl {
namespace {

using limn::testing::ByteVector;
using limn::testing::makeWav;

ByteVector withHeader(const char* magic, std::size_t size) {
    ByteVector bytes(size, 0x41);
    std::copy(magic, magic + 4, bytes.begin());
    return bytes;
}

// A first Ogg page holding a Vorbis or Opus identification header, and a last
// page whose granule position says `samples`.
ByteVector ogg(const char* codec, std::uint64_t samples, std::uint32_t rate = 44100) {
    ByteVector b = {'O', 'g', 'g', 'S', 0, 2};
    b.resize(26, 0);
    b.push_back(1);   // one segment
    b.push_back(30);  // of 30 bytes
    const std::string id = codec;
    b.insert(b.end(), id.begin(), id.end());
    b.push_back(0), b.push_back(0), b.push_back(0), b.push_back(0);  // version
    b.push_back(2);
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(rate >> (8 * i)));
    b.resize(28 + 30, 0);
    const std::size_t last = b.size();
    b.insert(b.end(), {'O', 'g', 'g', 'S', 0, 4});
    for (int i = 0; i < 8; ++i) b.push_back(static_cast<std::uint8_t>(samples >> (8 * i)));
    b.resize(last + 27, 0);
    return b;
}

TEST(SoundFormat, WavAndOggVorbisAreAcceptedWithTheirLength) {
    const ByteVector wav = makeWav(0.5, 22050, 2);
    EXPECT_EQ(SoundFormat::kind(wav), SoundFormat::Kind::Wav);
    EXPECT_NEAR(*SoundFormat::declaredSeconds(wav), 0.5, 0.001);
    EXPECT_TRUE(SoundFormat::accepted(wav));
    const ByteVector vorbis = ogg("\x01vorbis", 44100 * 3);
    EXPECT_EQ(SoundFormat::kind(vorbis), SoundFormat::Kind::OggVorbis);
    EXPECT_NEAR(*SoundFormat::declaredSeconds(vorbis), 3.0, 1e-9);
}

TEST(SoundFormat, FormatsTheProgramDoesNotNeedAreRefusedBeforeDecoding) {
    for (const char* magic : {"FORM", "Crea", "fLaC", "ID3\x03", "MThd"}) {
        EXPECT_FALSE(SoundFormat::accepted(withHeader(magic, 600))) << magic;
        EXPECT_EQ(AudioSound::fromBytes(withHeader(magic, 600)), nullptr) << magic;
    }
    // A module: no magic at the start at all.
    ByteVector mod(2048, 0);
    std::copy_n("M.K.", 4, mod.begin() + 1080);
    EXPECT_EQ(AudioSound::fromBytes(mod), nullptr);
    EXPECT_FALSE(SoundFormat::accepted(ogg("OpusHead", 48000)));
}

TEST(SoundFormat, DecodedLengthIsCappedFromTheHeaders) {
    // 8 KB of samples declared at 1 Hz would decode to over an hour.
    ByteVector slow = makeWav(0.2, 22050);
    slow[24] = 1, slow[25] = slow[26] = slow[27] = 0;
    EXPECT_GT(*SoundFormat::declaredSeconds(slow), 3600.0);
    EXPECT_FALSE(SoundFormat::accepted(slow));
    EXPECT_EQ(AudioSound::fromBytes(slow), nullptr);
    EXPECT_FALSE(SoundFormat::accepted(ogg("\x01vorbis", 44100ull * 3600)));
    // A data chunk claiming more than the file holds counts what is there.
    ByteVector cut = makeWav(0.1, 22050);
    cut[40] = cut[41] = cut[42] = 0xFF;
    EXPECT_NEAR(*SoundFormat::declaredSeconds(cut), 0.1, 0.001);
}

TEST(SoundFormat, SizesClaimingMoreThanTheFileHoldsAreCutBeforeDecoding) {
    // Found by the fuzz test: a 232-byte WAV whose data chunk claims 2.3 GB
    // made the decoder allocate all of it.
    ByteVector wav = makeWav(0.01, 8000, 2);
    EXPECT_FALSE(SoundFormat::claimsMoreThanItHolds(wav));
    wav[40] = 0x80, wav[41] = 0x02, wav[42] = 0x00, wav[43] = 0x89;
    EXPECT_TRUE(SoundFormat::claimsMoreThanItHolds(wav));
    const ByteVector fixed = SoundFormat::withTrueSizes(wav);
    EXPECT_FALSE(SoundFormat::claimsMoreThanItHolds(fixed));
    EXPECT_EQ(fixed[43], 0) << "the data size is what the file holds";
    auto sound = AudioSound::fromBytes(wav);
    ASSERT_NE(sound, nullptr) << "a truncated file still plays what it has";
    EXPECT_NEAR(sound->lengthMs(), 10.0, 0.5);
}

}  // namespace
}  // namespace limn::sdl
