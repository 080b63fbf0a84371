// The filter primitive. Filters are the
// framework's filter records, read by field name.
#include "backend/draw/FilterEffects.h"
#include "backend/primitives/Primitives.h"

namespace limn::sdl {

namespace {

// source rectangle, filter, result rectangle (filled in place).
rt::Dynamic generateFilterRect(rt::Args a) {
    const rt::Dynamic& source = arg(a, 0);
    const Bounds area = Bounds::of(fieldNumber(source, "x"), fieldNumber(source, "y"),
                                   fieldNumber(source, "width"), fieldNumber(source, "height"));
    const Bounds grown = FilterEffects::growOne(area, arg(a, 1));
    const rt::Dynamic& result = arg(a, 2);
    setField(result, "x", grown.empty() ? 0.0 : grown.x0);
    setField(result, "y", grown.empty() ? 0.0 : grown.y0);
    setField(result, "width", grown.width());
    setField(result, "height", grown.height());
    return {};
}

}  // namespace

void registerFilterPrimitives(native::TableModule& module) {
    module.add("limn_bitmap_data_generate_filter_rect", 3, generateFilterRect);
}

}  // namespace limn::sdl
