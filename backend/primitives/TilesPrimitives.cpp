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

rt::Dynamic createSheet(const rt::Dynamic& bitmap) {
    return std::make_shared<TilesSheet>(std::dynamic_pointer_cast<Surface>(bitmap.asHandle()));
}

void addRect(TilesSheet& sheet, const rt::Dynamic& r) {
    sheet.addTile(Bounds::of(fieldNumber(r, "x"), fieldNumber(r, "y"), fieldNumber(r, "width"),
                             fieldNumber(r, "height")));
}

void drawTiles(DrawingList& list, const rt::Dynamic& sheetHandle, const rt::Dynamic& data) {
    auto sheet = std::dynamic_pointer_cast<TilesSheet>(sheetHandle.asHandle());
    if (sheet) list.add(std::make_shared<TilesCommand>(sheet, numbers(data)));
}

// graphics, vertices, indices, uvt data, culling (-1, 0 or 1).
void drawTriangles(DrawingList& list, const rt::Dynamic& vertices, const rt::Dynamic& indices,
                   const rt::Dynamic& uvt, int culling) {
    list.add(std::make_shared<TrianglesCommand>(numbers(vertices), numbers(indices), numbers(uvt),
                                                culling > 0   ? 1
                                                : culling < 0 ? -1
                                                              : 0));
}

}  // namespace

void registerTilesPrimitives(native::TableModule& module) {
    native::handle<native::wire::limn_tilesheet_create>(module, createSheet);
    native::handle<native::wire::limn_tilesheet_add_rect>(module, addRect);
    native::handle<native::wire::limn_gfx_draw_tiles>(module, drawTiles);
    native::handle<native::wire::limn_gfx_draw_triangles>(module, drawTriangles);
}

}  // namespace limn::sdl
