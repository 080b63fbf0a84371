// Writes the game's pictures and sounds into the folder given on the command line:
//   make_assets OUT_DIR   ->  OUT_DIR/images/*.png|jpg, OUT_DIR/sounds/*.wav
#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "art.h"
#include "jpeg_writer.h"
#include "synth.h"
#include "wav_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kJpegQuality = 92;

void write_file(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// JPEG has no alpha: flatten onto white (the stage colour) first.
void write_jpeg(const assets::Surface& surface, const fs::path& path) {
    cairo_surface_flush(surface.get());
    const int w = cairo_image_surface_get_width(surface.get());
    const int h = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const std::uint8_t* data = cairo_image_surface_get_data(surface.get());
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            const unsigned channels[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
            for (int c = 0; c < 3; ++c) {
                rgb[(static_cast<std::size_t>(y) * w + x) * 3 + c] =
                    static_cast<std::uint8_t>(channels[c] + (255 - a));
            }
        }
    }
    write_file(path, assets::encode_jpeg(rgb.data(), w, h, kJpegQuality));
}

void write_sound(const std::vector<float>& samples, const fs::path& path) {
    write_file(path, assets::encode_wav(samples, assets::kSampleRate));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUT_DIR\n";
        return 2;
    }
    try {
        const fs::path out = argv[1];
        const fs::path images = out / "images";
        const fs::path sounds = out / "sounds";
        fs::create_directories(images);
        fs::create_directories(sounds);

        write_jpeg(assets::paint_logo(), images / "Logo.jpg");
        write_jpeg(assets::paint_meadow(), images / "Background.jpg");
        assets::write_png(assets::paint_splash(), (images / "SplashScreen.png").string());
        assets::write_png(assets::paint_mole(true), (images / "Mole.png").string());
        assets::write_png(assets::paint_mole(false), (images / "Mole2.png").string());
        assets::write_png(assets::paint_cloud(), (images / "Cloud.png").string());
        assets::write_png(assets::paint_result(assets::Grade::kAA),
                          (images / "TimeUp_AA.png").string());
        assets::write_png(assets::paint_result(assets::Grade::kA),
                          (images / "TimeUp_A.png").string());
        assets::write_png(assets::paint_result(assets::Grade::kB),
                          (images / "TimeUp_B.png").string());
        assets::write_png(assets::paint_result(assets::Grade::kC),
                          (images / "TimeUp_C.png").string());

        // Three squeaks that stay distinct when played in quick succession.
        write_sound(assets::synth_squeak({0.20, 950, 1550, 1250, 26, 0.8, 1}), sounds / "eep.wav");
        write_sound(assets::synth_squeak({0.16, 1300, 2150, 1800, 31, 0.6, 2}),
                    sounds / "eep2.wav");
        write_sound(assets::synth_squeak({0.26, 680, 1120, 820, 22, 1.0, 3}), sounds / "eep3.wav");
        write_sound(assets::synth_hooray(), sounds / "hooray.wav");
    } catch (const std::exception& e) {
        std::cerr << "make_assets: " << e.what() << "\n";
        return 1;
    }
    // Let go of cached fonts so leak checkers see a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
    return 0;
}
