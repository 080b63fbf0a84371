// BitmapData pixel operations on real surfaces.
#include <gtest/gtest.h>

#include <random>

#include "backend/image/ByteBuffer.h"
#include "backend/image/PixelOps.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Object.h"

namespace limn::sdl {
namespace {

std::shared_ptr<Surface> opaque(int w, int h, std::uint32_t argb = 0xFF000000) {
    return Surface::create(w, h, false, argb);
}

std::shared_ptr<Surface> clear(int w, int h) {
    return Surface::create(w, h, true, 0);
}

TEST(PixelOps, Pixel32RoundTripsExactlyWhenOpaque) {
    auto s = clear(4, 4);
    PixelOps::setPixel32(*s, 1, 2, 0xFF123456);
    EXPECT_EQ(PixelOps::getPixel32(*s, 1, 2), 0xFF123456u);
}

TEST(PixelOps, TranslucentPixelKeepsItsColourWithinRounding) {
    auto s = clear(1, 1);
    PixelOps::setPixel32(*s, 0, 0, 0x80336699);
    const std::uint32_t p = PixelOps::getPixel32(*s, 0, 0);
    EXPECT_EQ(p >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>(p >> 16 & 0xFF), 0x33, 1);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 0x99, 1);
}

TEST(PixelOps, OpaqueSurfacesStayOpaque) {
    auto s = opaque(2, 2);
    PixelOps::setPixel32(*s, 0, 0, 0x00FF0000);
    EXPECT_EQ(PixelOps::getPixel32(*s, 0, 0), 0xFFFF0000u);
}

TEST(PixelOps, SetPixelKeepsTheAlpha) {
    auto s = clear(1, 1);
    PixelOps::setPixel32(*s, 0, 0, 0x40000000);
    PixelOps::setPixel(*s, 0, 0, 0xFFFFFF);
    EXPECT_EQ(PixelOps::getPixel32(*s, 0, 0) >> 24, 0x40u);
}

TEST(PixelOps, OutsideReadsZeroAndWritesNothing) {
    auto s = opaque(2, 2, 0xFFFFFFFF);
    PixelOps::setPixel32(*s, -1, 0, 0xFF000000);
    PixelOps::setPixel32(*s, 2, 0, 0xFF000000);
    EXPECT_EQ(PixelOps::getPixel32(*s, 5, 5), 0u);
    EXPECT_EQ(PixelOps::colorBounds(*s, 0xFFFFFFFF, 0xFFFFFFFF, false).width, 0);
}

TEST(PixelOps, GetPixelsWritesARGBBytesRowByRow) {
    auto s = clear(3, 2);
    PixelOps::setPixel32(*s, 1, 0, 0xFF223344);
    PixelOps::setPixel32(*s, 0, 1, 0xFFAABBCC);
    std::vector<std::uint8_t> bytes(24);
    EXPECT_EQ(PixelOps::getPixels(*s, {0, 0, 3, 2}, bytes), 24u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 4, bytes.begin() + 8),
              (std::vector<std::uint8_t>{0xFF, 0x22, 0x33, 0x44}));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 12, bytes.begin() + 16),
              (std::vector<std::uint8_t>{0xFF, 0xAA, 0xBB, 0xCC}));
}

TEST(PixelOps, SetPixelsThenGetPixelsRoundTrips) {
    auto s = clear(5, 4);
    std::mt19937 random(1);
    std::vector<std::uint8_t> in(5 * 4 * 4);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = i % 4 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
    PixelOps::setPixels(*s, {0, 0, 5, 4}, in);
    std::vector<std::uint8_t> out(in.size());
    PixelOps::getPixels(*s, {0, 0, 5, 4}, out);
    EXPECT_EQ(in, out);
}

