// Damaged sound and picture files and byte arrays, made here from small valid
// ones, go through the loaders: each gives a handle or nothing, never a crash.
// LIMN_FUZZ_MUTANTS sets the count per format (tools/fuzz-loaders.sh runs
// 10,000 each under the sanitizers with a memory cap); the default keeps the
// suite quick.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "backend/audio/AudioSound.h"
#include "backend/image/ByteBuffer.h"
#include "backend/image/ImageLoader.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Log.h"
#include "tests/backend/MediaFiles.h"

namespace limn::sdl {
namespace {

using limn::testing::ByteVector;

int mutantsPerFormat() {
    const char* wanted = std::getenv("LIMN_FUZZ_MUTANTS");
    const int n = wanted ? std::atoi(wanted) : 0;
    return n > 0 ? n : 400;
}
const int kMutantsPerFormat = mutantsPerFormat();

// A 16 x 16 picture with a gradient and some transparency.
SDL_Surface* picture() {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return nullptr;
    for (int y = 0; y < 16; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < 16; ++x)
            row[x] = (x < 12 ? 0xFF000000u : 0x80000000u) | (x * 16) << 16 | (y * 16) << 8 | 0x40;
    }
    return s;
}

ByteVector encoded(bool jpeg) {
    SDL_Surface* s = picture();
    if (!s) return {};
    ByteVector out;
    std::vector<char> buffer(64 * 1024);
    SDL_RWops* mem = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    const int status = jpeg ? IMG_SaveJPG_RW(s, mem, 0, 80) : IMG_SavePNG_RW(s, mem, 0);
    if (status == 0) {
        const auto size = static_cast<std::size_t>(SDL_RWtell(mem));
        out.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size));
    }
    SDL_RWclose(mem);
    SDL_FreeSurface(s);
    return out;
}

ByteVector bmp(bool paletted) {
    SDL_Surface* s = picture();
    if (!s) return {};
    if (paletted) {
        SDL_Surface* indexed = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_INDEX8, 0);
        SDL_FreeSurface(s);
        s = indexed;
        if (!s) return {};
    }
    std::vector<char> buffer(64 * 1024);
    SDL_RWops* mem = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    ByteVector out;
    if (SDL_SaveBMP_RW(s, mem, 0) == 0) {
        out.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(SDL_RWtell(mem)));
    }
    SDL_RWclose(mem);
    SDL_FreeSurface(s);
    return out;
}

template <std::size_t N>
ByteVector text(const char (&s)[N], ByteVector tail = {}) {
    ByteVector out(s, s + N - 1);
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

// A 2 x 2 GIF with a four-colour table, written out by hand.
ByteVector gif() {
    return {'G',  'I', 'F', '8', '9',  'a', 2,    0,    2,    0,    0x81, 0,    0,
            0xFF, 0,   0,   0,   0xFF, 0,   0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0x21,
            0xF9, 4,   1,   0,   0,    3,   0,    0x2C, 0,    0,    0,    0,    2,
            0,    2,   0,   0,   2,    3,   0x44, 0x34, 0x05, 0,    0x3B};
}

class LoaderFuzz : public ::testing::Test {
protected:
    // Thousands of damaged files: their load warnings would only be noise here.
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        rt::log::setLevel(rt::log::Level::Off);
    }
    void TearDown() override { rt::log::setLevel(rt::log::Level::Warn); }

    template <class Load>
    int survive(const ByteVector& seed, Load load) {
        std::mt19937 random(static_cast<unsigned>(seed.size()));
        int decoded = 0;
        // LIMN_FUZZ_LAST names a file that holds the input being tried, so
        // that a crash leaves it behind.
        const char* last = std::getenv("LIMN_FUZZ_LAST");
        for (int i = 0; i < kMutantsPerFormat; ++i) {
            const ByteVector mutant = limn::testing::mutate(seed, random);
            if (last)
                std::ofstream(last, std::ios::binary)
                    .write(reinterpret_cast<const char*>(mutant.data()),
                           static_cast<std::streamsize>(mutant.size()));
            if (load(mutant)) ++decoded;
        }
        return decoded;
    }
    static bool image(const ByteVector& bytes) {
        return ImageLoader::fromBytes(bytes.data(), bytes.size()) != nullptr;
    }
};

TEST_F(LoaderFuzz, SeedsAreValidFiles) {
    EXPECT_NE(ImageLoader::fromBytes(encoded(false).data(), encoded(false).size()), nullptr)
        << "PNG";
    const ByteVector jpeg = encoded(true);
    EXPECT_NE(ImageLoader::fromBytes(jpeg.data(), jpeg.size()), nullptr) << "JPEG";
    EXPECT_NE(ImageLoader::fromBytes(gif().data(), gif().size()), nullptr) << "GIF";
    EXPECT_NE(AudioSound::fromBytes(limn::testing::makeWav(0.02)), nullptr) << "WAV";
}

TEST_F(LoaderFuzz, DamagedWavFilesNeverCrash) {
    auto mixer = AudioMixer::shared();  // one device for the whole run
    const int decoded = survive(limn::testing::makeWav(0.02, 8000, 2), [](const ByteVector& b) {
        return AudioSound::fromBytes(b) != nullptr;
    });
    EXPECT_LT(decoded, kMutantsPerFormat) << "some damage must be refused";
}

