// Runs the generator into a temporary folder and checks what it wrote.
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "art.h"
#include "jpeg_reader.h"
#include "jpeg_writer.h"
#include "layout.h"

namespace fs = std::filesystem;
using assets::testing::decode_jpeg;
using assets::testing::JpegImage;

namespace {

const char* const kFiles[] = {
    "images/Logo.jpg",      "images/Background.jpg", "images/SplashScreen.png",
    "images/Mole.png",      "images/Mole2.png",      "images/Cloud.png",
    "images/TimeUp_AA.png", "images/TimeUp_A.png",   "images/TimeUp_B.png",
    "images/TimeUp_C.png",  "sounds/eep.wav",        "sounds/eep2.wav",
    "sounds/eep3.wav",      "sounds/hooray.wav"};

std::vector<std::uint8_t> read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int run_generator(const fs::path& dir) {
    const std::string command = std::string("\"") + MAKE_ASSETS_EXE + "\" \"" + dir.string() + "\"";
    return std::system(command.c_str());
}

double luminance(double r, double g, double b) {
    return 0.299 * r + 0.587 * g + 0.114 * b;
}

// A loaded PNG with straight (not premultiplied) access to its pixels.
class Png {
public:
    explicit Png(const fs::path& path)
        : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Png() { cairo_surface_destroy(surface_); }
    Png(const Png&) = delete;
    Png& operator=(const Png&) = delete;

    bool ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface_); }
    int height() const { return cairo_image_surface_get_height(surface_); }
    cairo_format_t format() const { return cairo_image_surface_get_format(surface_); }
    std::uint32_t pixel(int x, int y) const {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_));
        return row[x];
    }
    int alpha(int x, int y) const { return static_cast<int>(pixel(x, y) >> 24); }
    // Luminance of the premultiplied colour, i.e. as if drawn over black.
    double luma_over_black(int x, int y) const {
        const std::uint32_t p = pixel(x, y);
        return luminance((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    cairo_surface_t* surface_;
};

double jpeg_luma(const JpegImage& img, int x, int y) {
    const std::uint8_t* p = &img.rgb[(static_cast<std::size_t>(y) * img.width + x) * 3];
    return luminance(p[0], p[1], p[2]);
}

struct Wav {
    int channels = 0, rate = 0, bits = 0, format = 0;
    std::vector<std::int16_t> samples;
};

Wav parse_wav(const std::vector<std::uint8_t>& b) {
    auto u16 = [&](std::size_t i) { return b.at(i) | (b.at(i + 1) << 8); };
    auto u32 = [&](std::size_t i) {
        return static_cast<std::uint32_t>(u16(i)) | (static_cast<std::uint32_t>(u16(i + 2)) << 16);
    };
    Wav w;
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        return w;
    }
    EXPECT_EQ(u32(4), b.size() - 8);
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const std::string id(b.begin() + static_cast<long>(pos),
                             b.begin() + static_cast<long>(pos) + 4);
        const std::uint32_t size = u32(pos + 4);
        if (id == "fmt ") {
            w.format = u16(pos + 8);
            w.channels = u16(pos + 10);
            w.rate = static_cast<int>(u32(pos + 12));
            w.bits = u16(pos + 22);
            EXPECT_EQ(u32(pos + 16), static_cast<std::uint32_t>(w.rate * w.channels * w.bits / 8));
        } else if (id == "data") {
            EXPECT_EQ(pos + 8 + size, b.size());
            for (std::size_t i = 0; i + 1 < size; i += 2) {
                w.samples.push_back(static_cast<std::int16_t>(u16(pos + 8 + i)));
            }
        }
        pos += 8 + size + (size & 1);
    }
    return w;
}

class AssetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Under CTest a setup step has already generated everything once.
        if (const char* shared = std::getenv("ASSETS_OUTPUT_DIR");
            shared != nullptr && fs::is_directory(shared)) {
            dir_ = shared;
            status_ = 0;
            owned_ = false;
            return;
        }
        dir_ = fs::temp_directory_path() / ("make_assets_test_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        status_ = run_generator(dir_);
        owned_ = true;
    }
    static void TearDownTestSuite() {
        if (owned_) fs::remove_all(dir_);
    }

    static inline fs::path dir_;
    static inline int status_ = -1;
    static inline bool owned_ = false;
};

