#pragma once
// The game's asset and number helpers. Static only.
//
// loadGraphic turns an image file into a new display object: a Bitmap, or a
// Sprite whose only child is that Bitmap (a sprite takes presses and holds
// further children). With the cache on, each path is read and decoded once
// per process and every bitmap of that path shares the one BitmapData; a
// file that could not be read or decoded is cached too (a BitmapData without
// a native surface), so it is not tried again.
//
//   auto mole = Utils::loadGraphic("images/Mole.png");
//   auto splash = Utils::loadGraphic("images/SplashScreen.png", true);

#include <memory>
#include <string>
#include <unordered_map>

namespace limn::display {
class BitmapData;
class DisplayObject;
}  // namespace limn::display

namespace com::quillfern {

class Utils {
public:
    using Cache = std::unordered_map<std::string, std::shared_ptr<limn::display::BitmapData>>;

    Utils() = delete;

    // Decoded images by the exact path text they were loaded from; never pruned,
    // replaceable by assignment.
    static Cache loadGraphicCache;

    static std::shared_ptr<limn::display::DisplayObject> loadGraphic(const std::string& path,
                                                                     bool wrapInSprite = false,
                                                                     bool useCache = true);
    // One step from current towards target: the fraction `ratio` of the distance
    // left, at least `minimum`, never past target.
    [[nodiscard]] static double addIncrement(double current, double target, double ratio,
                                             double minimum = 0);
    // Milliseconds as minutes and seconds, rounded to the nearest second:
    // 65000 gives "01:05"; minutes are not limited to two digits.
    [[nodiscard]] static std::string convertTimeToString(int milliseconds);
};

}  // namespace com::quillfern
