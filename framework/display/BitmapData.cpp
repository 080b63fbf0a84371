#include "framework/display/BitmapData.h"

#include <cstdint>

#include "framework/filters/BitmapFilter.h"
#include "framework/utils/ByteArray.h"
#include "native/Call.h"
#include "runtime/Error.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_bitmap_data_create> surfaceCreate;
const native::Call<native::wire::limn_bitmap_data_load> surfaceLoad;
const native::Call<native::wire::limn_bitmap_data_from_bytes> surfaceFromBytes;
const native::Call<native::wire::limn_bitmap_data_clone> surfaceClone;
const native::Call<native::wire::limn_bitmap_data_clear> surfaceClear;
const native::Call<native::wire::limn_bitmap_data_fill> surfaceFill;
const native::Call<native::wire::limn_bitmap_data_copy> surfaceCopy;
const native::Call<native::wire::limn_bitmap_data_copy_channel> surfaceCopyChannel;
const native::Call<native::wire::limn_bitmap_data_get_pixels> surfaceGetPixels;
const native::Call<native::wire::limn_bitmap_data_set_bytes> surfaceSetBytes;
const native::Call<native::wire::limn_bitmap_data_get_pixel> surfaceGetPixel;
const native::Call<native::wire::limn_bitmap_data_get_pixel32> surfaceGetPixel32;
const native::Call<native::wire::limn_bitmap_data_set_pixel> surfaceSetPixel;
const native::Call<native::wire::limn_bitmap_data_set_pixel32> surfaceSetPixel32;
const native::Call<native::wire::limn_bitmap_data_get_color_bounds_rect> surfaceColorBounds;
const native::Call<native::wire::limn_bitmap_data_scroll> surfaceScroll;
const native::Call<native::wire::limn_bitmap_data_generate_filter_rect> surfaceFilterRect;
const native::Call<native::wire::limn_render_surface_to_surface> surfaceRender;
const native::Call<native::wire::limn_bitmap_data_width> surfaceWidth;
const native::Call<native::wire::limn_bitmap_data_height> surfaceHeight;
const native::Call<native::wire::limn_bitmap_data_get_transparent> surfaceTransparent;
const native::Call<native::wire::limn_bitmap_data_set_flags> surfaceSetFlags;
// Resolved with the others so the backend's table is checked, but never called.
const native::Call<native::wire::limn_bitmap_data_get_pixel_rgba> surfaceGetPixelRGBA;
const native::Call<native::wire::limn_bitmap_data_set_pixel_rgba> surfaceSetPixelRGBA;

template <class T>
rt::Dynamic handleOf(const std::shared_ptr<T>& object) {
    return object ? object->limnHandle : rt::Dynamic();
}

rt::Dynamic dataOf(const std::shared_ptr<utils::ByteArray>& bytes) {
    return bytes ? bytes->limnGetData() : rt::Dynamic();
}

}  // namespace

const rt::ClassInfo& BitmapData::staticClass() {
    using Self = BitmapData;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.BitmapData", &rt::Object::staticClass())
            .readOnly<&BitmapData::limnHandle>("limnHandle")
                LIMN_BITMAP_DATA_PROPERTIES(RT_BIND_RW, RT_BIND_RO)
            .method<&BitmapData::clone>("clone")
            .method<&BitmapData::dispose>("dispose")
            .method<&BitmapData::lock>("lock")
            .method<&BitmapData::unlock>("unlock")
            .method<&BitmapData::clear>("clear")
            .method<&BitmapData::fillRect>("fillRect")
            .method<&BitmapData::getPixel>("getPixel")
            .method<&BitmapData::getPixel32>("getPixel32")
            .method<&BitmapData::setPixel>("setPixel")
            .method<&BitmapData::setPixel32>("setPixel32")
            .method<&BitmapData::scroll>("scroll")
            .method<&BitmapData::setFlags>("setFlags")
            .method<&BitmapData::limnGetRect>("limnGetRect")
            .method<&BitmapData::limnGetWidth>("limnGetWidth")
            .method<&BitmapData::limnGetHeight>("limnGetHeight")
            .method<&BitmapData::limnGetTransparent>("limnGetTransparent");
    return info;
}

