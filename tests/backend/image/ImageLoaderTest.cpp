#include <SDL.h>
#include <cairo.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "backend/image/ByteBuffer.h"
#include "backend/image/ImageLoader.h"
#include "runtime/Log.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class ImageLoading : public BackendTest {
protected:
    // A 3 x 2 PNG: opaque red at (0, 0), half-transparent blue at (1, 0), the rest clear.
    std::string writePng() {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
        cairo_surface_flush(s);
        auto* px = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s));
        px[0] = 0xFFFF0000;
        px[1] = 0x80000080;
        cairo_surface_mark_dirty(s);
        const std::string path = dir() + "picture.png";
        cairo_surface_write_to_png(s, path.c_str());
        cairo_surface_destroy(s);
        return path;
    }
    static std::string dir() { return ::testing::TempDir(); }
    static bool isNull(const rt::Dynamic& v) { return v.isNull(); }
};

TEST_F(ImageLoading, PngDecodesPremultipliedWithSizeAndTransparency) {
    auto surface = call("limn_bitmap_data_load", writePng());
    ASSERT_FALSE(surface.isNull());
    EXPECT_EQ(call("limn_bitmap_data_width", surface).asInt(), 3);
    EXPECT_EQ(call("limn_bitmap_data_height", surface).asInt(), 2);
    EXPECT_TRUE(call("limn_bitmap_data_get_transparent", surface).asBool());
    Surface* s = Surface::from(surface);
    EXPECT_EQ(s->row(0)[0], 0xFFFF0000u);
    EXPECT_EQ(s->row(0)[1], 0x80000080u);
    EXPECT_EQ(s->row(1)[2], 0u);
}

