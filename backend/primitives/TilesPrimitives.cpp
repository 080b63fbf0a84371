// Tile sheets and the drawing-list commands that draw many pictures at once:
// "limn_tilesheet_*", "limn_gfx_draw_tiles" and "limn_gfx_draw_triangles".
#include <cmath>

#include "backend/draw/TilesCommand.h"
#include "backend/draw/TrianglesCommand.h"
#include "backend/primitives/Primitives.h"

namespace limn::sdl {

namespace {

// Numbers of an array value (non-numbers read as 0); empty for anything else.
std::vector<double> numbers(const rt::Dynamic& value) {
    std::vector<double> out;
    if (auto list = value.asArray()) {
        out.reserve(list->size());
        for (const rt::Dynamic& v : *list) out.push_back(v.asFloat());
    }
    return out;
}

rt::Dynamic createSheet(const native::wire::limn_tilesheet_create::Args& a) {
    return std::make_shared<TilesSheet>(std::dynamic_pointer_cast<Surface>(a.bitmap.asHandle()));
}

void addRect(TilesSheet& sheet, const native::wire::limn_tilesheet_add_rect::Args& a) {
    sheet.addTile(Bounds::of(fieldNumber(a.rect, "x"), fieldNumber(a.rect, "y"),
                             fieldNumber(a.rect, "width"), fieldNumber(a.rect, "height")));
}

void drawTiles(DrawingList& list, const native::wire::limn_gfx_draw_tiles::Args& a) {
    auto sheet = std::dynamic_pointer_cast<TilesSheet>(a.sheet.asHandle());
    if (sheet) list.add(std::make_shared<TilesCommand>(sheet, numbers(a.data)));
}

// graphics, vertices, indices, uvt data, culling (-1, 0 or 1).
void drawTriangles(DrawingList& list, const native::wire::limn_gfx_draw_triangles::Args& a) {
    list.add(std::make_shared<TrianglesCommand>(numbers(a.vertices), numbers(a.indices),
                                                numbers(a.uvtData),
                                                a.culling > 0   ? 1
                                                : a.culling < 0 ? -1
                                                                : 0));
}

}  // namespace

namespace {

constexpr void handleTilesPart(auto& module) {
    native::handle<native::wire::limn_tilesheet_create>(module, createSheet);
    native::handle<native::wire::limn_tilesheet_add_rect>(module, addRect);
    native::handle<native::wire::limn_gfx_draw_tiles>(module, drawTiles);
    native::handle<native::wire::limn_gfx_draw_triangles>(module, drawTriangles);
}

}  // namespace

void registerTilesPrimitives(native::TableModule& module) {
    handleTilesPart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Tiles>([](auto& m) { handleTilesPart(m); }));

}  // namespace limn::sdl
