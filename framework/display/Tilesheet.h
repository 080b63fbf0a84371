#pragma once
// One picture registered with the backend with a list of tiles (rectangles in
// the picture's pixels) cut from it; Graphics::drawTiles draws many tiles in
// one command. Tiles are numbered by the backend from 0 in the order added.
//
//   auto sheet = std::make_shared<Tilesheet>(picture);
//   sheet->addTileRect(std::make_shared<geom::Rectangle>(0, 0, 32, 32));  // tile 0

#include <memory>

#include "framework/display/BitmapData.h"
#include "framework/geom/Rectangle.h"
#include "runtime/Object.h"

namespace limn::display {

class Tilesheet : public rt::Object {
public:
    RT_DECLARE_CLASS

    // A picture without a native surface (or none) registers a null handle.
    explicit Tilesheet(std::shared_ptr<BitmapData> image);

    void addTileRect(const std::shared_ptr<geom::Rectangle>& rect);

    rt::Dynamic limnHandle;

    // The picture the tiles are cut from, kept alive by the sheet.
    [[nodiscard]] std::shared_ptr<BitmapData> limnGetBitmap() const { return limnBitmap; }

private:
    std::shared_ptr<BitmapData> limnBitmap;
};

}  // namespace limn::display
