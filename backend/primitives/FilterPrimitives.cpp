// The filter primitive. Filters are the
// framework's filter records, read by field name.
#include "backend/draw/FilterEffects.h"
#include "backend/primitives/Primitives.h"

namespace limn::sdl {

namespace {

// source rectangle, filter, result rectangle (filled in place).
void generateFilterRect(const rt::Dynamic& source, const rt::Dynamic& filter,
                        const rt::Dynamic& result) {
    const Bounds area = Bounds::of(fieldNumber(source, "x"), fieldNumber(source, "y"),
                                   fieldNumber(source, "width"), fieldNumber(source, "height"));
    const Bounds grown = FilterEffects::growOne(area, filter);
    setField(result, "x", grown.empty() ? 0.0 : grown.x0);
    setField(result, "y", grown.empty() ? 0.0 : grown.y0);
    setField(result, "width", grown.width());
    setField(result, "height", grown.height());
}

}  // namespace

void registerFilterPrimitives(native::TableModule& module) {
    native::handle<native::wire::limn_bitmap_data_generate_filter_rect>(module, generateFilterRect);
}

}  // namespace limn::sdl
