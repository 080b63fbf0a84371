#pragma once
// The pixel surface behind a BitmapData handle: its own pixels in
// premultiplied ARGB32 (one uint32 per pixel, 0xAARRGGBB with the colour
// channels already multiplied by alpha), rows `stride()` bytes apart.
// A surface that is not transparent keeps every alpha byte at 0xFF.
//
// Sizes are 1..kMaxSide per side; anything else is refused (create() returns
// nullptr and allocates nothing). A null handle reads as size 0 and draws
// nothing.
//
// Before reading or writing pixels directly, call flush(): drawing a
// backend's views still hold is then in the pixels. After writing, call
// markDirty(): it tells the views and bumps version(), which caches derived
// from the pixels compare.
//
//   auto s = Surface::create(64, 32, true, 0x80FF0000);
//   uint32_t* row = s->row(3);

#include <atomic>
#include <cstdint>
#include <memory>

#include "runtime/Dynamic.h"

namespace limn::sdl {

class Surface final : public rt::NativeObject {
public:
    static constexpr int kMaxSide = 16384;

    // What a raster backend keeps beside the pixels (the desktop's cairo and
    // pixman images over the same memory): made on demand, owned by the
    // surface and gone before its pixels.
    class Views {
    public:
        virtual ~Views() = default;
        // Finishes drawing the views hold, so that the pixels show it.
        virtual void flush() {}
        // The pixels were changed directly.
        virtual void pixelsChanged() {}
    };

    // A new surface filled with `argb` (straight 0xAARRGGBB; the alpha is
    // forced to 0xFF when not transparent). nullptr for a refused size or
    // when memory runs out.
    static std::shared_ptr<Surface> create(int width, int height, bool transparent,
                                           std::uint32_t argb);
    // A surface on pixels kept by `views` (which frees them when it goes):
    // `data` holds `height` rows `stride` bytes apart. nullptr (and `views`
    // dropped) for a refused size or a stride shorter than a row.
    static std::shared_ptr<Surface> wrap(unsigned char* data, int width, int height, int stride,
                                         bool transparent, std::unique_ptr<Views> views);
    // The surface behind a handle value, or nullptr.
    static Surface* from(const rt::Dynamic& handle) { return handle.handleAs<Surface>(); }
    [[nodiscard]] static bool validSize(int width, int height) {
        return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide;
    }

    ~Surface() override;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] bool transparent() const { return transparent_; }
    void setTransparent(bool transparent) { transparent_ = transparent; }

    // The backend's views of the pixels, or nullptr before it made any.
    [[nodiscard]] Views* views() const { return views_.load(std::memory_order_acquire); }
    // Gives the surface its views unless it has some already (then `views` is
    // dropped). Safe from several threads at once: all get the same views.
    Views& setViews(std::unique_ptr<Views> views) const;
    // Drawing the views hold is in the pixels after this.
    void flush() const {
        if (Views* v = views()) v->flush();
    }
    [[nodiscard]] int stride() const { return stride_; }
    [[nodiscard]] std::uint32_t* row(int y) {
        return reinterpret_cast<std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
    }
    [[nodiscard]] const std::uint32_t* row(int y) const {
        return reinterpret_cast<const std::uint32_t*>(data_ +
                                                      static_cast<std::ptrdiff_t>(y) * stride_);
    }

    // Call after changing pixels directly.
    void markDirty();
    [[nodiscard]] std::uint64_t version() const { return version_; }
    // Marks the surface as one that display objects show (bitmap fills, tile
    // sheets): its changes then count in changes().
    void markShown() { shown_ = true; }
    // Bumped by markDirty() on any shown surface.
    [[nodiscard]] static std::uint64_t changes();

private:
    Surface(std::unique_ptr<unsigned char[]> own, unsigned char* data, int width, int height,
            int stride, bool transparent);

    // The pixels when the surface made them (else the views keep them).
    std::unique_ptr<unsigned char[]> own_;
    // Owned; deleted first, while the pixels they show remain.
    mutable std::atomic<Views*> views_{nullptr};
    unsigned char* data_;
    int width_;
    int height_;
    int stride_;
    bool transparent_;
    std::uint64_t version_ = 0;
    bool shown_ = false;
};

}  // namespace limn::sdl
