#include "framework/display/Tilesheet.h"

#include "native/Call.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_tilesheet_create> sheetCreate;
const native::Call<native::wire::limn_tilesheet_add_rect> sheetAddRect;

}  // namespace

const rt::ClassInfo& Tilesheet::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.Tilesheet", &rt::Object::staticClass())
            .readOnly<&Tilesheet::limnHandle>("limnHandle")
            .field<&Tilesheet::limnBitmap>("limnBitmap")
            .method<&Tilesheet::addTileRect>("addTileRect");
    return info;
}

Tilesheet::Tilesheet(std::shared_ptr<BitmapData> image) : limnBitmap(std::move(image)) {
    limnHandle = sheetCreate({.bitmap = limnBitmap ? limnBitmap->limnHandle : rt::Dynamic()});
}

void Tilesheet::addTileRect(const std::shared_ptr<geom::Rectangle>& rect) {
    sheetAddRect({.sheet = limnHandle, .rect = rect});
}

}  // namespace limn::display
