#include "backend/image/ImageLoader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "backend/image/ByteBuffer.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}
int be16(const std::uint8_t* p) {
    return (p[0] << 8) | p[1];
}
int le16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}
std::int32_t le32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                     (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
}

bool isPng(const std::uint8_t* d, std::size_t n) {
    static const std::uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return n >= 33 && std::memcmp(d, sig, 8) == 0 && std::memcmp(d + 12, "IHDR", 4) == 0;
}

ImageLoader::Size jpegSize(const std::uint8_t* d, std::size_t n) {
    std::size_t i = 2;
    while (i + 4 <= n) {
        if (d[i] != 0xFF) return {};
        const int marker = d[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        const int length = be16(d + i + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > n) return {};
            return {be16(d + i + 7), be16(d + i + 5)};
        }
        if (length < 2) return {};
        i += 2 + static_cast<std::size_t>(length);
    }
    return {};
}

void premultiplyInto(const SDL_Surface* argb, Surface& out, const std::uint8_t* alpha,
                     std::size_t alphaSize) {
    const bool useAlpha =
        alpha && alphaSize >= static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h);
    for (int y = 0; y < argb->h; ++y) {
        const auto* in =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                   static_cast<std::ptrdiff_t>(y) * argb->pitch);
        std::uint32_t* to = out.row(y);
        for (int x = 0; x < argb->w; ++x) {
            std::uint32_t p = in[x];
            std::uint32_t a = p >> 24;
            if (useAlpha) a = alpha[static_cast<std::size_t>(y) * argb->w + x];
            if (!out.transparent()) a = 0xFF;
            auto mul = [a](std::uint32_t v) { return (v * a + 127) / 255; };
            to[x] = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) |
                    mul(p & 0xFF);
        }
    }
    out.markDirty();
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

bool pngHasAlpha(const std::uint8_t* d, std::size_t n) {
    if (d[25] & 4) return true;
    // A transparency chunk gives palette or grey pictures an alpha channel.
    for (std::size_t i = 33; i + 8 <= n;) {
        const std::uint32_t length = be32(d + i);
        if (std::memcmp(d + i + 4, "tRNS", 4) == 0) return true;
        if (std::memcmp(d + i + 4, "IDAT", 4) == 0) return false;
        if (length > n) return false;
        i += 12 + static_cast<std::size_t>(length);
    }
    return false;
}

// Cairo reads pictures without alpha as RGB24; surfaces are always ARGB32.
cairo_surface_t* opaqueToArgb(cairo_surface_t* s) {
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_format(s) != CAIRO_FORMAT_RGB24) {
        return s;
    }
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(out) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(s);
        cairo_surface_flush(out);
        const int inStride = cairo_image_surface_get_stride(s);
        const int outStride = cairo_image_surface_get_stride(out);
        for (int y = 0; y < h; ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(
                cairo_image_surface_get_data(s) + static_cast<std::ptrdiff_t>(y) * inStride);
            auto* to = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(out) +
                                                        static_cast<std::ptrdiff_t>(y) * outStride);
            for (int x = 0; x < w; ++x) to[x] = in[x] | 0xFF000000u;
        }
        cairo_surface_mark_dirty(out);
    }
    cairo_surface_destroy(s);
    return out;
}

std::shared_ptr<Surface> decodePng(const std::uint8_t* d, std::size_t n, const std::uint8_t* alpha,
                                   std::size_t alphaSize) {
    PngReader reader{d, n};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(&PngReader::read, &reader);
    auto surface = Surface::adopt(opaqueToArgb(s), pngHasAlpha(d, n) || alpha);
    if (!surface || !alpha) return surface;
    // Rare: a separate alpha plane; go through straight colours once.
    auto out = Surface::create(surface->width(), surface->height(), true, 0);
    if (!out) return nullptr;
    SDL_Surface* straight = SDL_CreateRGBSurfaceWithFormat(0, surface->width(), surface->height(),
                                                           32, SDL_PIXELFORMAT_ARGB8888);
    if (!straight) return nullptr;
    for (int y = 0; y < surface->height(); ++y) {
        const std::uint32_t* in = surface->row(y);
        auto* to =
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(straight->pixels) +
                                             static_cast<std::ptrdiff_t>(y) * straight->pitch);
        for (int x = 0; x < surface->width(); ++x) {
            const std::uint32_t p = in[x], a = p >> 24;
            auto un = [a](std::uint32_t v) {
                return a ? std::min<std::uint32_t>(255, (v * 255 + a / 2) / a) : 0;
            };
            to[x] = (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) |
                    un(p & 0xFF);
        }
    }
    premultiplyInto(straight, *out, alpha, alphaSize);
    SDL_FreeSurface(straight);
    return out;
}