TEST_F(ImageLoading, BmpDecodesAsOpaque) {
    SDL_Surface* bmp = SDL_CreateRGBSurfaceWithFormat(0, 4, 3, 24, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(bmp, nullptr, SDL_MapRGB(bmp->format, 0, 255, 0));
    const std::string path = dir() + "picture.bmp";
    ASSERT_EQ(SDL_SaveBMP(bmp, path.c_str()), 0);
    SDL_FreeSurface(bmp);
    auto surface = call("limn_bitmap_data_load", path);
    ASSERT_FALSE(surface.isNull());
    EXPECT_EQ(call("limn_bitmap_data_width", surface).asInt(), 4);
    EXPECT_FALSE(call("limn_bitmap_data_get_transparent", surface).asBool());
    EXPECT_EQ(Surface::from(surface)->row(2)[3], 0xFF00FF00u);
}

TEST_F(ImageLoading, BytesFromAByteArrayDecode) {
    auto bytes = call("limn_byte_array_read_file", writePng());
    ASSERT_FALSE(bytes.isNull());
    auto surface = call("limn_bitmap_data_from_bytes", bytes, nullptr);
    ASSERT_FALSE(surface.isNull());
    EXPECT_EQ(call("limn_bitmap_data_width", surface).asInt(), 3);
}

TEST_F(ImageLoading, SeparateAlphaBytesReplaceTheAlphaChannel) {
    auto bytes = call("limn_byte_array_read_file", writePng());
    auto alpha = call("limn_byte_array_create", 6);
    for (int i = 0; i < 6; ++i) call("limn_byte_array_set", alpha, i, 255);
    auto surface = call("limn_bitmap_data_from_bytes", bytes, alpha);
    ASSERT_FALSE(surface.isNull());
    EXPECT_EQ(Surface::from(surface)->row(0)[0], 0xFFFF0000u);
    EXPECT_EQ(Surface::from(surface)->row(1)[0] >> 24, 0xFFu);
}

TEST_F(ImageLoading, MissingFileGivesNullHandle) {
    EXPECT_TRUE(isNull(call("limn_bitmap_data_load", dir() + "no-such-picture.png")));
    EXPECT_TRUE(isNull(call("limn_bitmap_data_load", dir())));
}

TEST_F(ImageLoading, TruncatedPngGivesNullHandle) {
    auto bytes = readAll(writePng());
    bytes.resize(bytes.size() - 20);
    const std::string path = dir() + "truncated.png";
    writeAll(path, bytes);
    EXPECT_TRUE(isNull(call("limn_bitmap_data_load", path)));
}

TEST_F(ImageLoading, GarbageGivesNullHandle) {
    const std::string path = dir() + "garbage.png";
    writeAll(path, std::vector<std::uint8_t>(1000, 0x5A));
    EXPECT_TRUE(isNull(call("limn_bitmap_data_load", path)));
    auto empty = call("limn_byte_array_create", 0);
    EXPECT_TRUE(isNull(call("limn_bitmap_data_from_bytes", empty, nullptr)));
    EXPECT_TRUE(isNull(call("limn_bitmap_data_from_bytes", nullptr, nullptr)));
}

// Each failed load says, once, which file and why.
TEST_F(ImageLoading, FailedLoadsSayWhy) {
    rt::log::setLevel(rt::log::Level::Warn);
    auto truncated = readAll(writePng());
    truncated.resize(truncated.size() - 20);
    writeAll(dir() + "cut.png", truncated);
    writeAll(dir() + "noise.png", std::vector<std::uint8_t>(100, 0x5A));
    ::testing::internal::CaptureStderr();
    for (const char* name : {"none.png", "", "noise.png", "cut.png"}) {
        EXPECT_TRUE(isNull(call("limn_bitmap_data_load", dir() + name)));
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "limn: could not load picture " + dir() + "none.png: no such file\n" +
                        "limn: could not load picture " + dir() + ": not a regular file\n" +
                        "limn: could not load picture " + dir() +
                        "noise.png: not a PNG, JPEG, GIF or BMP picture\n" +
                        "limn: could not load picture " + dir() + "cut.png: damaged PNG data\n");
}

TEST_F(ImageLoading, HugeDimensionsAreRefusedBeforeDecoding) {
    auto bytes = readAll(writePng());
    // Rewrite the header's width to 100000 (the checksum no longer matches either).
    bytes[16] = 0x00;
    bytes[17] = 0x01;
    bytes[18] = 0x86;
    bytes[19] = 0xA0;
    EXPECT_EQ(ImageLoader::headerSize(bytes.data(), bytes.size()).width, 100000);
    const std::string path = dir() + "huge.png";
    writeAll(path, bytes);
    EXPECT_TRUE(isNull(call("limn_bitmap_data_load", path)));
}

// A GIF with a 2 x 2 screen whose one frame declares `width` x `height`,
// followed by a little pixel data.
std::vector<std::uint8_t> gifWithFrame(int width, int height) {
    std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9',  'a',  2,    0,    2, 0, 0x80, 0,
                                     0,   0,   0,   0,   0xFF, 0xFF, 0xFF, 0x2C, 0, 0, 0,    0};
    for (int v : {width, height}) {
        gif.push_back(static_cast<std::uint8_t>(v & 0xFF));
        gif.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    const std::vector<std::uint8_t> data = {0, 2, 2, 0x4C, 0x01, 0, 0x3B};
    gif.insert(gif.end(), data.begin(), data.end());
    return gif;
}

TEST_F(ImageLoading, GifFramesAreCheckedNotJustTheScreen) {
    const auto small = gifWithFrame(2, 2);
    EXPECT_TRUE(ImageLoader::withinCaps(small.data(), small.size()));
    const auto huge = gifWithFrame(60000, 60000);
    EXPECT_EQ(ImageLoader::headerSize(huge.data(), huge.size()).width, 2);
    EXPECT_FALSE(ImageLoader::withinCaps(huge.data(), huge.size()));
    EXPECT_EQ(ImageLoader::fromBytes(huge.data(), huge.size()), nullptr);
    // Within each side, beyond the pixel cap: refused before decoding too.
    const auto wide = gifWithFrame(8000, 8000);
    EXPECT_EQ(ImageLoader::fromBytes(wide.data(), wide.size()), nullptr);
}

TEST_F(ImageLoading, GifFramePlacedOffTheScreenIsRefused) {
    // Found by the fuzz test: a 2 x 18 frame at (512, 65280) on a 2 x 2
    // screen crashed the decoder.
    const std::vector<std::uint8_t> gif = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x81, 0x00, 0x00,
        0xff, 0x00, 0xa9, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x21,
        0xf9, 0x04, 0x01, 0x00, 0x00, 0x03, 0x00, 0x2c, 0x00, 0x02, 0x00, 0xff, 0x02,
        0x00, 0x12, 0x00, 0x00, 0x02, 0x03, 0x47, 0x34, 0x45, 0x00, 0x3b};
    EXPECT_FALSE(ImageLoader::withinCaps(gif.data(), gif.size()));
    EXPECT_EQ(ImageLoader::fromBytes(gif.data(), gif.size()), nullptr);
}

