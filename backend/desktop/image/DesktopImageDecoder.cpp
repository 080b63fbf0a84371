// The desktop's picture decoder: cairo's PNG reader, which decodes straight into
// the surface's memory, and SDL_image for JPEG, GIF and BMP.
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "backend/desktop/raster/SurfaceViews.h"
#include "backend/image/ImageDecoder.h"
#include "backend/image/ImageLoader.h"

namespace limn::sdl {

namespace {

// Premultiplies the straight ARGB pixels of `out` where they are. `alpha`,
// when long enough, replaces the alpha channel first.
void premultiplyInPlace(Surface& out, const std::uint8_t* alpha, std::size_t alphaSize) {
    const int w = out.width(), h = out.height();
    const bool useAlpha =
        alpha && alphaSize >= static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[x];
            std::uint32_t a = p >> 24;
            if (useAlpha) a = alpha[static_cast<std::size_t>(y) * w + x];
            if (!out.transparent()) a = 0xFF;
            auto mul = [a](std::uint32_t v) { return (v * a + 127) / 255; };
            row[x] = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) |
                     mul(p & 0xFF);
        }
    }
    out.markDirty();
}

// Back to straight colours, in place (for replacing the alpha channel).
void unpremultiplyInPlace(Surface& out) {
    for (int y = 0; y < out.height(); ++y) {
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            const std::uint32_t p = row[x], a = p >> 24;
            auto un = [a](std::uint32_t v) {
                return a ? std::min<std::uint32_t>(255, (v * 255 + a / 2) / a) : 0;
            };
            row[x] = (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) |
                     un(p & 0xFF);
        }
    }
}

struct PngReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    static cairo_status_t read(void* self, unsigned char* buffer, unsigned int length) {
        auto* r = static_cast<PngReader*>(self);
        if (r->size - r->at < length) return CAIRO_STATUS_READ_ERROR;
        std::memcpy(buffer, r->data + r->at, length);
        r->at += length;
        return CAIRO_STATUS_SUCCESS;
    }
};

const cairo_user_data_key_t kPixelOwner{};

// Cairo reads pictures without alpha as RGB24; surfaces are always ARGB32.
// The same pixels get an opaque alpha byte and are seen as ARGB32, no copy.
cairo_surface_t* opaqueToArgb(cairo_surface_t* s) {
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_format(s) != CAIRO_FORMAT_RGB24) {
        return s;
    }
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < h; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x) row[x] |= 0xFF000000u;
    }
    cairo_surface_t* out =
        cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, w, h, stride);
    // The new surface owns the decoded one, whose memory it shows.
    if (cairo_surface_status(out) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(out, &kPixelOwner, s, [](void* owned) {
            cairo_surface_destroy(static_cast<cairo_surface_t*>(owned));
        }) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(out);
        cairo_surface_destroy(s);
        return nullptr;
    }
    return out;
}

std::shared_ptr<Surface> decodePng(const std::uint8_t* d, std::size_t n, const std::uint8_t* alpha,
                                   std::size_t alphaSize) {
    PngReader reader{d, n};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(&PngReader::read, &reader);
    auto surface = SurfaceViews::adopt(opaqueToArgb(s), ImageLoader::pngHasAlpha(d, n) || alpha);
    if (!surface || !alpha) return surface;
    // Rare: a separate alpha plane; through straight colours once, in place.
    unpremultiplyInPlace(*surface);
    premultiplyInPlace(*surface, alpha, alphaSize);
    return surface;
}

SDL_Surface* decodeByType(ImageFormat format, const std::uint8_t* d, std::size_t n) {
    SDL_RWops* rw = SDL_RWFromConstMem(d, static_cast<int>(n));
    if (!rw) return nullptr;
    // Each decoder only for the format its header was checked as.
    SDL_Surface* decoded = nullptr;
    if (format == ImageFormat::Jpeg) {
        decoded = IMG_LoadJPG_RW(rw);
    } else if (format == ImageFormat::Gif) {
        decoded = IMG_LoadGIF_RW(rw);
    } else if (format == ImageFormat::Bmp) {
        decoded = IMG_LoadBMP_RW(rw);
    }
    SDL_RWclose(rw);
    return decoded;
}

std::shared_ptr<Surface> decodeWithSdl(ImageFormat format, const std::uint8_t* d, std::size_t n,
                                       const std::uint8_t* alpha, std::size_t alphaSize) {
    SDL_Surface* decoded = decodeByType(format, d, n);
    if (!decoded) return nullptr;
    std::shared_ptr<Surface> out;
    if (Surface::validSize(decoded->w, decoded->h)) {
        const bool hasAlpha = decoded->format->Amask != 0 || SDL_HasColorKey(decoded) || alpha;
        out = Surface::create(decoded->w, decoded->h, hasAlpha, 0);
    }
    // Converted straight into the surface's memory: keyed pixels are skipped
    // by the copy and stay clear, the others come out straight ARGB.
    SDL_Surface* target =
        out ? SDL_CreateRGBSurfaceWithFormatFrom(out->row(0), out->width(), out->height(), 32,
                                                 out->stride(), SDL_PIXELFORMAT_ARGB8888)
            : nullptr;
    bool copied = false;
    if (target) {
        SDL_SetSurfaceBlendMode(decoded, SDL_BLENDMODE_NONE);
        copied = SDL_BlitSurface(decoded, nullptr, target, nullptr) == 0;
        SDL_FreeSurface(target);
    }
    SDL_FreeSurface(decoded);
    if (!copied) return nullptr;
    premultiplyInPlace(*out, alpha, alphaSize);
    return out;
}

}  // namespace

std::shared_ptr<Surface> ImageDecoder::decode(ImageFormat format, const std::uint8_t* data,
                                              std::size_t size, const std::uint8_t* alpha,
                                              std::size_t alphaSize, std::string& reason) {
    if (format == ImageFormat::Png) {
        auto surface = decodePng(data, size, alpha, alphaSize);
        if (!surface) reason = "damaged PNG data";
        return surface;
    }
    SDL_ClearError();
    auto surface = decodeWithSdl(format, data, size, alpha, alphaSize);
    if (!surface) reason = *SDL_GetError() ? SDL_GetError() : "the picture does not decode";
    return surface;
}

}  // namespace limn::sdl