BitmapData::BitmapData(int width, int height, bool transparent,
                       std::optional<std::uint32_t> fillColor) {
    std::uint32_t rgb = 0xFFFFFF;
    int alpha = 0xFF;
    if (fillColor) {
        rgb = extractColor(*fillColor);
        alpha = extractAlpha(*fillColor);
    }
    if (width < 1 || height < 1) return;
    int flags = HARDWARE | (transparent ? TRANSPARENT : 0);
    limnHandle = surfaceCreate(
        {.width = width, .height = height, .flags = flags, .rgb = rgb, .alpha = alpha});
}

std::shared_ptr<BitmapData> BitmapData::withHandle(rt::Dynamic handle) {
    auto result = std::make_shared<BitmapData>(0, 0);
    result->limnHandle = std::move(handle);
    return result;
}

std::shared_ptr<BitmapData> BitmapData::load(const std::string& fileName) {
    return withHandle(surfaceLoad({.path = fileName}));
}

std::shared_ptr<BitmapData> BitmapData::loadFromBytes(
    const std::shared_ptr<utils::ByteArray>& bytes,
    const std::shared_ptr<utils::ByteArray>& rawAlpha) {
    return withHandle(surfaceFromBytes({.bytes = dataOf(bytes), .rawAlpha = dataOf(rawAlpha)}));
}

std::shared_ptr<BitmapData> BitmapData::loadFromVexoBytes(
    const std::shared_ptr<rt::Bytes>& bytes, const std::shared_ptr<rt::Bytes>& rawAlpha) {
    return withHandle(surfaceFromBytes({.bytes = bytes, .rawAlpha = rawAlpha}));
}

std::uint32_t BitmapData::createColor(std::uint32_t rgb, std::uint32_t alpha) {
    return rgb | alpha << 24;
}

int BitmapData::extractAlpha(std::uint32_t argb) {
    return static_cast<int>(argb >> 24);
}

std::uint32_t BitmapData::extractColor(std::uint32_t argb) {
    return argb & 0xFFFFFF;
}

void BitmapData::clear(std::uint32_t color) {
    surfaceClear({.bitmap = limnHandle, .color = color});
}

std::shared_ptr<BitmapData> BitmapData::clone() const {
    return withHandle(surfaceClone({.bitmap = limnHandle}));
}

void BitmapData::copyPixels(const std::shared_ptr<BitmapData>& sourceBitmapData,
                            const std::shared_ptr<geom::Rectangle>& sourceRect,
                            const std::shared_ptr<geom::Point>& destPoint,
                            const std::shared_ptr<BitmapData>& /*alphaBitmapData*/,
                            const std::shared_ptr<geom::Point>& /*alphaPoint*/,
                            bool /*mergeAlpha*/) {
    surfaceCopy({.source = handleOf(sourceBitmapData),
                 .sourceRect = sourceRect,
                 .target = limnHandle,
                 .destPoint = destPoint});
}

void BitmapData::copyChannel(const std::shared_ptr<BitmapData>& sourceBitmapData,
                             const std::shared_ptr<geom::Rectangle>& sourceRect,
                             const std::shared_ptr<geom::Point>& destPoint, int sourceChannel,
                             int destChannel) {
    surfaceCopyChannel({.source = handleOf(sourceBitmapData),
                        .sourceRect = sourceRect,
                        .target = limnHandle,
                        .destPoint = destPoint,
                        .sourceChannel = sourceChannel,
                        .destChannel = destChannel});
}

void BitmapData::dispose() {
    limnHandle = nullptr;
}

void BitmapData::draw(const std::shared_ptr<IBitmapDrawable>& source,
                      const std::shared_ptr<geom::Matrix>& matrix,
                      const std::shared_ptr<geom::ColorTransform>& colorTransform,
                      const rt::Dynamic& blendMode,
                      const std::shared_ptr<geom::Rectangle>& clipRect, bool smoothing) {
    if (!source) throw rt::Error("draw: source is null");
    source->limnDrawToSurface(limnHandle, matrix, colorTransform, blendMode, clipRect, smoothing);
}