std::shared_ptr<Surface> decodeWithSdl(const std::uint8_t* d, std::size_t n,
                                       const std::uint8_t* alpha, std::size_t alphaSize) {
    SDL_RWops* rw = SDL_RWFromConstMem(d, static_cast<int>(n));
    if (!rw) return nullptr;
    SDL_Surface* decoded = IMG_Load_RW(rw, 1);
    if (!decoded) return nullptr;
    const bool hasAlpha = decoded->format->Amask != 0 || SDL_HasColorKey(decoded) || alpha;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (!argb) return nullptr;
    std::shared_ptr<Surface> out;
    if (Surface::validSize(argb->w, argb->h)) {
        out = Surface::create(argb->w, argb->h, hasAlpha, 0);
        if (out) premultiplyInto(argb, *out, alpha, alphaSize);
    }
    SDL_FreeSurface(argb);
    return out;
}

// fromBytes without the log: null with `reason` set on failure.
std::shared_ptr<Surface> decode(const std::uint8_t* data, std::size_t size,
                                const std::uint8_t* alpha, std::size_t alphaSize,
                                std::string& reason) {
    if (!data || size == 0 || size > 0x7FFFFFFF) {
        reason = size ? "too large" : "no data";
        return nullptr;
    }
    const ImageLoader::Size s = ImageLoader::headerSize(data, size);
    if (!Surface::validSize(s.width, s.height)) {
        reason = s.width || s.height ? "unsupported size " + std::to_string(s.width) + " x " +
                                           std::to_string(s.height)
                                     : "not a PNG, JPEG, GIF or BMP picture";
        return nullptr;
    }
    if (isPng(data, size)) {
        auto surface = decodePng(data, size, alpha, alphaSize);
        if (!surface) reason = "damaged PNG data";
        return surface;
    }
    SDL_ClearError();
    auto surface = decodeWithSdl(data, size, alpha, alphaSize);
    if (!surface) reason = *SDL_GetError() ? SDL_GetError() : "the picture does not decode";
    return surface;
}

}  // namespace

ImageLoader::Size ImageLoader::headerSize(const std::uint8_t* d, std::size_t n) {
    if (!d) return {};
    if (isPng(d, n)) {
        const std::uint32_t w = be32(d + 16), h = be32(d + 20);
        if (w > 0x7FFFFFFF || h > 0x7FFFFFFF) return {};
        return {static_cast<int>(w), static_cast<int>(h)};
    }
    if (n >= 4 && d[0] == 0xFF && d[1] == 0xD8) return jpegSize(d, n);
    if (n >= 10 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0)) {
        return {le16(d + 6), le16(d + 8)};
    }
    if (n >= 26 && d[0] == 'B' && d[1] == 'M') {
        const std::int32_t w = le32(d + 18), h = le32(d + 22);
        if (w <= 0 || h == 0 || h == INT32_MIN) return {};
        return {w, h < 0 ? -h : h};
    }
    return {};
}

std::shared_ptr<Surface> ImageLoader::fromBytes(const std::uint8_t* data, std::size_t size,
                                                const std::uint8_t* alpha, std::size_t alphaSize) {
    std::string reason;
    auto surface = decode(data, size, alpha, alphaSize, reason);
    // No data at all is a read that failed and was reported already.
    if (!surface && data && size) {
        rt::log::warn("could not decode a picture of " + std::to_string(size) +
                      " bytes: " + reason);
    }
    return surface;
}

std::shared_ptr<Surface> ImageLoader::fromFile(const std::string& path) {
    auto bytes = ByteBuffer::readFile(path);
    std::string reason = bytes ? "" : ByteBuffer::unreadable(path);
    auto surface =
        bytes ? decode(bytes->bytes().data(), bytes->size(), nullptr, 0, reason) : nullptr;
    if (!surface) rt::log::warn("could not load picture " + path + ": " + reason);
    return surface;
}

}  // namespace limn::sdl
