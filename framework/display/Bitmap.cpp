#include "framework/display/Bitmap.h"

#include "framework/display/Graphics.h"
#include "native/Call.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_create_display_object> createDisplayObject;

}  // namespace

const rt::ClassInfo& Bitmap::staticClass() {
    using Self = Bitmap;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.Bitmap", &DisplayObject::staticClass())
            LIMN_BITMAP_PROPERTIES(RT_BIND_RW, RT_BIND_RO)
                .property<&Bitmap::byNameGetPixelSnapping, &Bitmap::byNameSetPixelSnapping>(
                    "pixelSnapping")
                .field<&Bitmap::smoothing_>("smoothing")
                .method<&Bitmap::limnSetBitmapData>("limnSetBitmapData");
    return info;
}

Bitmap::Bitmap(std::shared_ptr<BitmapData> bitmapData, std::optional<PixelSnapping> pixelSnapping,
               bool smoothing)
    : DisplayObject(createDisplayObject()), pixelSnapping_(pixelSnapping), smoothing_(smoothing) {
    limnSetBitmapData(bitmapData);
}

std::shared_ptr<BitmapData> Bitmap::limnSetBitmapData(
    const std::shared_ptr<BitmapData>& bitmapData) {
    auto g = limnGetGraphics();
    g->clear();
    bitmapData_ = bitmapData;
    if (bitmapData) {
        g->beginBitmapFill(bitmapData, nullptr, false, smoothing_);
        g->drawRect(0, 0, bitmapData->limnGetWidth(), bitmapData->limnGetHeight());
        g->endFill();
    }
    return bitmapData;
}

rt::Dynamic Bitmap::byNameGetPixelSnapping() const {
    return pixelSnapping_ ? rt::Dynamic(static_cast<int>(*pixelSnapping_)) : rt::Dynamic();
}

std::shared_ptr<Bitmap> Bitmap::fromFile(const std::string& path) {
    return std::make_shared<Bitmap>(BitmapData::load(path), std::nullopt, true);
}

void Bitmap::byNameSetPixelSnapping(const rt::Dynamic& value) {
    if (value.isNull()) {
        pixelSnapping_.reset();
    } else {
        pixelSnapping_ = rt::fromDynamic<PixelSnapping>(value);
    }
}

}  // namespace limn::display
