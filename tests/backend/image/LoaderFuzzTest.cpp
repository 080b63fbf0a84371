// Thousands of damaged sound and picture files, made here from small valid
// ones, go through the decoders: each gives a handle or nothing, never a crash.
#include <SDL_image.h>
#include <gtest/gtest.h>

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

constexpr int kMutantsPerFormat = 1000;

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
        for (int i = 0; i < kMutantsPerFormat; ++i) {
            if (load(limn::testing::mutate(seed, random))) ++decoded;
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