TEST_F(AssetsTest, GeneratorSucceedsAndWritesEveryFile) {
    ASSERT_EQ(status_, 0);
    for (const char* name : kFiles) {
        EXPECT_TRUE(fs::is_regular_file(dir_ / name)) << name;
        EXPECT_GT(fs::file_size(dir_ / name), 100u) << name;
    }
}

TEST_F(AssetsTest, PngPicturesHaveTheirSizesAndAlpha) {
    struct Expect {
        const char* name;
        int width, height;
    };
    const Expect expected[] = {{"images/SplashScreen.png", 320, 480},
                               {"images/Mole.png", assets::kMoleW, assets::kMoleH},
                               {"images/Mole2.png", assets::kMoleW, assets::kMoleH},
                               {"images/Cloud.png", assets::kCloudW, assets::kCloudH},
                               {"images/TimeUp_AA.png", 320, 480},
                               {"images/TimeUp_A.png", 320, 480},
                               {"images/TimeUp_B.png", 320, 480},
                               {"images/TimeUp_C.png", 320, 480}};
    for (const Expect& e : expected) {
        Png png(dir_ / e.name);
        ASSERT_TRUE(png.ok()) << e.name;
        EXPECT_EQ(png.width(), e.width) << e.name;
        EXPECT_EQ(png.height(), e.height) << e.name;
        EXPECT_EQ(png.format(), CAIRO_FORMAT_ARGB32) << e.name;
    }
}

TEST_F(AssetsTest, MolesAreCutOutWithOpaqueBodies) {
    for (const char* name : {"images/Mole.png", "images/Mole2.png"}) {
        Png png(dir_ / name);
        ASSERT_TRUE(png.ok()) << name;
        EXPECT_EQ(png.alpha(0, assets::kMoleH - 1), 0) << name;
        EXPECT_EQ(png.alpha(assets::kMoleW - 1, assets::kMoleH - 1), 0) << name;
        EXPECT_EQ(png.alpha(assets::kMoleW / 2, 28), 255) << name;
        EXPECT_EQ(png.alpha(6, 22), 255) << name;
    }
    // The two kinds must be told apart at a glance: the golden one is much brighter.
    Png golden(dir_ / "images/Mole.png");
    Png brown(dir_ / "images/Mole2.png");
    EXPECT_GT(golden.luma_over_black(6, 22), brown.luma_over_black(6, 22) + 60);
}

TEST_F(AssetsTest, CloudIsASoftPuff) {
    Png png(dir_ / "images/Cloud.png");
    ASSERT_TRUE(png.ok());
    EXPECT_GT(png.alpha(assets::kCloudW / 2, assets::kCloudH / 2), 200);
    EXPECT_GT(png.luma_over_black(assets::kCloudW / 2, assets::kCloudH / 2), 200);
    int soft = 0, clear = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const int a = png.alpha(x, y);
            soft += (a > 0 && a < 200);
            clear += (a == 0);
        }
    }
    EXPECT_GT(soft, 100);
    EXPECT_GT(clear, 100);
}

TEST_F(AssetsTest, JpegsAreBaselineWithRightDimensions) {
    for (const char* name : {"images/Logo.jpg", "images/Background.jpg"}) {
        const auto b = read_bytes(dir_ / name);
        ASSERT_GT(b.size(), 4u) << name;
        EXPECT_EQ(b[0], 0xFF);
        EXPECT_EQ(b[1], 0xD8);
        EXPECT_EQ(b[b.size() - 2], 0xFF);
        EXPECT_EQ(b[b.size() - 1], 0xD9);
        // Walk the header segments to the frame header.
        bool found = false;
        for (std::size_t pos = 2; pos + 9 < b.size();) {
            ASSERT_EQ(b[pos], 0xFF) << name;
            const int marker = b[pos + 1];
            const std::size_t length = static_cast<std::size_t>((b[pos + 2] << 8) | b[pos + 3]);
            if (marker == 0xC0) {
                EXPECT_EQ(b[pos + 4], 8);
                EXPECT_EQ((b[pos + 5] << 8) | b[pos + 6], 480) << name;
                EXPECT_EQ((b[pos + 7] << 8) | b[pos + 8], 320) << name;
                found = true;
                break;
            }
            pos += 2 + length;
        }
        EXPECT_TRUE(found) << name;
    }
}

