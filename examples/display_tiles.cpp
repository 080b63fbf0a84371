// A tile sheet: one picture holding several tiles, cut into numbered
// rectangles once; Graphics::drawTiles then draws a whole map of them in one
// command, from a list of x, y and tile number. The picture here is painted
// pixel by pixel (grass, water, sand, a tree); a real game would load it
// with BitmapData::load. Every half second the water tiles swap with their
// second frame, which redraws the map from the same sheet.
// Run: ./build/examples/display_tiles   (Escape or the window's button closes it)
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/BitmapData.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Shape.h"
#include "framework/display/Tilesheet.h"

using namespace limn;

namespace {

constexpr int kTile = 32, kColumns = 12, kRows = 8;
enum Tile { GRASS, WATER, SAND, TREE, WATER2 };

// The map, one letter a tile: . grass, ~ water, : sand, T tree.
const char* const kMap[kRows] = {
    "....T....~~~", "..T.....:~~~", "......::~~~~", "~~:..:::~~~:",
    "~~~::..T..::", "~~~:....T...", "~~::..T.....", "~::.........",
};

// The colour of pixel (x, y) of tile `t`, 0xAARRGGBB.
std::uint32_t tilePixel(int t, int x, int y) {
    const bool speck = (x * 7 + y * 13) % 11 == 0;
    switch (t) {
        case GRASS:
            return speck ? 0xFF5E9E3Au : 0xFF6AB04Cu;
        case SAND:
            return speck ? 0xFFD8B26Eu : 0xFFE9C98Bu;
        case TREE: {
            const int dx = x - 16, dy = y - 13;
            if (dx * dx + dy * dy < 110) return 0xFF2D6A2Eu;
            if (x >= 14 && x < 18 && y >= 20 && y < 30) return 0xFF7A4E2Du;
            return tilePixel(GRASS, x, y);
        }
        default: {  // two frames of water: the waves sit a few pixels apart
            const int shift = t == WATER ? 0 : 4;
            return (x + 2 * ((y + shift) % 8)) % 16 < 3 ? 0xFF8EC9F0u : 0xFF3A86C8u;
        }
    }
}

// The sheet's picture: the five tiles side by side.
std::shared_ptr<display::Tilesheet> makeSheet() {
    auto picture = std::make_shared<display::BitmapData>(5 * kTile, kTile, false);
    for (int t = 0; t < 5; ++t)
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x)
                picture->setPixel32(t * kTile + x, y, tilePixel(t, x, y));
    auto sheet = std::make_shared<display::Tilesheet>(picture);
    // Tile numbers follow the order of addTileRect: 0 is the first rectangle.
    for (int t = 0; t < 5; ++t)
        sheet->addTileRect(std::make_shared<geom::Rectangle>(t * kTile, 0, kTile, kTile));
    return sheet;
}

Tile tileAt(char c, bool secondFrame) {
    switch (c) {
        case '~':
            return secondFrame ? WATER2 : WATER;
        case ':':
            return SAND;
        case 'T':
            return TREE;
        default:
            return GRASS;
    }
}

// The whole map as one list of x, y, tile triples.
void drawMap(display::Shape& map, const std::shared_ptr<display::Tilesheet>& sheet,
             bool secondFrame) {
    std::vector<int> data;
    data.reserve(3 * kRows * kColumns);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            data.push_back(col * kTile);
            data.push_back(row * kTile);
            data.push_back(static_cast<int>(tileAt(kMap[row][col], secondFrame)));
        }
    }
    map.graphics()->clear();
    map.graphics()->drawTiles(sheet, data);
}

void start() {
    examples::addExits();
    auto sheet = makeSheet();
    auto map = std::make_shared<display::Shape>();
    Lib::current()->addChild(map);
    drawMap(*map, sheet, false);

    auto flip = std::make_shared<bool>(false);
    Timer::every(500, [map, sheet, flip] {
        *flip = !*flip;
        drawMap(*map, sheet, *flip);
    });
}

}  // namespace

int main(int argc, char** argv) {
    const examples::About about{"display_tiles", "A tile map drawn from one tile sheet."};
    if (auto done = examples::commandLine(argc, argv, about)) return *done;
    Lib::create(start, {.width = kColumns * kTile,
                        .height = kRows * kTile,
                        .frameRate = 30.0,
                        .color = 0x000000,
                        .title = "display tiles"});
    return 0;
}
