#pragma once
// Front for a native pixel surface. Every operation is one primitive call on
// `limnHandle`; no pixels are kept on this side. Sizes are in pixels; 32-bit
// colours are 0xAARRGGBB, 24-bit ones 0xRRGGBB.
//
// `limnHandle` is null for a surface of zero size, after dispose(), or when the
// backend made none (a file that could not be read or decoded). Loading never
// throws: callers that must know test the handle. A null handle is passed on to
// the backend unchanged.
//
//   auto picture = BitmapData::load("images/Mole.png");
//   if (picture->limnHandle.isNull()) { /* missing or undecodable */ }

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "framework/display/IBitmapDrawable.h"
#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "runtime/Accessors.h"
#include "runtime/Bytes.h"
#include "runtime/Object.h"

namespace limn::filters {
class BitmapFilter;
}
namespace limn::utils {
class ByteArray;
}

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_BITMAP_DATA_PROPERTIES(RW, RO) \
    RO(width, Width)                        \
    RO(height, Height)                      \
    RO(transparent, Transparent)            \
    RO(rect, Rect)

namespace limn::display {

class BitmapData : public rt::Object, public IBitmapDrawable {
public:
    RT_DECLARE_CLASS

    // Creation flags.
    static constexpr int TRANSPARENT = 1;
    static constexpr int HARDWARE = 2;
    // Colours.
    static constexpr std::uint32_t CLEAR = 0;
    static constexpr std::uint32_t BLACK = 0xFF000000;
    static constexpr std::uint32_t WHITE = 0xFFFFFFFF;
    static constexpr std::uint32_t RED = 0xFFFF0000;
    static constexpr std::uint32_t GREEN = 0xFF00FF00;
    static constexpr std::uint32_t BLUE = 0xFF0000FF;

    // A width or height below 1 makes no native surface. Without a fill colour
    // the surface is opaque white; a fill colour without an alpha byte
    // (0xFF0000) is fully transparent.
    BitmapData(int width, int height, bool transparent = true,
               std::optional<std::uint32_t> fillColor = std::nullopt);

    [[nodiscard]] static std::shared_ptr<BitmapData> load(const std::string& fileName);
    [[nodiscard]] static std::shared_ptr<BitmapData> loadFromBytes(
        const std::shared_ptr<utils::ByteArray>& bytes,
        const std::shared_ptr<utils::ByteArray>& rawAlpha = nullptr);
    [[nodiscard]] static std::shared_ptr<BitmapData> loadFromVexoBytes(
        const std::shared_ptr<rt::Bytes>& bytes,
        const std::shared_ptr<rt::Bytes>& rawAlpha = nullptr);
    // rgb is not masked: its own top byte is or-ed with alpha's.
    [[nodiscard]] static std::uint32_t createColor(std::uint32_t rgb, std::uint32_t alpha = 0xFF);
    [[nodiscard]] static int extractAlpha(std::uint32_t argb);
    [[nodiscard]] static std::uint32_t extractColor(std::uint32_t argb);

    void clear(std::uint32_t color);
    [[nodiscard]] std::shared_ptr<BitmapData> clone() const;
    // The alpha arguments are accepted and ignored.
    void copyPixels(const std::shared_ptr<BitmapData>& sourceBitmapData,
                    const std::shared_ptr<geom::Rectangle>& sourceRect,
                    const std::shared_ptr<geom::Point>& destPoint,
                    const std::shared_ptr<BitmapData>& alphaBitmapData = nullptr,
                    const std::shared_ptr<geom::Point>& alphaPoint = nullptr,
                    bool mergeAlpha = false);
    void copyChannel(const std::shared_ptr<BitmapData>& sourceBitmapData,
                     const std::shared_ptr<geom::Rectangle>& sourceRect,
                     const std::shared_ptr<geom::Point>& destPoint, int sourceChannel,
                     int destChannel);
    // Drops the native surface; nothing else releases it.
    void dispose();
    // The source renders itself into this surface. Throws rt::Error when it is null.
    void draw(const std::shared_ptr<IBitmapDrawable>& source,
              const std::shared_ptr<geom::Matrix>& matrix = nullptr,
              const std::shared_ptr<geom::ColorTransform>& colorTransform = nullptr,
              const rt::Dynamic& blendMode = {},
              const std::shared_ptr<geom::Rectangle>& clipRect = nullptr, bool smoothing = false);
    void fillRect(const std::shared_ptr<geom::Rectangle>& rect, std::uint32_t color);
    void fillRectEx(const std::shared_ptr<geom::Rectangle>& rect, int color, int alpha = 0xFF);
    [[nodiscard]] std::shared_ptr<geom::Rectangle> getColorBoundsRect(std::uint32_t mask,
                                                                      std::uint32_t color,
                                                                      bool findColor = true);
    // A buffer the size of the whole surface (4 bytes a pixel), whatever `rect` is.
    [[nodiscard]] std::shared_ptr<utils::ByteArray> getPixels(
        const std::shared_ptr<geom::Rectangle>& rect);
    [[nodiscard]] int getPixel(int x, int y) const;
    [[nodiscard]] std::uint32_t getPixel32(int x, int y) const;
    void lock() {}
    void scroll(int x, int y);
    void setPixel32(int x, int y, std::uint32_t color);
    void setPixel(int x, int y, int color);
    // How far `filter` grows `sourceRect`; this surface is not involved.
    [[nodiscard]] std::shared_ptr<geom::Rectangle> generateFilterRect(
        const std::shared_ptr<geom::Rectangle>& sourceRect,
        const std::shared_ptr<filters::BitmapFilter>& filter);
    void setPixels(const std::shared_ptr<geom::Rectangle>& rect,
                   const std::shared_ptr<utils::ByteArray>& bytes);
    void unlock() {}
    void limnDrawToSurface(const rt::Dynamic& surface, const std::shared_ptr<geom::Matrix>& matrix,
                           const std::shared_ptr<geom::ColorTransform>& colorTransform,
                           const rt::Dynamic& blendMode,
                           const std::shared_ptr<geom::Rectangle>& clipRect,
                           bool smoothing) override;
    void setFlags(int flags);

    [[nodiscard]] std::shared_ptr<geom::Rectangle> limnGetRect() const;
    [[nodiscard]] int limnGetWidth() const;
    [[nodiscard]] int limnGetHeight() const;
    [[nodiscard]] bool limnGetTransparent() const;
    LIMN_BITMAP_DATA_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)

    rt::Dynamic limnHandle;

private:
    // An empty front; the loading functions fill in the handle.
    [[nodiscard]] static std::shared_ptr<BitmapData> withHandle(rt::Dynamic handle);
};

}  // namespace limn::display
