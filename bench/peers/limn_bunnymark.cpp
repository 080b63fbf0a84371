// The bunnymark in limn, through the public API as a game writes it: a
// 640 x 480 window, one BitmapData shared by N Bitmaps moved (and, rotated,
// turned and sized) in an enterFrame listener; the stage asks for 1000 frames
// a second, so nothing waits between frames.
// Run: limn_bunnymark straight|rotated N
#include "Bunnymark.h"
#include "backend/primitives/Primitives.h"
#include "framework/Lib.h"
#include "framework/display/Bitmap.h"
#include "framework/display/BitmapData.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "runtime/Function.h"

using namespace limn;

namespace {

struct Scene {
    bunnymark::Args args;
    std::vector<bunnymark::Sprite> sprites;
    std::vector<std::shared_ptr<display::Bitmap>> shown;
    bunnymark::Timing timing;

    void start() {
        auto picture = std::make_shared<display::BitmapData>(bunnymark::kSpriteW,
                                                             bunnymark::kSpriteH, true, 0u);
        for (int y = 0; y < bunnymark::kSpriteH; ++y) {
            for (int x = 0; x < bunnymark::kSpriteW; ++x)
                picture->setPixel32(x, y, bunnymark::pixel(x, y));
        }
        sprites = bunnymark::sprites(args.count);
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            shown.push_back(std::make_shared<display::Bitmap>(picture, std::nullopt, args.rotated));
            Lib::current()->addChild(shown.back());
        }
        Lib::stage()->addEventListener(events::Event::ENTER_FRAME,
                                       rt::function([this] { frame(); }));
    }

    void frame() {
        if (!timing.frame()) {
            Lib::close();
            return;
        }
        bunnymark::step(sprites, args.rotated);
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            const auto& s = sprites[i];
            auto& b = *shown[i];
            b.limnSetX(bunnymark::shownX(s, args.rotated));
            b.limnSetY(bunnymark::shownY(s, args.rotated));
            if (!args.rotated) continue;
            b.limnSetRotation(s.degrees);
            b.limnSetScaleX(s.scale);
            b.limnSetScaleY(s.scale);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    static Scene scene;
    if (!bunnymark::parse(argc, argv, scene.args)) {
        std::fprintf(stderr, "usage: limn_bunnymark straight|rotated N\n");
        return 2;
    }
    sdl::registerModule();
    Lib::create(rt::function([] { scene.start(); }), bunnymark::kWidth, bunnymark::kHeight, 1000.0,
                0xFFFFFF, 0, "limn bunnymark");
    return 0;
}