void BitmapData::fillRect(const std::shared_ptr<geom::Rectangle>& rect, std::uint32_t color) {
    surfaceFill({.bitmap = limnHandle,
                 .rect = rect,
                 .color = extractColor(color),
                 .alpha = extractAlpha(color)});
}

void BitmapData::fillRectEx(const std::shared_ptr<geom::Rectangle>& rect, int color, int alpha) {
    surfaceFill({.bitmap = limnHandle, .rect = rect, .color = color, .alpha = alpha});
}

std::shared_ptr<geom::Rectangle> BitmapData::getColorBoundsRect(std::uint32_t mask,
                                                                std::uint32_t color,
                                                                bool findColor) {
    auto result = std::make_shared<geom::Rectangle>();
    surfaceColorBounds({.bitmap = limnHandle,
                        .mask = mask,
                        .color = color,
                        .findColor = findColor,
                        .into = result});
    return result;
}

std::shared_ptr<utils::ByteArray> BitmapData::getPixels(
    const std::shared_ptr<geom::Rectangle>& rect) {
    // 64-bit so that an absurd surface size reaches the backend instead of overflowing here.
    std::int64_t size = std::int64_t{limnGetWidth()} * limnGetHeight() * 4;
    auto bytes = std::make_shared<utils::ByteArray>(rt::Dynamic(size));
    surfaceGetPixels({.bitmap = limnHandle, .rect = rect, .bytes = bytes->limnGetData()});
    return bytes;
}

int BitmapData::getPixel(int x, int y) const {
    return surfaceGetPixel({.bitmap = limnHandle, .x = x, .y = y});
}

std::uint32_t BitmapData::getPixel32(int x, int y) const {
    return static_cast<std::uint32_t>(surfaceGetPixel32({.bitmap = limnHandle, .x = x, .y = y}));
}

void BitmapData::scroll(int x, int y) {
    surfaceScroll({.bitmap = limnHandle, .x = x, .y = y});
}

void BitmapData::setPixel32(int x, int y, std::uint32_t color) {
    surfaceSetPixel32({.bitmap = limnHandle, .x = x, .y = y, .color = color});
}

void BitmapData::setPixel(int x, int y, int color) {
    surfaceSetPixel({.bitmap = limnHandle, .x = x, .y = y, .color = color});
}

std::shared_ptr<geom::Rectangle> BitmapData::generateFilterRect(
    const std::shared_ptr<geom::Rectangle>& sourceRect,
    const std::shared_ptr<filters::BitmapFilter>& filter) {
    auto result = std::make_shared<geom::Rectangle>();
    surfaceFilterRect({.sourceRect = sourceRect, .filter = filter, .into = result});
    return result;
}

void BitmapData::setPixels(const std::shared_ptr<geom::Rectangle>& rect,
                           const std::shared_ptr<utils::ByteArray>& bytes) {
    surfaceSetBytes({.bitmap = limnHandle, .rect = rect, .bytes = dataOf(bytes)});
}

void BitmapData::limnDrawToSurface(const rt::Dynamic& surface,
                                   const std::shared_ptr<geom::Matrix>& matrix,
                                   const std::shared_ptr<geom::ColorTransform>& colorTransform,
                                   const rt::Dynamic& blendMode,
                                   const std::shared_ptr<geom::Rectangle>& clipRect,
                                   bool smoothing) {
    surfaceRender({.target = surface,
                   .source = limnHandle,
                   .matrix = matrix,
                   .colorTransform = colorTransform,
                   .blendMode = blendMode,
                   .clipRect = clipRect,
                   .smoothing = smoothing});
}

void BitmapData::setFlags(int flags) {
    surfaceSetFlags({.bitmap = limnHandle, .flags = flags});
}

std::shared_ptr<geom::Rectangle> BitmapData::limnGetRect() const {
    return std::make_shared<geom::Rectangle>(0, 0, limnGetWidth(), limnGetHeight());
}

int BitmapData::limnGetWidth() const {
    return surfaceWidth({.bitmap = limnHandle});
}

int BitmapData::limnGetHeight() const {
    return surfaceHeight({.bitmap = limnHandle});
}

bool BitmapData::limnGetTransparent() const {
    return surfaceTransparent({.bitmap = limnHandle});
}

}  // namespace limn::display
