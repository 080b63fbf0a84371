#include "framework/display/BitmapData.h"

#include <gtest/gtest.h>

#include "framework/filters/DropShadowFilter.h"
#include "framework/utils/ByteArray.h"
#include "runtime/Error.h"
#include "tests/framework/display/drawing/DrawingTest.h"

namespace limn::display {
namespace {

using Args = std::vector<rt::Dynamic>;

class BitmapDataTest : public testing::DrawingTest {};

TEST_F(BitmapDataTest, ZeroOrNegativeSizeMakesNoSurface) {
    BitmapData flat(0, 10);
    BitmapData negative(-1, 5);
    EXPECT_TRUE(flat.limnHandle.isNull());
    EXPECT_TRUE(negative.limnHandle.isNull());
    EXPECT_TRUE(backend.calls().empty()) << "no primitive for an empty surface";
}

TEST_F(BitmapDataTest, AbsurdSizesAreLeftToTheBackend) {
    backend.answer("limn_bitmap_data_create", rt::Dynamic());
    BitmapData huge(1 << 30, 1 << 30);
    EXPECT_EQ(backend.count("limn_bitmap_data_create"), 1);
    EXPECT_TRUE(huge.limnHandle.isNull()) << "a refusal surfaces as a null handle";
}

TEST_F(BitmapDataTest, ColourHelpers) {
    EXPECT_EQ(BitmapData::createColor(0xFF0000), 0xFFFF0000u);
    EXPECT_EQ(BitmapData::createColor(0x01123456, 0x80), 0x81123456u) << "rgb is not masked";
    EXPECT_EQ(BitmapData::extractAlpha(0x80FF0000), 128) << "no sign extension";
    EXPECT_EQ(BitmapData::extractColor(0x80FF0000), 0xFF0000u);
    EXPECT_NE(BitmapData::WHITE, BitmapData::BLACK);
    EXPECT_EQ(BitmapData::CLEAR, 0u);
}

TEST_F(BitmapDataTest, LoadPassesTheNameAndKeepsWhateverComesBack) {
    auto bd = BitmapData::load("images/Logo.jpg");
    EXPECT_EQ(backend.callNames(), (std::vector<std::string>{"limn_bitmap_data_load"}));
    EXPECT_EQ(argsOf("limn_bitmap_data_load"), (Args{"images/Logo.jpg"}));
    ASSERT_NE(bd, nullptr) << "a failed load still returns an object";
    EXPECT_TRUE(bd->limnHandle.isNull());

    rt::Handle surface = backend.makeHandle();
    backend.answer("limn_bitmap_data_load", surface);
    EXPECT_EQ(BitmapData::load("x.png")->limnHandle, rt::Dynamic(surface));
}

TEST_F(BitmapDataTest, LoadFromBytesSendsTheBufferData) {
    auto bytes = std::make_shared<utils::ByteArray>(3);
    auto alpha = std::make_shared<utils::ByteArray>(1);
    auto bd = BitmapData::loadFromBytes(bytes);
    EXPECT_EQ(argsOf("limn_bitmap_data_from_bytes"), (Args{bytes->limnGetData(), rt::Dynamic()}));
    ASSERT_NE(bd, nullptr);
    EXPECT_TRUE(bd->limnHandle.isNull()) << "bytes that hold no image give a null surface";

    (void)BitmapData::loadFromBytes(bytes, alpha);
    EXPECT_EQ(argsOf("limn_bitmap_data_from_bytes"),
              (Args{bytes->limnGetData(), alpha->limnGetData()}));
}

TEST_F(BitmapDataTest, LoadFromNullBytesGivesANullSurfaceNotACrash) {
    auto bd = BitmapData::loadFromBytes(nullptr);
    EXPECT_TRUE(argsOf("limn_bitmap_data_from_bytes").at(0).isNull());
    EXPECT_TRUE(bd->limnHandle.isNull());
}

TEST_F(BitmapDataTest, LoadFromPlainBytesSendsTheBuffers) {
    auto bytes = std::make_shared<rt::Bytes>(std::vector<std::uint8_t>{1, 2, 3});
    (void)BitmapData::loadFromVexoBytes(bytes);
    Args args = argsOf("limn_bitmap_data_from_bytes");
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[0].handleAs<rt::Bytes>(), bytes.get());
    EXPECT_TRUE(args[1].isNull());
}

TEST_F(BitmapDataTest, DisposeDropsTheHandleWithoutACall) {
    BitmapData bd(2, 2);
    backend.clearCalls();
    bd.dispose();
    EXPECT_TRUE(bd.limnHandle.isNull());
    EXPECT_TRUE(backend.calls().empty());
}

TEST_F(BitmapDataTest, FillRectSplitsTheColourAndFillRectExDoesNot) {
    BitmapData bd(2, 2);
    auto r = std::make_shared<geom::Rectangle>(0, 0, 1, 1);
    bd.fillRect(r, 0x7F00FF00);
    EXPECT_EQ(argsOf("limn_bitmap_data_fill"), (Args{bd.limnHandle, r, 0x00FF00, 127}));
    bd.fillRectEx(r, 0x00FF00);
    EXPECT_EQ(argsOf("limn_bitmap_data_fill"), (Args{bd.limnHandle, r, 0x00FF00, 255}));
}

TEST_F(BitmapDataTest, CopyPixelsIgnoresTheAlphaArguments) {
    BitmapData dest(2, 2);
    auto source = std::make_shared<BitmapData>(2, 2);
    auto r = std::make_shared<geom::Rectangle>(0, 0, 2, 2);
    auto p = std::make_shared<geom::Point>(1, 1);
    dest.copyPixels(source, r, p, source, p, true);
    EXPECT_EQ(argsOf("limn_bitmap_data_copy"), (Args{source->limnHandle, r, dest.limnHandle, p}));
}

TEST_F(BitmapDataTest, PixelReadsTreatNullAsZero) {
    BitmapData bd(2, 2);
    EXPECT_EQ(bd.getPixel(0, 1), 0);
    EXPECT_EQ(bd.getPixel32(1, 0), 0u);
    EXPECT_EQ(argsOf("limn_bitmap_data_get_pixel32"), (Args{bd.limnHandle, 1, 0}));
    backend.answer("limn_bitmap_data_get_pixel32", static_cast<int>(0x80FF0000u));
    EXPECT_EQ(bd.getPixel32(0, 0), 0x80FF0000u);
}

TEST_F(BitmapDataTest, PixelWritesAreOneCallEach) {
    BitmapData bd(2, 2);
    backend.clearCalls();
    bd.lock();
    bd.setPixel(0, 1, 0xABCDEF);
    bd.setPixel32(1, 0, 0xFF000000);
    bd.unlock();
    EXPECT_EQ(backend.callNames(), (std::vector<std::string>{"limn_bitmap_data_set_pixel",
                                                             "limn_bitmap_data_set_pixel32"}));
    EXPECT_EQ(argsOf("limn_bitmap_data_set_pixel32"),
              (Args{bd.limnHandle, 1, 0, static_cast<int>(0xFF000000u)}));
}

TEST_F(BitmapDataTest, GetPixelsSizesTheBufferToTheWholeSurface) {
    BitmapData bd(3, 2);
    backend.answer("limn_bitmap_data_width", 3);
    backend.answer("limn_bitmap_data_height", 2);
    auto r = std::make_shared<geom::Rectangle>(0, 0, 1, 1);
    auto bytes = bd.getPixels(r);
    EXPECT_EQ(argsOf("limn_byte_array_create"), (Args{24}));
    EXPECT_EQ(argsOf("limn_bitmap_data_get_pixels"),
              (Args{bd.limnHandle, r, bytes->limnGetData()}));
}

TEST_F(BitmapDataTest, ColorBoundsAndFilterRectReturnTheRectangleTheBackendFilled) {
    BitmapData bd(4, 4);
    auto fill = [](int at) {
        return [at](rt::Args args) {
            args[at].as<geom::Rectangle>()->width = 7;
            return rt::Dynamic();
        };
    };
    backend.answerWith("limn_bitmap_data_get_color_bounds_rect", fill(4));
    backend.answerWith("limn_bitmap_data_generate_filter_rect", fill(2));

    auto bounds = bd.getColorBoundsRect(0xFF000000, 0);
    EXPECT_EQ(bounds->width, 7);
    EXPECT_EQ(argsOf("limn_bitmap_data_get_color_bounds_rect").at(3), rt::Dynamic(true));

    auto source = std::make_shared<geom::Rectangle>(0, 0, 4, 4);
    auto shadow = std::make_shared<filters::DropShadowFilter>();
    auto grown = bd.generateFilterRect(source, shadow);
    EXPECT_EQ(grown->width, 7);
    Args args = argsOf("limn_bitmap_data_generate_filter_rect");
    EXPECT_EQ((Args{args[0], args[1]}), (Args{source, shadow})) << "no surface handle involved";
}

TEST_F(BitmapDataTest, DrawAsksTheSourceToRenderIntoThisSurface) {
    BitmapData target(4, 4);
    auto source = std::make_shared<BitmapData>(2, 2);
    auto m = std::make_shared<geom::Matrix>();
    target.draw(source, m, nullptr, "ADD", nullptr, true);
    EXPECT_EQ(argsOf("limn_render_surface_to_surface"),
              (Args{target.limnHandle, source->limnHandle, m, rt::Dynamic(), "ADD", rt::Dynamic(),
                    true}));
}

TEST_F(BitmapDataTest, DrawOfNullSourceIsAClearError) {
    BitmapData target(4, 4);
    EXPECT_THROW(target.draw(nullptr), rt::Error);
}

TEST_F(BitmapDataTest, SizePropertiesAskEachTimeAndRectIsNew) {
    auto bd = std::make_shared<BitmapData>(2, 2);
    backend.answer("limn_bitmap_data_width", 30);
    backend.answer("limn_bitmap_data_height", 20);
    backend.answer("limn_bitmap_data_get_transparent", true);
    EXPECT_EQ(bd->get("width"), rt::Dynamic(30));
    EXPECT_EQ(bd->get("height"), rt::Dynamic(20));
    EXPECT_EQ(bd->get("transparent"), rt::Dynamic(true));
    auto r1 = bd->limnGetRect();
    auto r2 = bd->limnGetRect();
    EXPECT_NE(r1, r2);
    EXPECT_EQ(r1->width, 30);
    EXPECT_EQ(r1->height, 20);
    EXPECT_EQ(backend.count("limn_bitmap_data_width"), 3);
}

TEST_F(BitmapDataTest, SizeOfASurfaceWithoutAnswerReadsZero) {
    BitmapData bd(0, 0);
    EXPECT_EQ(bd.limnGetWidth(), 0);
    EXPECT_FALSE(bd.limnGetTransparent());
}

}  // namespace
}  // namespace limn::display