TEST_F(AssetsTest, BackgroundJpegMatchesThePaintedMeadow) {
    const JpegImage img = decode_jpeg(read_bytes(dir_ / "images/Background.jpg"));
    ASSERT_EQ(img.width, 320);
    ASSERT_EQ(img.height, 480);
    assets::Surface meadow = assets::paint_meadow();
    cairo_surface_flush(meadow.get());
    const auto* data = cairo_image_surface_get_data(meadow.get());
    const int stride = cairo_image_surface_get_stride(meadow.get());
    double error = 0;
    for (int y = 0; y < 480; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < 320; ++x) {
            const std::uint32_t p = row[x];
            const int src[3] = {static_cast<int>((p >> 16) & 0xFF),
                                static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
            for (int c = 0; c < 3; ++c) {
                error +=
                    std::abs(src[c] - img.rgb[(static_cast<std::size_t>(y) * 320 + x) * 3 + c]);
            }
        }
    }
    EXPECT_LT(error / (320.0 * 480.0 * 3.0), 3.0);
}

TEST_F(AssetsTest, BackgroundHasDarkHolesAndLighterGrassBetween) {
    const JpegImage img = decode_jpeg(read_bytes(dir_ / "images/Background.jpg"));
    ASSERT_EQ(img.width, 320);
    for (const auto& h : assets::kHoles) {
        const int cx = static_cast<int>(h.x + assets::kHoleDX);
        const int cy = static_cast<int>(h.y + assets::kHoleDY);
        // The opening sits inside the hit square of the mole.
        EXPECT_GE(cx, h.x + assets::kHitX);
        EXPECT_LT(cx, h.x + assets::kHitX + assets::kHitSize);
        EXPECT_GE(cy, h.y + assets::kHitY);
        EXPECT_LT(cy, h.y + assets::kHitY + assets::kHitSize);
        EXPECT_LT(jpeg_luma(img, cx, cy), 45) << "hole at " << h.x << "," << h.y;
    }
    // Halfway between each hole and its nearest neighbour there is grass, clearly lighter.
    for (const auto& a : assets::kHoles) {
        double best = 1e9;
        int mx = 0, my = 0;
        for (const auto& b : assets::kHoles) {
            const double d = std::hypot(a.x - b.x, a.y - b.y);
            if (d > 0 && d < best) {
                best = d;
                mx = (a.x + b.x) / 2 + static_cast<int>(assets::kHoleDX);
                my = (a.y + b.y) / 2 + static_cast<int>(assets::kHoleDY);
            }
        }
        double sum = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) sum += jpeg_luma(img, mx + dx, my + dy);
        }
        EXPECT_GT(sum / 9, 90) << "between holes near " << a.x << "," << a.y;
    }
}

TEST_F(AssetsTest, HeadUpDisplayAreaSuitsWhiteText) {
    const JpegImage img = decode_jpeg(read_bytes(dir_ / "images/Background.jpg"));
    double sum = 0;
    int n = 0;
    for (int y = assets::kScoreY; y < assets::kScoreY + 20; ++y) {
        for (int x = assets::kScoreX; x < assets::kScoreX + assets::kScoreW; ++x, ++n) {
            sum += jpeg_luma(img, x, y);
        }
    }
    EXPECT_LT(sum / n, 90);
}

TEST_F(AssetsTest, ResultPicturesLeaveADarkBandForTheScore) {
    for (const char* name : {"images/TimeUp_AA.png", "images/TimeUp_A.png", "images/TimeUp_B.png",
                             "images/TimeUp_C.png"}) {
        Png png(dir_ / name);
        ASSERT_TRUE(png.ok()) << name;
        for (int y = assets::kScoreBandY + 4; y < assets::kScoreBandY + assets::kScoreBandH - 4;
             ++y) {
            for (int x = 50; x < 270; ++x) {
                ASSERT_EQ(png.alpha(x, y), 255) << name << " at " << x << "," << y;
                ASSERT_LT(png.luma_over_black(x, y), 80) << name << " at " << x << "," << y;
            }
        }
    }
    EXPECT_NE(read_bytes(dir_ / "images/TimeUp_AA.png"), read_bytes(dir_ / "images/TimeUp_A.png"));
    EXPECT_NE(read_bytes(dir_ / "images/TimeUp_B.png"), read_bytes(dir_ / "images/TimeUp_C.png"));
}