TEST(PixelOps, ShortBuffersStopWithoutOverrun) {
    auto s = opaque(4, 4, 0xFFFFFFFF);
    const std::vector<std::uint8_t> three{0xFF, 0, 0, 0, 0xFF, 0, 0};  // one pixel and a bit
    PixelOps::setPixels(*s, {0, 0, 4, 4}, three);
    EXPECT_EQ(PixelOps::getPixel32(*s, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelOps::getPixel32(*s, 1, 0), 0xFFFFFFFFu);
    std::vector<std::uint8_t> small(6);
    EXPECT_EQ(PixelOps::getPixels(*s, {0, 0, 4, 4}, small), 4u);
}

TEST(PixelOps, FillIsClippedToTheSurface) {
    auto s = opaque(4, 4);
    PixelOps::fill(*s, {2, 2, 100, 100}, 0xFF00FF00);
    EXPECT_EQ(PixelOps::getPixel32(*s, 3, 3), 0xFF00FF00u);
    EXPECT_EQ(PixelOps::getPixel32(*s, 1, 1), 0xFF000000u);
    PixelOps::fill(*s, {-10, -10, 5, 5}, 0xFFFFFFFF);  // wholly outside
    EXPECT_EQ(PixelOps::getPixel32(*s, 0, 0), 0xFF000000u);
}

TEST(PixelOps, CopyWithinOneSurfaceHandlesOverlap) {
    auto s = opaque(4, 1);
    for (int x = 0; x < 4; ++x)
        PixelOps::setPixel32(*s, x, 0, 0xFF000000u | static_cast<std::uint32_t>(x));
    PixelOps::copy(*s, {0, 0, 3, 1}, *s, 1, 0);
    EXPECT_EQ(PixelOps::getPixel32(*s, 1, 0) & 0xFF, 0u);
    EXPECT_EQ(PixelOps::getPixel32(*s, 2, 0) & 0xFF, 1u);
    EXPECT_EQ(PixelOps::getPixel32(*s, 3, 0) & 0xFF, 2u);
}

TEST(PixelOps, CopyClipsAtBothEnds) {
    auto from = opaque(4, 4, 0xFFFF0000);
    auto to = opaque(4, 4);
    PixelOps::copy(*from, {-2, -2, 4, 4}, *to, 3, 3);
    EXPECT_EQ(PixelOps::getPixel32(*to, 3, 3), 0xFF000000u)
        << "the part left of the source is not copied";
    PixelOps::copy(*from, {0, 0, 4, 4}, *to, 3, 3);
    EXPECT_EQ(PixelOps::getPixel32(*to, 3, 3), 0xFFFF0000u);
    EXPECT_EQ(PixelOps::getPixel32(*to, 2, 2), 0xFF000000u);
}

TEST(PixelOps, CopyChannelMovesOneChannel) {
    auto from = opaque(2, 2, 0xFF800000);
    auto to = clear(2, 2);
    PixelOps::fill(*to, {0, 0, 2, 2}, 0xFF00FF00);
    PixelOps::copyChannel(*from, {0, 0, 2, 2}, *to, 0, 0, 1, 8);  // red into alpha
    const std::uint32_t p = PixelOps::getPixel32(*to, 1, 1);
    EXPECT_EQ(p >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>(p >> 8 & 0xFF), 0xFF, 1);
}

TEST(PixelOps, ColourBoundsFindsTheBoxOfMatchingPixels) {
    auto s = opaque(10, 10);
    PixelOps::setPixel32(*s, 2, 3, 0xFFFF0000);
    PixelOps::setPixel32(*s, 6, 8, 0xFFFF0000);
    const PixelRect r = PixelOps::colorBounds(*s, 0xFFFFFFFF, 0xFFFF0000, true);
    EXPECT_EQ(r.x, 2);
    EXPECT_EQ(r.y, 3);
    EXPECT_EQ(r.width, 5);
    EXPECT_EQ(r.height, 6);
    const PixelRect notBlack = PixelOps::colorBounds(*s, 0x00FFFFFF, 0x000000, false);
    EXPECT_EQ(notBlack.width, 5);
}

TEST(PixelOps, ScrollMovesThePictureAndLeavesTheStrip) {
    auto s = opaque(3, 1);
    PixelOps::setPixel32(*s, 0, 0, 0xFFFF0000);
    PixelOps::scroll(*s, 1, 0);
    EXPECT_EQ(PixelOps::getPixel32(*s, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(PixelOps::getPixel32(*s, 0, 0), 0xFFFF0000u)
        << "the uncovered strip keeps its pixels";
    PixelOps::scroll(*s, 1000000, -1000000);  // far away: nothing to move
}

TEST(PixelOps, CloneIsIndependent) {
    auto s = opaque(2, 2, 0xFF0000FF);
    auto copy = PixelOps::clone(*s);
    PixelOps::setPixel32(*s, 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(PixelOps::getPixel32(*copy, 0, 0), 0xFF0000FFu);
    EXPECT_FALSE(copy->transparent());
}

TEST(PixelOps, TurningTransparencyOffMakesPixelsOpaque) {
    auto s = clear(1, 1);
    PixelOps::setPixel32(*s, 0, 0, 0x80FF0000);
    PixelOps::setTransparent(*s, false);
    EXPECT_EQ(PixelOps::getPixel32(*s, 0, 0) >> 24, 0xFFu);
    EXPECT_FALSE(s->transparent());
}

class PixelPrimitives : public ::testing::Test {
protected:
    void SetUp() override { registerPixelPrimitives(module); }
    rt::Dynamic call(const std::string& name, std::vector<rt::Dynamic> args,
                     bool variable = false) {
        auto fn = module.find(native::exportName(
            name, variable ? native::kVariableArgs : static_cast<int>(args.size())));
        EXPECT_TRUE(fn.has_value()) << name;
        if (!fn) return {};
        if (variable) {
            const rt::Dynamic packed[] = {rt::Dynamic(std::make_shared<rt::Array>(args))};
            return (*fn)(packed);
        }
        return (*fn)(args);
    }
    static rt::Dynamic rect(double x, double y, double w, double h) {
        return rt::props({{"x", x}, {"y", y}, {"width", w}, {"height", h}});
    }
    native::TableModule module;
};

TEST_F(PixelPrimitives, GetPixelsFillsAByteArrayBuffer) {
    auto s = Surface::create(2, 1, true, 0xFF102030);
    auto buffer = std::make_shared<ByteBuffer>(std::vector<std::uint8_t>(8));
    call("limn_bitmap_data_get_pixels", {s, rect(0, 0, 2, 1), buffer});
    EXPECT_EQ(buffer->bytes(),
              (std::vector<std::uint8_t>{0xFF, 0x10, 0x20, 0x30, 0xFF, 0x10, 0x20, 0x30}));
}

TEST_F(PixelPrimitives, ColoursCrossAsSignedInts) {
    auto s = Surface::create(1, 1, true, 0);
    call("limn_bitmap_data_set_pixel32", {s, 0, 0, static_cast<int>(0xFF00FF00)});
    EXPECT_EQ(call("limn_bitmap_data_get_pixel32", {s, 0, 0}).asInt(),
              static_cast<int>(0xFF00FF00));
    EXPECT_EQ(call("limn_bitmap_data_get_pixel", {s, 0, 0}).asInt(), 0x00FF00);
    call("limn_bitmap_data_fill", {s, rect(0, 0, 1, 1), 0x0000FF, 0x7F});
    EXPECT_EQ(call("limn_bitmap_data_get_pixel32", {s, 0, 0}).asInt() >> 24 & 0xFF, 0x7F);
}

TEST_F(PixelPrimitives, ColourBoundsFillsTheResultRectangle) {
    auto s = Surface::create(8, 8, true, 0);
    PixelOps::setPixel32(*s, 3, 4, 0xFFFFFFFF);
    auto result = rect(0, 0, 0, 0);
    call("limn_bitmap_data_get_color_bounds_rect",
         {s, static_cast<int>(0xFF000000), static_cast<int>(0xFF000000), true, result});
    EXPECT_EQ(field(result, "x").asInt(), 3);
    EXPECT_EQ(field(result, "y").asInt(), 4);
    EXPECT_EQ(field(result, "width").asInt(), 1);
}

TEST_F(PixelPrimitives, RenderSurfaceAppliesMatrixColourTransformAndClip) {
    auto target = Surface::create(10, 10, true, 0);
    auto red = Surface::create(2, 2, true, 0xFFFF0000);
    auto matrix =
        rt::props({{"a", 2.0}, {"b", 0.0}, {"c", 0.0}, {"d", 2.0}, {"tx", 4.0}, {"ty", 4.0}});
    auto toGreen = rt::props({{"redMultiplier", 0.0},
                              {"greenMultiplier", 1.0},
                              {"blueMultiplier", 1.0},
                              {"alphaMultiplier", 1.0},
                              {"redOffset", 0.0},
                              {"greenOffset", 255.0},
                              {"blueOffset", 0.0},
                              {"alphaOffset", 0.0}});
    call("limn_render_surface_to_surface",
         {target, red, matrix, toGreen, "normal", rect(0, 0, 7, 10), false}, true);
    EXPECT_EQ(PixelOps::getPixel32(*target, 4, 4), 0xFF00FF00u);
    EXPECT_EQ(PixelOps::getPixel32(*target, 6, 7), 0xFF00FF00u) << "scaled two times";
    EXPECT_EQ(PixelOps::getPixel32(*target, 7, 7), 0u) << "outside the clip";
    EXPECT_EQ(PixelOps::getPixel32(*target, 3, 3), 0u);
}

TEST_F(PixelPrimitives, RenderingASurfaceIntoItselfReadsACopy) {
    auto s = Surface::create(4, 1, true, 0);
    PixelOps::setPixel32(*s, 0, 0, 0xFFFF0000);
    auto shift =
        rt::props({{"a", 1.0}, {"b", 0.0}, {"c", 0.0}, {"d", 1.0}, {"tx", 1.0}, {"ty", 0.0}});
    call("limn_render_surface_to_surface", {s, s, shift, nullptr, nullptr, nullptr, false}, true);
    EXPECT_EQ(PixelOps::getPixel32(*s, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(PixelOps::getPixel32(*s, 2, 0), 0u);
}

TEST_F(PixelPrimitives, NullHandlesAreIgnored) {
    EXPECT_TRUE(call("limn_bitmap_data_get_pixel32", {nullptr, 0, 0}).isNull());
    call("limn_bitmap_data_copy", {nullptr, rect(0, 0, 1, 1), nullptr, nullptr});
    call("limn_bitmap_data_copy_channel", {nullptr, nullptr, nullptr, nullptr, 1, 2}, true);
    EXPECT_TRUE(call("limn_bitmap_data_clone", {nullptr}).isNull());
}

}  // namespace
}  // namespace limn::sdl