TEST_F(LoaderFuzz, DamagedPngFilesNeverCrash) {
    const ByteVector seed = encoded(false);
    ASSERT_FALSE(seed.empty());
    const int decoded = survive(seed, image);
    EXPECT_LT(decoded, kMutantsPerFormat);
    EXPECT_GT(decoded, 0) << "some light damage still decodes";
}

TEST_F(LoaderFuzz, DamagedJpegFilesNeverCrash) {
    const ByteVector seed = encoded(true);
    ASSERT_FALSE(seed.empty());
    (void)survive(seed, image);
}

TEST_F(LoaderFuzz, DamagedGifFilesNeverCrash) {
    EXPECT_LT(survive(gif(), image), kMutantsPerFormat);
}

TEST_F(LoaderFuzz, DamagedBmpFilesNeverCrash) {
    for (bool paletted : {false, true}) {
        const ByteVector seed = bmp(paletted);
        ASSERT_FALSE(seed.empty());
        ASSERT_NE(ImageLoader::fromBytes(seed.data(), seed.size()), nullptr);
        EXPECT_LT(survive(seed, image), kMutantsPerFormat);
    }
}

// The other formats the image library reads are refused before any decoder
// runs, damaged or not.
TEST_F(LoaderFuzz, OtherPictureFormatsAreRefused) {
    const ByteVector seeds[] = {
        text("P6\n2 2\n255\n", ByteVector(12, 0x80)),
        text("/* XPM */\nstatic char *x[] = {\"2 2 1 1\", \"a c #FF0000\", \"aa\", \"aa\"};\n"),
        ByteVector{0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0},
        text("qoif", {0, 0, 0, 2, 0, 0, 0, 2, 4, 0, 0xFE, 1, 2, 3, 0xC2}),
        text("II*\0", ByteVector(64, 0)),
        text("RIFF\x20\0\0\0WEBPVP8L", ByteVector(24, 0))};
    for (const ByteVector& seed : seeds) {
        EXPECT_EQ(survive(seed, image), 0);
    }
}

TEST_F(LoaderFuzz, DamagedWavFormatsNeverCrash) {
    auto mixer = AudioMixer::shared();
    ByteVector eightBit = limn::testing::makeWav(0.02, 11025, 1);
    // Same bytes read as 8-bit stereo, and as IMA ADPCM blocks.
    eightBit[22] = 2, eightBit[34] = 8;
    ByteVector adpcm = limn::testing::makeWav(0.02, 8000, 1);
    adpcm[20] = 0x11, adpcm[32] = 0, adpcm[33] = 1, adpcm[34] = 4;
    for (const ByteVector& seed : {eightBit, adpcm}) {
        (void)survive(seed,
                      [](const ByteVector& b) { return AudioSound::fromBytes(b) != nullptr; });
    }
}

TEST_F(LoaderFuzz, DamagedByteArraysNeverCrash) {
    auto module = makeModule();
    auto find = [&](const char* name, int arity) {
        return *module->find(native::exportName(name, arity));
    };
    auto asString = find("limn_byte_array_as_string", 1);
    auto get = find("limn_byte_array_get", 2);
    auto set = find("limn_byte_array_set", 3);
    auto length = find("limn_byte_array_get_length", 1);
    // UTF-8 with multi-byte sequences, a byte order mark and a NUL.
    const ByteVector seed =
        text("\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x90\xB9 \0end");
    std::mt19937 random(11);
    const double extremes[] = {-1, 0, 3, 4096, -1e300, 2147483647.0, NAN, INFINITY};
    for (int i = 0; i < kMutantsPerFormat; ++i) {
        const rt::Dynamic bytes = std::make_shared<ByteBuffer>(limn::testing::mutate(seed, random));
        const rt::Dynamic one[] = {bytes};
        EXPECT_TRUE(asString(one).isString());
        const double at = extremes[random() % std::size(extremes)];
        const rt::Dynamic read[] = {bytes, at};
        (void)get(read);
        // Writes far past the end are refused or capped, never a giant buffer.
        const rt::Dynamic write[] = {bytes, at, static_cast<int>(random() % 256)};
        (void)set(write);
        EXPECT_LE(length(one).asFloat(), double(ByteBuffer::kMaxSize));
    }
}

TEST_F(LoaderFuzz, DamagedFilesThroughThePrimitivesGiveNullOrASurface) {
    auto mixer = AudioMixer::shared();
    auto module = makeModule();
    auto fromBytes = *module->find(native::exportName("limn_bitmap_data_from_bytes", 2));
    auto soundFromFile = *module->find(native::exportName("limn_sound_from_file", 2));
    std::mt19937 random(5);
    limn::testing::TempDir dir;
    for (int i = 0; i < 50; ++i) {
        auto bytes = std::make_shared<ByteBuffer>(limn::testing::mutate(encoded(false), random));
        const rt::Dynamic args[] = {bytes, nullptr};
        const rt::Dynamic result = fromBytes(args);
        EXPECT_TRUE(result.isNull() || result.isHandle());
        const std::string path =
            dir.write("s.wav", limn::testing::mutate(limn::testing::makeWav(0.01), random));
        const rt::Dynamic soundArgs[] = {path, false};
        const rt::Dynamic sound = soundFromFile(soundArgs);
        EXPECT_TRUE(sound.isNull() || sound.isHandle());
    }
}

}  // namespace
}  // namespace limn::sdl
