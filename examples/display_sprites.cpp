// Sprite benchmark: N balls (one shared picture, N Bitmaps) bounce around the
// stage; the frames per second are printed once a second and shown on top.
// The stage asks for 240 frames a second, so the count shows what the machine
// really manages.
// Run: ./build/examples/display_sprites [N]   (N from 1 to 100000, default 1000)
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Bitmap.h"
#include "framework/display/MovieClip.h"
#include "framework/text/TextField.h"

using namespace limn;

namespace {

constexpr int kWidth = 480, kHeight = 480, kSize = 16;
constexpr int kMaxCount = 100000;

struct Ball {
    std::shared_ptr<display::Bitmap> bitmap;
    double x, y, dx, dy;  // pixels, pixels per frame
};
std::vector<Ball> balls;
std::shared_ptr<text::TextField> label;
int frames = 0, since = 0;  // frames counted since `since` (ms)

// One picture for every ball: a disc with a soft edge, drawn pixel by pixel.
std::shared_ptr<display::BitmapData> ballPicture() {
    auto pixels = std::make_shared<display::BitmapData>(kSize, kSize, true, 0u);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double inside =
                kSize / 2.0 - std::hypot(x + 0.5 - kSize / 2.0, y + 0.5 - kSize / 2.0);
            const auto alpha = static_cast<std::uint32_t>(std::clamp(inside, 0.0, 1.0) * 255);
            pixels->setPixel32(x, y, alpha << 24 | (0x40 + 8 * x) << 16 | 0x60D0);
        }
    }
    return pixels;
}

void moveBalls() {
    for (auto& b : balls) {
        b.x += b.dx;
        b.y += b.dy;
        if (b.x < 0 || b.x > kWidth - kSize) b.dx = -b.dx;
        if (b.y < 0 || b.y > kHeight - kSize) b.dy = -b.dy;
        b.bitmap->setX(b.x);
        b.bitmap->setY(b.y);
    }
}

// Once a second: report the rate and start counting again.
void countFrame() {
    ++frames;
    const int now = Lib::getTimer();
    if (now - since < 1000) return;
    const double fps = frames * 1000.0 / (now - since);
    std::printf("%zu sprites: %.1f fps\n", balls.size(), fps);
    std::fflush(stdout);
    label->setText(std::to_string(balls.size()) + " sprites: " + std::to_string(std::lround(fps)) +
                   " fps");
    frames = 0;
    since = now;
}

void start(int count) {
    examples::addExits();
    auto picture = ballPicture();
    std::mt19937 generator(1);  // the same scene every run
    auto random = [&generator] { return std::uniform_real_distribution<double>()(generator); };
    for (int i = 0; i < count; ++i) {
        Ball b{std::make_shared<display::Bitmap>(picture), random() * (kWidth - kSize),
               random() * (kHeight - kSize), random() * 6 - 3, random() * 6 - 3};
        Lib::current()->addChild(b.bitmap);
        balls.push_back(b);
    }
    label = std::make_shared<text::TextField>();
    label->setWidth(kWidth);
    label->setHeight(22);
    label->setBackground(true);
    Lib::current()->addChild(label);
    since = Lib::getTimer();
    Lib::stage()->on(events::Event::ENTER_FRAME, [] {
        moveBalls();
        countFrame();
    });
}

// The count given on the command line: a whole number from 1 to 100000.
std::optional<int> spriteCount(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || value < 1 || value > kMaxCount) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace

int main(int argc, char** argv) {
    const examples::About about{"display_sprites",
                                "A benchmark: N bitmaps bouncing, frames per second printed once "
                                "a second (N from 1 to 100000, default 1000).",
                                "[N]", 1};
    if (auto done = examples::commandLine(argc, argv, about)) return *done;
    const std::optional<int> count = argc > 1 ? spriteCount(argv[1]) : 1000;
    if (!count) {
        std::fprintf(stderr, "display_sprites: N must be a whole number from 1 to %d, not \"%s\"\n",
                     kMaxCount, argv[1]);
        return 2;
    }
    Lib::create([n = *count] { start(n); }, {.width = kWidth,
                                             .height = kHeight,
                                             .frameRate = 240.0,
                                             .color = 0x101820,
                                             .title = "display sprites"});
    return 0;
}
