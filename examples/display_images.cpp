// Pictures from files: BitmapData::load reads a PNG or a JPEG (any format the
// backend decodes) into a picture, and a Bitmap shows it. By default the
// program shows two of the game's pictures from the build folder; give it your
// own files to see them instead. A file that is missing or cannot be decoded
// gives a picture without a handle: the program says so (and LIMN_LOG=warn,
// the default, makes the backend say why).
// Run: ./build/examples/display_images [PNG [JPEG]]
#include <algorithm>
#include <cstdio>
#include <string>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Bitmap.h"
#include "framework/display/BitmapData.h"
#include "framework/display/MovieClip.h"
#include "framework/text/TextField.h"
#include "framework/text/TextFormat.h"

using namespace limn;

namespace {

constexpr int kWidth = 480, kHeight = 360;

std::string pngPath = EXAMPLE_IMAGES "/Mole.png";
std::string jpegPath = EXAMPLE_IMAGES "/Background.jpg";

void caption(const std::string& words, double x, double y) {
    auto label = std::make_shared<text::TextField>();
    label->setDefaultTextFormat(
        text::TextFormat::make({.font = "DejaVu Sans", .size = 13, .color = 0xF1FAEE}));
    label->setX(x);
    label->setY(y);
    label->setWidth(220);
    label->setHeight(40);
    label->setWordWrap(true);
    label->setMultiline(true);
    label->setText(words);
    Lib::current()->addChild(label);
}

// Loads `path` and shows it with its top-left at (x, y), shrunk to fit a box of
// `box` pixels: scaleX and scaleY scale a display object about its origin.
void show(const std::string& path, double x, double y, double box) {
    auto picture = display::BitmapData::load(path);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (picture->limnHandle.isNull()) {
        std::fprintf(stderr, "display_images: could not load %s\n", path.c_str());
        caption(name + ": could not load", x, y);
        return;
    }
    const int w = picture->width(), h = picture->height();
    auto bitmap = std::make_shared<display::Bitmap>(picture, std::nullopt, true);  // smoothed
    const double scale = std::min(1.0, box / std::max(w, h));
    bitmap->setScaleX(scale);
    bitmap->setScaleY(scale);
    bitmap->setX(x);
    bitmap->setY(y + 40);
    Lib::current()->addChild(bitmap);
    caption(name + ": " + std::to_string(w) + " x " + std::to_string(h) + " pixels", x, y);
}

void start() {
    examples::addExits();
    show(pngPath, 20, 20, 200);    // a PNG keeps its transparency
    show(jpegPath, 250, 20, 210);  // a JPEG is always opaque
}

}  // namespace

int main(int argc, char** argv) {
    const examples::About about{"display_images",
                                "Pictures loaded from a PNG and a JPEG file and shown as bitmaps.",
                                "[PNG [JPEG]]", 2};
    if (auto done = examples::commandLine(argc, argv, about)) return *done;
    if (argc > 1) pngPath = argv[1];
    if (argc > 2) jpegPath = argv[2];
    Lib::create(start, {.width = kWidth,
                        .height = kHeight,
                        .frameRate = 30.0,
                        .color = 0x264653,
                        .title = "display images"});
    return 0;
}