TEST_F(ImageLoading, SmallFilesDeclaringHugePicturesAreRefused) {
    // An 8-bit RLE BMP of 16384 x 16384 in under 100 bytes.
    SDL_Surface* bmp = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 8, SDL_PIXELFORMAT_INDEX8);
    ASSERT_NE(bmp, nullptr);
    SDL_RWops* out = SDL_RWFromFile((dir() + "rle.bmp").c_str(), "wb");
    ASSERT_EQ(SDL_SaveBMP_RW(bmp, out, 1), 0);
    SDL_FreeSurface(bmp);
    auto bytes = readAll(dir() + "rle.bmp");
    ASSERT_GT(bytes.size(), 34u);
    for (int at : {18, 22}) bytes[at + 1] = 0x40, bytes[at] = 0, bytes[at + 2] = bytes[at + 3] = 0;
    bytes[30] = 1;  // RLE8
    EXPECT_EQ(ImageLoader::headerSize(bytes.data(), bytes.size()).width, 16384);
    EXPECT_FALSE(ImageLoader::withinCaps(bytes.data(), bytes.size()));
    EXPECT_EQ(ImageLoader::fromBytes(bytes.data(), bytes.size()), nullptr);
}

TEST_F(ImageLoading, OpaquePngDecodesOpaque) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    const std::string path = dir() + "opaque.png";
    cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
    auto surface = call("limn_bitmap_data_load", path);
    ASSERT_FALSE(surface.isNull());
    EXPECT_FALSE(call("limn_bitmap_data_get_transparent", surface).asBool());
    EXPECT_EQ(Surface::from(surface)->row(1)[1], 0xFF0000FFu);
}

TEST_F(ImageLoading, JpegHeaderSizeIsRead) {
    // Start of image, a frame header for 640 x 480, nothing else.
    const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11,
                                            0x08, 0x01, 0xE0, 0x02, 0x80, 0x03};
    const auto size = ImageLoader::headerSize(jpeg.data(), jpeg.size());
    EXPECT_EQ(size.width, 640);
    EXPECT_EQ(size.height, 480);
    EXPECT_EQ(ImageLoader::fromBytes(jpeg.data(), jpeg.size()), nullptr);
}

TEST_F(ImageLoading, NullHandleReadsAsSizeZero) {
    EXPECT_EQ(call("limn_bitmap_data_width", nullptr).asInt(), 0);
    EXPECT_EQ(call("limn_bitmap_data_height", nullptr).asInt(), 0);
    EXPECT_FALSE(call("limn_bitmap_data_get_transparent", nullptr).asBool());
}

TEST_F(ImageLoading, CreatedSurfacesRefuseAbsurdSizes) {
    EXPECT_TRUE(isNull(call("limn_bitmap_data_create", 16385, 4, 3, 0, 255)));
    EXPECT_TRUE(isNull(call("limn_bitmap_data_create", 0, 4, 3, 0, 255)));
    EXPECT_TRUE(isNull(call("limn_bitmap_data_create", -5, 4, 3, 0, 255)));
    auto ok = call("limn_bitmap_data_create", 2, 2, 2, 0xFF0000, 0);
    ASSERT_FALSE(ok.isNull());
    // Not transparent: the alpha of the fill is ignored.
    EXPECT_EQ(Surface::from(ok)->row(0)[0], 0xFFFF0000u);
}

TEST_F(ImageLoading, TransparentFillIsPremultiplied) {
    auto s = call("limn_bitmap_data_create", 1, 1, 3, 0xFF0000, 128);
    EXPECT_EQ(Surface::from(s)->row(0)[0], 0x80800000u);
}

}  // namespace
}  // namespace limn::sdl::testing
