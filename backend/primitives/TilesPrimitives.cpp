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

rt::Dynamic createSheet(rt::Args a) {
    return std::make_shared<TilesSheet>(std::dynamic_pointer_cast<Surface>(arg(a, 0).asHandle()));
}

rt::Dynamic addRect(rt::Args a) {
    TilesSheet* sheet = TilesSheet::from(arg(a, 0));
    const rt::Dynamic& r = arg(a, 1);
    if (sheet) {
        sheet->addTile(Bounds::of(fieldNumber(r, "x"), fieldNumber(r, "y"), fieldNumber(r, "width"),
                                  fieldNumber(r, "height")));
    }
    return {};
}

rt::Dynamic drawTiles(rt::Args a) {
    DrawingList* list = DrawingList::from(arg(a, 0));
    auto sheet = std::dynamic_pointer_cast<TilesSheet>(arg(a, 1).asHandle());
    if (list && sheet) list->add(std::make_shared<TilesCommand>(sheet, numbers(arg(a, 2))));
    return {};
}

// graphics, vertices, indices, uvt data, culling (-1, 0 or 1).
rt::Dynamic drawTriangles(rt::Args a) {
    DrawingList* list = DrawingList::from(arg(a, 0));
    if (!list) return {};
    const int culling = argInt(a, 4);
    list->add(std::make_shared<TrianglesCommand>(numbers(arg(a, 1)), numbers(arg(a, 2)),
                                                 numbers(arg(a, 3)),
                                                 culling > 0   ? 1
                                                 : culling < 0 ? -1
                                                               : 0));
    return {};
}

}  // namespace

void registerTilesPrimitives(native::TableModule& module) {
    module.add("limn_tilesheet_create", 1, createSheet);
    module.add("limn_tilesheet_add_rect", 2, addRect);
    module.add("limn_gfx_draw_tiles", 3, drawTiles);
    module.add("limn_gfx_draw_triangles", 5, drawTriangles);
}

}  // namespace limn::sdl
