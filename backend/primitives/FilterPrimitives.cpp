// The filter primitive. Filters are the
// framework's filter records, read by field name.
#include "backend/draw/FilterEffects.h"
#include "backend/primitives/Primitives.h"

namespace limn::sdl {

namespace {

// source rectangle, filter, result rectangle (filled in place).
void generateFilterRect(const native::wire::limn_bitmap_data_generate_filter_rect::Args& a) {
    const Bounds area =
        Bounds::of(fieldNumber(a.sourceRect, "x"), fieldNumber(a.sourceRect, "y"),
                   fieldNumber(a.sourceRect, "width"), fieldNumber(a.sourceRect, "height"));
    const Bounds grown = FilterEffects::growOne(area, a.filter);
    setField(a.into, "x", grown.empty() ? 0.0 : grown.x0);
    setField(a.into, "y", grown.empty() ? 0.0 : grown.y0);
    setField(a.into, "width", grown.width());
    setField(a.into, "height", grown.height());
}

}  // namespace

namespace {

constexpr void handleFilterPart(auto& module) {
    native::handle<native::wire::limn_bitmap_data_generate_filter_rect>(module, generateFilterRect);
}

}  // namespace

void registerFilterPrimitives(native::TableModule& module) {
    handleFilterPart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Filters>([](auto& m) {
    handleFilterPart(m);
}));

}  // namespace limn::sdl
