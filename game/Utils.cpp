#include "game/Utils.h"

#include <cmath>

#include "framework/display/Bitmap.h"
#include "framework/display/BitmapData.h"
#include "framework/display/Sprite.h"
#include "framework/utils/ByteArray.h"
#include "runtime/Log.h"
#include "runtime/ProcessState.h"

namespace com::quillfern {

using limn::display::Bitmap;
using limn::display::BitmapData;

Utils::Cache Utils::loadGraphicCache;

namespace {

// A picture that doesn't load leaves a blank area, as it always has; this
// says which file it was and why, through the diagnostics.
void reportUnloaded(const std::string& path, const limn::utils::ByteArray& bytes) {
    const char* why = "it is not a PNG, JPEG, GIF or BMP picture that decodes";
    if (bytes.limnGetData().isNull()) {
        why = "the file is missing or cannot be read";
    } else if (bytes.limnGetLength() == 0) {
        why = "the file is empty";
    }
    rt::log::error("picture \"" + path + "\" not loaded: " + why);
}

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered =
    rt::registerReset(rt::ResetLayer::Game, [] { Utils::loadGraphicCache.clear(); });

std::shared_ptr<BitmapData> decode(const std::string& path) {
    auto bytes = limn::utils::ByteArray::readFile(path);
    auto image = BitmapData::loadFromBytes(bytes);
    if (image->limnHandle.isNull()) reportUnloaded(path, *bytes);
    return image;
}

std::string twoDigits(long long value) {
    std::string text = std::to_string(value);
    if (text.size() <= 1) text.insert(0, "0");
    return text;
}

}  // namespace

std::shared_ptr<limn::display::DisplayObject> Utils::loadGraphic(const std::string& path,
                                                                 bool wrapInSprite, bool useCache) {
    std::shared_ptr<BitmapData> image;
    if (useCache) {
        auto found = loadGraphicCache.find(path);
        if (found == loadGraphicCache.end()) {
            found = loadGraphicCache.emplace(path, decode(path)).first;
        }
        image = found->second;
    } else {
        image = decode(path);
    }
    auto bitmap = std::make_shared<Bitmap>(image);
    if (!wrapInSprite) return bitmap;
    auto sprite = std::make_shared<limn::display::Sprite>();
    sprite->addChild(bitmap);
    return sprite;
}

double Utils::addIncrement(double current, double target, double ratio, double minimum) {
    if (current == target) return current;
    double step = (target - current) * ratio;
    if (std::fabs(step) < minimum) step = step < 0 ? -minimum : minimum;
    const double next = current + step;
    if ((current > target && next < target) || (current < target && next > target)) {
        return target;
    }
    return next;
}

std::string Utils::convertTimeToString(int milliseconds) {
    const auto seconds = static_cast<long long>(std::floor(milliseconds / 1000.0 + 0.5));
    const auto minutes = static_cast<long long>(std::floor(static_cast<double>(seconds) / 60.0));
    const long long rest = seconds - minutes * 60;
    return twoDigits(minutes) + ":" + twoDigits(rest);
}

}  // namespace com::quillfern
