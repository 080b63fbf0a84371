// Tile sheets and triangles drawn through the drawing list.
#include <gtest/gtest.h>

#include <cmath>

#include "backend/draw/TilesCommand.h"
#include "backend/draw/TrianglesCommand.h"
#include "backend/image/PixelOps.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Object.h"
#include "tests/backend/Pixels.h"

namespace limn::sdl {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;

// 4 x 2 pixels: red on the left half, blue on the right.
std::shared_ptr<Surface> redBlue() {
    auto s = Surface::create(4, 2, true, kRed);
    PixelOps::fill(*s, {2, 0, 2, 2}, kBlue);
    return s;
}

class DrawingCommands : public ::testing::Test {
protected:
    void SetUp() override {
        registerTilesPrimitives(module);
        shape = std::make_shared<SceneNode>(NodeKind::Shape);
        root = std::make_shared<SceneNode>(NodeKind::Container);
        root->addChild(shape);
    }
    rt::Dynamic call(const std::string& name, std::vector<rt::Dynamic> args) {
        auto fn = module.find(native::exportName(name, static_cast<int>(args.size())));
        EXPECT_TRUE(fn.has_value()) << name;
        return fn ? (*fn)(args) : rt::Dynamic();
    }
    static rt::Dynamic rect(double x, double y, double w, double h) {
        return rt::props({{"x", x}, {"y", y}, {"width", w}, {"height", h}});
    }
    static rt::Dynamic list(std::initializer_list<double> values) {
        auto a = std::make_shared<rt::Array>();
        for (double v : values) a->emplace_back(v);
        return a;
    }
    void bitmapFill(const std::shared_ptr<Surface>& picture, bool repeat = false) {
        FillStyle fill;
        fill.kind = FillKind::Bitmap;
        fill.bitmap = picture;
        fill.repeat = repeat;
        shape->graphics().beginFill(fill);
    }
    std::uint32_t pixel(int x, int y) {
        if (!frame) frame = limn::testing::render(*root, 40, 40);
        return PixelOps::getPixel32(*frame, x, y);
    }

    native::TableModule module;
    std::shared_ptr<SceneNode> shape;
    std::shared_ptr<SceneNode> root;
    std::shared_ptr<Surface> frame;
};

TEST_F(DrawingCommands, TilesLandWhereTheDataSays) {
    auto picture = redBlue();
    auto sheet = call("limn_tilesheet_create", {picture});
    call("limn_tilesheet_add_rect", {sheet, rect(0, 0, 2, 2)});
    call("limn_tilesheet_add_rect", {sheet, rect(2, 0, 2, 2)});
    bitmapFill(picture);
    call("limn_gfx_draw_tiles", {shape->graphicsHandle(), sheet, list({10, 10, 1, 20, 5, 0})});
    EXPECT_EQ(pixel(10, 10), kBlue);
    EXPECT_EQ(pixel(11, 11), kBlue);
    EXPECT_EQ(pixel(12, 10), 0u) << "a tile is only as wide as its rectangle";
    EXPECT_EQ(pixel(20, 5), kRed);
    EXPECT_EQ(pixel(21, 6), kRed);
    EXPECT_EQ(pixel(0, 0), 0u);
}

TEST_F(DrawingCommands, BadGroupsDrawNothingAndTheRestStill) {
    auto picture = redBlue();
    auto sheet = std::make_shared<TilesSheet>(picture);
    sheet->addTile(Bounds::of(0, 0, 2, 2));
    const std::vector<double> data{5, 5, 7, NAN, 1, 0, 30, 30, -1, 8, 8, 0, 1, 2};
    TilesCommand tiles(sheet, data);
    EXPECT_EQ(tiles.bounds().x0, 8);
    EXPECT_EQ(tiles.bounds().x1, 10);
    EXPECT_TRUE(tiles.hit(9, 9));
    EXPECT_FALSE(tiles.hit(5, 5));
}

TEST_F(DrawingCommands, SheetWithoutAPictureDrawsNothing) {
    auto sheet = call("limn_tilesheet_create", {nullptr});
    ASSERT_TRUE(sheet.isHandle());
    call("limn_tilesheet_add_rect", {sheet, rect(0, 0, 2, 2)});
    call("limn_gfx_draw_tiles", {shape->graphicsHandle(), sheet, list({1, 1, 0})});
    EXPECT_EQ(pixel(1, 1), 0u);
}

TEST_F(DrawingCommands, TrianglesFillWithTheOpenSolidFill) {
    shape->graphics().beginFill(0x00FF00, 1.0);
    call("limn_gfx_draw_triangles", {shape->graphicsHandle(), list({0, 0, 20, 0, 20, 20, 0, 20}),
                                     list({0, 1, 2, 0, 2, 3}), nullptr, 0});
    EXPECT_EQ(pixel(5, 15), 0xFF00FF00u);
    EXPECT_EQ(pixel(15, 5), 0xFF00FF00u);
    EXPECT_EQ(pixel(25, 5), 0u);
}

TEST_F(DrawingCommands, CullingLeavesOutOneWinding) {
    const std::vector<double> clockwise{0, 0, 20, 0, 0, 20};
    EXPECT_EQ(TrianglesCommand(clockwise, {}, {}, 0).triangles(), 1u);
    shape->graphics().beginFill(0x00FF00, 1.0);
    shape->graphics().add(std::make_shared<TrianglesCommand>(clockwise, std::vector<double>{},
                                                             std::vector<double>{}, 1));
    EXPECT_EQ(pixel(3, 3), 0u) << "clockwise triangles are culled by 1";
    frame.reset();
    shape->graphics().add(std::make_shared<TrianglesCommand>(clockwise, std::vector<double>{},
                                                             std::vector<double>{}, -1));
    EXPECT_EQ(pixel(3, 3), 0xFF00FF00u) << "and kept by -1";
}

TEST_F(DrawingCommands, UvDataMapsTheBitmapOntoTheTriangles) {
    bitmapFill(redBlue());
    // A 20 x 10 rectangle showing the whole picture, then one showing it mirrored.
    call("limn_gfx_draw_triangles", {shape->graphicsHandle(), list({0, 0, 20, 0, 20, 10, 0, 10}),
                                     list({0, 1, 2, 0, 2, 3}), list({0, 0, 1, 0, 1, 1, 0, 1}), 0});
    call("limn_gfx_draw_triangles", {shape->graphicsHandle(), list({0, 20, 20, 20, 20, 30, 0, 30}),
                                     list({0, 1, 2, 0, 2, 3}), list({1, 0, 0, 0, 0, 1, 1, 1}), 0});
    EXPECT_EQ(pixel(3, 5), kRed);
    EXPECT_EQ(pixel(16, 5), kBlue);
    EXPECT_EQ(pixel(3, 25), kBlue) << "mirrored u";
    EXPECT_EQ(pixel(16, 25), kRed);
}

TEST_F(DrawingCommands, BadIndicesAndCoordinatesAreSkipped) {
    TrianglesCommand t({0, 0, 10, 0, 0, 10, NAN, 1}, {0, 1, 2, 0, 1, 9, 0, 1, 3, -1, 0, 1}, {}, 0);
    EXPECT_EQ(t.triangles(), 1u);
    EXPECT_TRUE(t.hit(2, 2));
    EXPECT_FALSE(t.hit(9, 9));
    TrianglesCommand none({1, 2, 3}, {}, {0.5}, 0);
    EXPECT_EQ(none.triangles(), 0u);
    EXPECT_TRUE(none.bounds().empty());
}

}  // namespace
}  // namespace limn::sdl