TEST_F(AssetsTest, SplashCoversTheWholeScreen) {
    Png png(dir_ / "images/SplashScreen.png");
    ASSERT_TRUE(png.ok());
    int clear = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) clear += png.alpha(x, y) == 0;
    }
    EXPECT_EQ(clear, 0);
}

TEST_F(AssetsTest, SoundsAreValidAndNeitherClippedNorSilent) {
    struct Expect {
        const char* name;
        double min_seconds, max_seconds;
    };
    const Expect expected[] = {{"sounds/eep.wav", 0.12, 0.32},
                               {"sounds/eep2.wav", 0.12, 0.32},
                               {"sounds/eep3.wav", 0.12, 0.32},
                               {"sounds/hooray.wav", 1.5, 2.5}};
    for (const Expect& e : expected) {
        const Wav w = parse_wav(read_bytes(dir_ / e.name));
        EXPECT_EQ(w.format, 1) << e.name;
        EXPECT_EQ(w.channels, 1) << e.name;
        EXPECT_EQ(w.bits, 16) << e.name;
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << e.name;
        ASSERT_GT(w.rate, 0) << e.name;
        const double seconds = static_cast<double>(w.samples.size()) / w.rate;
        EXPECT_GE(seconds, e.min_seconds) << e.name;
        EXPECT_LE(seconds, e.max_seconds) << e.name;
        int peak = 0;
        for (std::int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        // Peaks at -6 dBFS, leaving the mix headroom.
        EXPECT_NEAR(peak, 16384, 200) << e.name;
        // Starts and ends quietly: no clicks.
        EXPECT_LT(std::abs(w.samples.front()), 2000) << e.name;
        EXPECT_LT(std::abs(w.samples.back()), 2000) << e.name;
    }
}

TEST_F(AssetsTest, SqueaksHaveDifferentPitches) {
    auto crossings_per_second = [&](const char* name) {
        const Wav w = parse_wav(read_bytes(dir_ / name));
        int crossings = 0;
        for (std::size_t i = 1; i < w.samples.size(); ++i) {
            crossings += (w.samples[i - 1] < 0) != (w.samples[i] < 0);
        }
        return crossings * static_cast<double>(w.rate) / static_cast<double>(w.samples.size());
    };
    const double low = crossings_per_second("sounds/eep3.wav");
    const double mid = crossings_per_second("sounds/eep.wav");
    const double high = crossings_per_second("sounds/eep2.wav");
    EXPECT_LT(low * 1.1, mid);
    EXPECT_LT(mid * 1.1, high);
}

TEST_F(AssetsTest, OutputIsDeterministic) {
    const fs::path again =
        fs::temp_directory_path() / ("make_assets_again_" + std::to_string(::getpid()));
    fs::remove_all(again);
    ASSERT_EQ(run_generator(again), 0);
    for (const char* name : kFiles) {
        EXPECT_EQ(read_bytes(dir_ / name), read_bytes(again / name)) << name;
    }
    fs::remove_all(again);
}

TEST(JpegWriter, RoundTripsAGradientWithOddSize) {
    const int w = 37, h = 21;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
            p[0] = static_cast<std::uint8_t>(x * 255 / (w - 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / (h - 1));
            p[2] = static_cast<std::uint8_t>(128 + 100 * std::sin(x * 0.3));
        }
    }
    const JpegImage img = decode_jpeg(assets::encode_jpeg(rgb.data(), w, h, 95));
    ASSERT_EQ(img.width, w);
    ASSERT_EQ(img.height, h);
    double error = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) error += std::abs(rgb[i] - img.rgb[i]);
    EXPECT_LT(error / static_cast<double>(rgb.size()), 3.0);
}

}  // namespace
