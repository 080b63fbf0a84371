#include "framework/display/Bitmap.h"

#include "framework/display/Graphics.h"
#include "native/Call.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_create_display_object> createDisplayObject;

}  // namespace

const rt::ClassInfo& Bitmap::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.Bitmap", &DisplayObject::staticClass())
            .property<&Bitmap::limnGetBitmapData, &Bitmap::limnSetBitmapData>("bitmapData")
            .property<&Bitmap::byNameGetPixelSnapping, &Bitmap::byNameSetPixelSnapping>(
                "pixelSnapping")
            .field<&Bitmap::smoothing>("smoothing")
            .method<&Bitmap::limnSetBitmapData>("limnSetBitmapData");
    return info;
}

Bitmap::Bitmap(std::shared_ptr<BitmapData> bitmapData, std::optional<PixelSnapping> pixelSnapping,
               bool smoothing)
    : DisplayObject(createDisplayObject()), pixelSnapping(pixelSnapping), smoothing(smoothing) {
    limnSetBitmapData(bitmapData);
}

std::shared_ptr<BitmapData> Bitmap::limnSetBitmapData(
    const std::shared_ptr<BitmapData>& bitmapData) {
    auto g = limnGetGraphics();
    g->clear();
    this->bitmapData = bitmapData;
    if (bitmapData) {
        g->beginBitmapFill(bitmapData, nullptr, false, smoothing);
        g->drawRect(0, 0, bitmapData->limnGetWidth(), bitmapData->limnGetHeight());
        g->endFill();
    }
    return bitmapData;
}

rt::Dynamic Bitmap::byNameGetPixelSnapping() const {
    return pixelSnapping ? rt::Dynamic(static_cast<int>(*pixelSnapping)) : rt::Dynamic();
}

void Bitmap::byNameSetPixelSnapping(const rt::Dynamic& value) {
    if (value.isNull()) {
        pixelSnapping.reset();
    } else {
        pixelSnapping = rt::fromDynamic<PixelSnapping>(value);
    }
}

}  // namespace limn::display
